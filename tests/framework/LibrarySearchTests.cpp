// The process's library search: from the framework's entry on, a library asked for by
// bare name is not taken from beside the program or from the current folder. Stand-ins
// lie in both places, each under a name that exists nowhere else, and a msi.dll beside
// the program.
#include "framework/Framework.h"
#include "framework/LibrarySearch.h"
#include "tests/framework/LibrarySearchProbe.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring ProbeFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring program(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.rfind(L'\\') + 1) + L"library_search\\";
}

bool Marked()
{
    return ::GetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr, 0) != 0;
}

// Runs the probe in its folder's "current" folder; its report, or ~0 when it did not end.
DWORD RunProbe(const std::wstring& arguments = L"")
{
    std::wstring folder = ProbeFolder();
    std::wstring command = L"\"" + folder + L"library_search_probe.exe\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, (folder + L"current").c_str(),
                          &startup, &process))
        return ~0u;
    DWORD report = ~0u;
    if (::WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &report);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return report;
}

// While it lives, Wine takes a library of that name for the probe from its search, which
// begins with the probe's folder, before its own: what Windows does for every library
// that is not one of its known DLLs.
class ProbeSearchesFirstFor
{
public:
    explicit ProbeSearchesFirstFor(const wchar_t* library) : m_library(library)
    {
        const wchar_t order[] = L"native,builtin";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, library, REG_SZ, order, sizeof(order));
    }
    ~ProbeSearchesFirstFor()
    {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, m_library);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kOverrides);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kProbeDefaults);
    }

private:
    static constexpr const wchar_t* kProbeDefaults = L"Software\\Wine\\AppDefaults\\library_search_probe.exe";
    static constexpr const wchar_t* kOverrides =
        L"Software\\Wine\\AppDefaults\\library_search_probe.exe\\DllOverrides";
    const wchar_t* m_library;
};

}  // namespace

TEST(LibrarySearch, FromTheEntryOnNothingIsTakenFromBesideTheProgramOrTheCurrentFolder)
{
    DWORD report = RunProbe();
    ASSERT_NE(~0u, report);

    // Before the entry both stand-ins are found by their bare names and run; when the
    // program's own start-up begins, neither is found or runs.
    EXPECT_TRUE(report & kBesideFoundBeforeEntry) << report;
    EXPECT_TRUE(report & kCurrentFoundBeforeEntry) << report;
    EXPECT_FALSE(report & kBesideFoundAtStartUp) << report;
    EXPECT_FALSE(report & kCurrentFoundAtStartUp) << report;
    EXPECT_TRUE(report & kThemesFromSystemFolder) << report;
    EXPECT_TRUE(report & kSetupsMsiFromSystemFolder) << report;
}

// Where Windows lacks SetDefaultDllDirectories, the libraries that Windows loads by bare
// name come from the system folder at the step, and the current folder is not searched.
TEST(LibrarySearch, WithoutDefaultDirectoriesTheStepLoadsWindowsLibrariesFromTheSystemFolder)
{
    const LPCWSTR listed[] = {
        L"uxtheme.dll",  L"dwmapi.dll",  L"cryptbase.dll", L"cryptsp.dll", L"propsys.dll",
        L"profapi.dll",  L"userenv.dll", L"sspicli.dll",   L"ntmarta.dll", L"oleacc.dll",
        L"clbcatq.dll",  L"apphelp.dll", L"setupapi.dll",  L"version.dll",
    };
    ASSERT_TRUE(::SetCurrentDirectoryW((ProbeFolder() + L"current").c_str()));
    HMODULE standIn = ::LoadLibraryW(LIBRARY_SEARCH_CURRENT);
    ASSERT_TRUE(standIn && Marked()) << "the stand-in is not found in the current folder to begin with";
    ::FreeLibrary(standIn);
    ::SetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr);
    int notLoadedBefore = 0;
    for (LPCWSTR name : listed)
        notLoadedBefore += ::GetModuleHandleW(name) == nullptr;
    ASSERT_GT(notLoadedBefore, 0);

    AfxHideDefaultDllDirectoriesForTest(true);
    AfxRestrictLibrarySearch();
    AfxHideDefaultDllDirectoriesForTest(false);

    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    int present = 0;
    for (LPCWSTR name : listed) {
        std::wstring path = std::wstring(system) + L"\\" + name;
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        ++present;
        wchar_t loaded[MAX_PATH] = {};
        HMODULE module = ::GetModuleHandleW(name);
        EXPECT_TRUE(module && ::GetModuleFileNameW(module, loaded, MAX_PATH) && !lstrcmpiW(path.c_str(), loaded))
            << CString(name).ToAnsi() << " from " << CString(loaded).ToAnsi();
    }
    EXPECT_GT(present, 0);
    EXPECT_EQ(nullptr, ::LoadLibraryW(LIBRARY_SEARCH_CURRENT));
    EXPECT_FALSE(Marked());
}

// There the program's folder stays first in the search: Setup's own load of msi.dll
// still takes the system folder's, with a stand-in beside the program that a load by
// bare name would take (as Windows XP does).
TEST(LibrarySearch, WithoutDefaultDirectoriesSetupsOwnLoadsComeFromTheSystemFolder)
{
    ProbeSearchesFirstFor msiBesideTheProbe(L"msi");
    DWORD report = RunProbe(LIBRARY_SEARCH_WITHOUT_DEFAULT_DIRECTORIES);
    ASSERT_NE(~0u, report);
    EXPECT_TRUE(report & kBesideFoundAtStartUp) << report;   // the program's folder is searched
    EXPECT_FALSE(report & kCurrentFoundAtStartUp) << report;
    EXPECT_TRUE(report & kSetupsMsiFromSystemFolder) << report;
}
