// A program of the framework that asks for libraries by bare name: once before the
// framework's entry runs, from a static initialiser, and again as soon as its own
// start-up begins, before any window; then it loads msi.dll as Setup does. It reports
// what it found in its exit code.
#include "framework/Framework.h"
#include "framework/LibrarySearch.h"
#include "Setup/actions/SystemLibrary.h"
#include "tests/framework/LibrarySearchProbe.h"

#include <cwchar>

namespace {

// Whether a load by that bare name finds a library, or runs the code of one.
bool Found(LPCWSTR name)
{
    HMODULE library = ::LoadLibraryW(name);
    bool ran = ::GetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr, 0) != 0;
    if (library)
        ::FreeLibrary(library);
    ::SetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr);
    return library || ran;
}

bool IsFromSystemFolder(HMODULE library, LPCWSTR name)
{
    wchar_t expected[MAX_PATH], loaded[MAX_PATH];
    ::GetSystemDirectoryW(expected, MAX_PATH);
    ::lstrcatW(::lstrcatW(expected, L"\\"), name);
    return library && ::GetModuleFileNameW(library, loaded, MAX_PATH) && ::lstrcmpiW(expected, loaded) == 0;
}

bool FromSystemFolder(LPCWSTR name)
{
    return IsFromSystemFolder(::LoadLibraryW(name), name);
}

// Setup's own load: the library that holds the entry it finds (MsiInstallProductW).
bool SetupsMsiFromSystemFolder()
{
    CSystemLibrary msi(L"msi.dll");
    HMODULE holder = nullptr;
    void* entry = msi.Entry<void*>(MAKEINTRESOURCEA(88));
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCWSTR>(entry), &holder);
    bool ran = ::GetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr, 0) != 0;
    return entry && IsFromSystemFolder(holder, L"msi.dll") && !ran;
}

bool TakesTheOlderRoad()
{
    const wchar_t* commandLine = ::GetCommandLineW();
    const wchar_t* argument = std::wcsstr(commandLine, LIBRARY_SEARCH_WITHOUT_DEFAULT_DIRECTORIES);
    if (argument)
        AfxHideDefaultDllDirectoriesForTest(true);
    return argument != nullptr;
}

const bool g_olderRoad = TakesTheOlderRoad();

const int g_beforeEntry = (Found(LIBRARY_SEARCH_BESIDE) ? kBesideFoundBeforeEntry : 0) |
                          (Found(LIBRARY_SEARCH_CURRENT) ? kCurrentFoundBeforeEntry : 0);

class CProbeApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        m_report = g_beforeEntry | (Found(LIBRARY_SEARCH_BESIDE) ? kBesideFoundAtStartUp : 0) |
                   (Found(LIBRARY_SEARCH_CURRENT) ? kCurrentFoundAtStartUp : 0) |
                   (FromSystemFolder(L"uxtheme.dll") ? kThemesFromSystemFolder : 0) |
                   (SetupsMsiFromSystemFolder() ? kSetupsMsiFromSystemFolder : 0);
        return FALSE;
    }
    int ExitInstance() override { return m_report; }

private:
    int m_report = 0;
};

CProbeApp theApp;

}  // namespace
