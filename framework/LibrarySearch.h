// Where the process looks for the libraries that are loaded by bare name, by the program
// or by Windows' own code on its behalf (themes, access lists, COM ...). Windows looks for
// a name that is not one of its known DLLs beside the program first and in the current
// folder later: a download folder, where anybody may have left a library of such a name.
#pragma once

#include <windows.h>

// The framework's entry calls this before anything else: from then on, libraries come
// from the system folder only. The current folder leaves the search; where Windows has
// SetDefaultDllDirectories, the program's folder does too. Where it lacks it (XP, Vista and
// 7 without the loader update), the libraries that Windows is known to load by bare name
// are loaded from the system folder at once, so that its later loads find them loaded.
void AfxRestrictLibrarySearch();

// Loads a library of Windows by its full path in the system folder, the libraries it
// imports from there too. It stays loaded until freed; null when it cannot be loaded.
HMODULE AfxLoadSystemLibrary(LPCWSTR fileName);

// Tests: take the road of a Windows without SetDefaultDllDirectories.
void AfxHideDefaultDllDirectoriesForTest(bool hide);
