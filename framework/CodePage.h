// The code page of the 8-bit build's names and texts. A character that the code page
// holds as two bytes is one character: walking a text never splits it, so a second
// byte that happens to be the byte of "\" is no separator. Names that Windows hands
// over are taken as UTF-16 and converted without a best fit, so a name the code page
// cannot hold exactly is refused rather than replaced by the name of another file.
// The UTF-16 build walks and takes names as they are.
#pragma once
#include <windows.h>
#include <tchar.h>
#include <string>
#include "framework/CString.h"

// The code page of 8-bit names and texts: the system's ANSI code page, or a test's.
UINT AfxGetCodePage();
// Tests: walk and convert as under this code page (0: the system's again).
void AfxSetCodePageForTest(UINT codePage);

// The character after the one at p (a double-byte character, or one of UTF-8's
// sequences, counts as one).
LPCTSTR AfxNextChar(LPCTSTR p);
// Index of the last character of text that is one of set; -1 when none is.
int AfxFindLastOf(LPCTSTR text, LPCTSTR set);

// A text as UTF-16 (length -1: up to its terminating zero; else that many, zeros too).
std::wstring AfxWideOf(LPCTSTR text, int length = -1);
// What a window shows, in UTF-16 whatever the window.
std::wstring AfxWideWindowText(HWND window);
// A file name from Windows in UTF-16 as the program's name of it; FALSE when the
// code page cannot hold it exactly ('?' then stands for what it cannot hold; under
// UTF-8, which holds all but half a surrogate pair, U+FFFD stands for that).
BOOL AfxNameFromWide(LPCWSTR wide, CString& name);
// Refuses such a name: the invalid-path message naming it.
void AfxReportUnheldName(LPCTSTR name);
