// A program that does nothing: the driver tests copy it as a file with a version resource.
int main()
{
    return 0;
}
