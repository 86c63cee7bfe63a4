// The framework's own texts and its text helpers.
#include "framework/FrameworkStrings.h"
#include "framework/CodePage.h"
#include "framework/FrameworkIds.h"
#include "framework/Globals.h"

namespace {

struct FrameworkText
{
    UINT id;
    LPCTSTR text;
};

const FrameworkText kTexts[] = {
    { AFX_IDS_IDLEMESSAGE, _T("Ready") },
    { ID_INDICATOR_CAPS, _T("CAP") },
    { ID_INDICATOR_NUM, _T("NUM") },
    { ID_INDICATOR_SCRL, _T("SCRL") },
    { AFX_IDS_UNTITLED, _T("Untitled") },
    { AFX_IDS_ALLFILTER, _T("All Files (*.*)") },
    { AFX_IDP_FAILED_TO_OPEN_DOC, _T("Failed to open document.") },
    { AFX_IDP_FAILED_TO_SAVE_DOC, _T("Failed to save document.") },
    { AFX_IDP_FAILED_TO_CREATE_DOC, _T("Failed to create empty document.") },
    { AFX_IDP_ASK_TO_SAVE, _T("Save changes to %1?") },
    { AFX_IDP_HELP_FILE_MISSING, _T("Help is not available: the help file %1 was not found.") },
    { AFX_IDP_INVALID_FILENAME, _T("Invalid filename.") },
    { AFX_IDP_PARSE_INT, _T("Please enter an integer.") },
    { AFX_IDP_PARSE_BYTE, _T("Please enter an integer between 0 and 255.") },
    { AFX_IDP_PARSE_UINT, _T("Please enter a positive integer.") },
    { AFX_IDP_PARSE_STRING_SIZE, _T("Please enter no more than %1 characters.") },
    { AFX_IDP_FILE_NONE, _T("No error occurred on %1.") },
    { AFX_IDP_FILE_GENERIC, _T("An unexpected error occurred on %1.") },
    { AFX_IDP_FILE_NOT_FOUND, _T("%1 was not found.") },
    { AFX_IDP_FILE_BAD_PATH, _T("%1 contains an invalid path.") },
    { AFX_IDP_FILE_TOO_MANY_OPEN, _T("%1 could not be opened because there are too many open files.") },
    { AFX_IDP_FILE_ACCESS_DENIED, _T("Access to %1 was denied.") },
    { AFX_IDP_FILE_INVALID_FILE, _T("An invalid file handle was used with %1.") },
    { AFX_IDP_FILE_REMOVE_CURRENT, _T("%1 could not be removed because it is the current folder.") },
    { AFX_IDP_FILE_DIR_FULL, _T("%1 could not be created because the folder is full.") },
    { AFX_IDP_FILE_BAD_SEEK, _T("Seeking in %1 failed.") },
    { AFX_IDP_FILE_HARD_IO, _T("A hardware input/output error occurred on %1.") },
    { AFX_IDP_FILE_SHARING, _T("%1 is in use by another program.") },
    { AFX_IDP_FILE_LOCKING, _T("A locked region of %1 was accessed.") },
    { AFX_IDP_FILE_DISKFULL, _T("The disk is full; %1 could not be written.") },
    { AFX_IDP_FILE_EOF, _T("An attempt was made to read past the end of %1.") },
};

} // namespace

CString AfxFrameworkText(UINT nID)
{
    for (const FrameworkText& t : kTexts) {
        if (t.id == nID)
            return t.text;
    }
    return CString();
}

CString AfxLoadText(UINT nID)
{
    // A string resource has at most 4095 characters.
    TCHAR buffer[4096];
    int length = ::LoadString(AfxGetResourceHandle(), nID, buffer, 4096);
    if (length > 0)
        return CString(buffer, length);
    return AfxFrameworkText(nID);
}

CString AfxFormatText1(const CString& pattern, LPCTSTR arg1)
{
    CString result = pattern;
    result.Replace(_T("%1"), arg1 ? arg1 : _T(""));
    return result;
}

CString AfxExtractSubString(const CString& full, int index)
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = full.Find(_T('\n'), start);
        if (start < 0)
            return CString();
        ++start;
    }
    int end = full.Find(_T('\n'), start);
    return end < 0 ? full.Mid(start) : full.Mid(start, end - start);
}

CString AfxFileNameOf(LPCTSTR path)
{
    CString p = path ? path : _T("");
    return p.Mid(AfxFindLastOf(p.GetString(), _T("\\/:")) + 1);
}
