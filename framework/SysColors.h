// The system colours that the framework's own pictures follow, and a bitmap
// resource whose colours are mapped to them as a toolbar's pictures are.
#pragma once
#include <windows.h>
#include <tchar.h>

// The system colour of the index (COLOR_BTNTEXT, ...), or the test's answer.
COLORREF AfxGetSysColor(int index);

// A bitmap resource of the module for buttons: in a bitmap with a colour table,
// black becomes the button text colour and the greys 128, 192 and 223 become the
// 3D shadow, face and light colours; other bitmaps as LR_LOADMAP3DCOLORS loads them.
// Null when the resource cannot be loaded; the caller deletes the bitmap.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE module, LPCTSTR name);

// Tests: answer in place of GetSysColor, as a colour scheme would (null: Windows
// answers again).
using AfxSysColorQuery = COLORREF (*)(int index);
void AfxSetSysColorQueryForTest(AfxSysColorQuery query);
