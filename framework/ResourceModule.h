// The module that the framework loads its resources (strings, dialogs, bitmaps) from:
// the program itself unless the application chose another one, such as a language library.
#pragma once

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
