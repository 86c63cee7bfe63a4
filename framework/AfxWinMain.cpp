// The program's entry: the framework's WinMain runs the one application object.
// Its first step keeps the process's library search to the system folder
// (LibrarySearch.h). Before start-up it looks beside the program for a resource-only
// language library named after the program and the three-letter language name
// ("SetupENU.dll"), first of the user's language, then the system's, then "LOC", and
// makes the first one found the module that resources come from. It is loaded for its
// resources only: whoever could put a file beside the program must not have code of his
// run by it.
#include "framework/CWinApp.h"
#include "framework/Globals.h"
#include "framework/LibrarySearch.h"

CString AfxLanguageLibraryPath(HINSTANCE hProgram, LPCTSTR language)
{
    TCHAR path[MAX_PATH] = {};
    if (!::GetModuleFileName(hProgram, path, MAX_PATH))
        return CString();
    CString stem = path;
    return stem.Left(stem.ReverseFind(_T('.'))) + language + _T(".dll");
}

HINSTANCE AfxLoadLanguageLibrary(HINSTANCE hInstance)
{
    LANGID languages[] = { ::GetUserDefaultUILanguage(), ::GetSystemDefaultUILanguage() };
    for (LANGID language : languages) {
        TCHAR abbreviation[16] = {};
        if (!::GetLocaleInfo(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation, 16))
            continue;
        CString candidate = AfxLanguageLibraryPath(hInstance, abbreviation);
        if (::GetFileAttributes(candidate.GetString()) != INVALID_FILE_ATTRIBUTES) {
            if (HINSTANCE library = AfxLoadResourceLibrary(candidate.GetString()))
                return library;
        }
    }
    CString fallback = AfxLanguageLibraryPath(hInstance, _T("LOC"));
    if (::GetFileAttributes(fallback.GetString()) != INVALID_FILE_ATTRIBUTES)
        return AfxLoadResourceLibrary(fallback.GetString());
    return nullptr;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR, int nCmdShow)
{
    AfxRestrictLibrarySearch();
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_nCmdShow = nCmdShow;
    if (HINSTANCE language = AfxLoadLanguageLibrary(hInstance))
        AfxSetResourceHandle(language);
    app->InitApplicationNames();
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, nullptr, nCmdShow);
}
