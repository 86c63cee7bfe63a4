// A program of the framework that asks for libraries by bare name: once before the
// framework's entry runs, from a static initialiser, and again as soon as its own
// start-up begins, before any window. It reports what it found in its exit code.
#include "framework/Framework.h"
#include "tests/framework/LibrarySearchProbe.h"

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

bool FromSystemFolder(LPCWSTR name)
{
    wchar_t expected[MAX_PATH], loaded[MAX_PATH];
    ::GetSystemDirectoryW(expected, MAX_PATH);
    ::lstrcatW(::lstrcatW(expected, L"\\"), name);
    HMODULE library = ::LoadLibraryW(name);
    return library && ::GetModuleFileNameW(library, loaded, MAX_PATH) && ::lstrcmpiW(expected, loaded) == 0;
}

const int g_beforeEntry = (Found(LIBRARY_SEARCH_BESIDE) ? kBesideFoundBeforeEntry : 0) |
                          (Found(LIBRARY_SEARCH_CURRENT) ? kCurrentFoundBeforeEntry : 0);

class CProbeApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        m_report = g_beforeEntry | (Found(LIBRARY_SEARCH_BESIDE) ? kBesideFoundAtStartUp : 0) |
                   (Found(LIBRARY_SEARCH_CURRENT) ? kCurrentFoundAtStartUp : 0) |
                   (FromSystemFolder(L"uxtheme.dll") ? kThemesFromSystemFolder : 0);
        return FALSE;
    }
    int ExitInstance() override { return m_report; }

private:
    int m_report = 0;
};

CProbeApp theApp;

}  // namespace
