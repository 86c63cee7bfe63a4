/* The test session's first Windows program: it starts Wine's system processes with
   no output of a test to inherit, and keeps them running until the session ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance; (void)previous; (void)commandLine; (void)show;
    Sleep(INFINITE);
    return 0;
}
