// Texts the framework shows or needs: a string resource of the application when it
// has one of that id, otherwise the framework's own text (its messages, the
// indicator pane names, "Ready"). Also the small text helpers the framework shares.
#pragma once
#include <windows.h>
#include <tchar.h>
#include "framework/CString.h"

// The string of this id from the resource module, else the framework's own text, else empty.
CString AfxLoadText(UINT nID);
// Only the framework's own text of this id (empty when it has none).
CString AfxFrameworkText(UINT nID);
// The text with every "%1" replaced by the argument.
CString AfxFormatText1(const CString& pattern, LPCTSTR arg1);
// Sub-string number index of a text whose parts are separated by '\n'.
CString AfxExtractSubString(const CString& full, int index);
// The name part of a path ("C:\a\b.kiv" gives "b.kiv").
CString AfxFileNameOf(LPCTSTR path);
