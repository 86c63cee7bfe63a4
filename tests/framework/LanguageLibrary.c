/* The language library holds resources only; this is its one, unused, function. */
int LanguageLibraryVersion(void) { return 1; }
