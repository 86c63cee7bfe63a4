// The module that the framework loads its resources (strings, dialogs, bitmaps) from:
// the program itself unless the application chose another one, such as a language library.
#pragma once

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// Loads a library for its resources only: mapped as a data file and image resource, so
// that none of its code runs (a library found beside the program may be anybody's).
// FreeLibrary frees it; null when it cannot be loaded.
HINSTANCE AfxLoadResourceLibrary(LPCTSTR path);
