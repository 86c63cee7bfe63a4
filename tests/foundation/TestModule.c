/* The code of the version-resource test modules: nothing but their resources matter. */
int TestModuleMarker(void) { return 1; }
