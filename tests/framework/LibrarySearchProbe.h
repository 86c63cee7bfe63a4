// What the library-search probe reports in its exit code: the sum of these flags. A
// stand-in is found when a load by its bare name returns a library or runs one's code.
// Beside the probe lies a stand-in msi.dll too.
#pragma once

enum LibrarySearchProbeReport {
    // Found before the framework's entry runs (from a static initialiser).
    kBesideFoundBeforeEntry = 1,    // the stand-in beside the probe
    kCurrentFoundBeforeEntry = 2,   // the stand-in in its current folder
    // Found when the application's start-up begins.
    kBesideFoundAtStartUp = 4,
    kCurrentFoundAtStartUp = 8,
    // uxtheme.dll, asked for by bare name at start-up, is the system folder's.
    kThemesFromSystemFolder = 16,
    // Setup's own load of msi.dll (CSystemLibrary) at start-up is the system folder's,
    // and no stand-in of that name ran.
    kSetupsMsiFromSystemFolder = 32,
};

// Started with this argument, the probe takes the road of a Windows without
// SetDefaultDllDirectories from its start on.
#define LIBRARY_SEARCH_WITHOUT_DEFAULT_DIRECTORIES L"without-default-directories"

// The stand-ins' names; the mark their code leaves: an environment variable of the process.
#define LIBRARY_SEARCH_BESIDE L"library_search_beside.dll"
#define LIBRARY_SEARCH_CURRENT L"library_search_current.dll"
#define LIBRARY_SEARCH_MARK L"LIBRARY_SEARCH_STAND_IN_RAN"
