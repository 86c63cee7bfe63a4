/* The page tests' language library holds resources only; this is its one, unused, function. */
int PagesLanguageLibraryVersion(void) { return 1; }
