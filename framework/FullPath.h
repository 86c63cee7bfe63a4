// The full path of a file name, as the document and the recent-file list keep it.
#pragma once
#include <windows.h>
#include <tchar.h>
#include "framework/CString.h"

// The full path of name, whole whatever its length; where Windows cannot form it,
// the name as given, whole.
CString AfxFullPathOf(LPCTSTR name);

// Tests: answer in place of GetFullPathName (null: Windows answers again).
using AfxFullPathQuery = DWORD (*)(LPCTSTR name, DWORD size, LPTSTR buffer);
void AfxSetFullPathQueryForTest(AfxFullPathQuery query);
