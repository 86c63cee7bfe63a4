// The process's library search: from the framework's entry on, a library asked for by
// bare name is not taken from beside the program or from the current folder. Stand-ins
// lie in both places, each under a name that exists nowhere else.
#include "framework/Framework.h"
#include "framework/LibrarySearch.h"
#include "tests/framework/LibrarySearchProbe.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring ProbeFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"library_search\\";
}

std::wstring SystemPath(LPCWSTR name)
{
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + name;
}

std::wstring LoadedFrom(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = module ? ::GetModuleFileNameW(module, path, MAX_PATH) : 0;
    std::wstring text(path, length);
    for (wchar_t& c : text)
        c = towlower(c);
    return text;
}

bool Marked()
{
    return ::GetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr, 0) != 0;
}

}  // namespace

TEST(LibrarySearch, FromTheEntryOnNothingIsTakenFromBesideTheProgramOrTheCurrentFolder)
{
    std::wstring folder = ProbeFolder();
    std::wstring command = L"\"" + folder + L"library_search_probe.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 (folder + L"current").c_str(), &startup, &process));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 120000));
    DWORD report = 0;
    ::GetExitCodeProcess(process.hProcess, &report);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    // Before the entry, both stand-ins are found by their bare names and run.
    EXPECT_TRUE(report & kBesideFoundBeforeEntry) << report;
    EXPECT_TRUE(report & kCurrentFoundBeforeEntry) << report;
    // When the program's own start-up begins, neither is found, and neither runs.
    EXPECT_FALSE(report & kBesideFoundAtStartUp) << report;
    EXPECT_FALSE(report & kCurrentFoundAtStartUp) << report;
    EXPECT_TRUE(report & kThemesFromSystemFolder) << report;
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
    std::wstring current = ProbeFolder() + L"current";
    ASSERT_TRUE(::SetCurrentDirectoryW(current.c_str()));
    HMODULE standIn = ::LoadLibraryW(LIBRARY_SEARCH_CURRENT);
    ASSERT_NE(nullptr, standIn) << "the stand-in is not found in the current folder to begin with";
    EXPECT_TRUE(Marked());
    ::FreeLibrary(standIn);
    ::SetEnvironmentVariableW(LIBRARY_SEARCH_MARK, nullptr);
    int notLoadedBefore = 0;
    for (LPCWSTR name : listed)
        notLoadedBefore += ::GetModuleHandleW(name) == nullptr;
    ASSERT_GT(notLoadedBefore, 0) << "every listed library is loaded already";

    AfxHideDefaultDllDirectoriesForTest(true);
    AfxRestrictLibrarySearch();
    AfxHideDefaultDllDirectoriesForTest(false);

    int present = 0;
    for (LPCWSTR name : listed) {
        std::wstring path = SystemPath(name);
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        ++present;
        for (wchar_t& c : path)
            c = towlower(c);
        EXPECT_EQ(path, LoadedFrom(::GetModuleHandleW(name)));
    }
    EXPECT_GT(present, 0);
    EXPECT_EQ(nullptr, ::LoadLibraryW(LIBRARY_SEARCH_CURRENT));
    EXPECT_FALSE(Marked());
}
