// The process's library search (see LibrarySearch.h).
#include "framework/LibrarySearch.h"

#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

bool g_hideDefaultDllDirectories = false;

// Libraries that Windows' own code loads by bare name for a program after it started.
const LPCWSTR kLoadedByName[] = {
    L"uxtheme.dll",  L"dwmapi.dll",  L"cryptbase.dll", L"cryptsp.dll", L"propsys.dll",
    L"profapi.dll",  L"userenv.dll", L"sspicli.dll",   L"ntmarta.dll", L"oleacc.dll",
    L"clbcatq.dll",  L"apphelp.dll", L"setupapi.dll",  L"version.dll",
};

template <class Function>
Function KernelEntry(const char* name)
{
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(kernel, name))) : nullptr;
}

using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryCall = BOOL(WINAPI*)(LPCWSTR);

// Windows 8 and later, and Vista and 7 with the loader update.
SetDefaultDllDirectoriesCall FindSetDefaultDllDirectories()
{
    if (g_hideDefaultDllDirectories)
        return nullptr;
    return KernelEntry<SetDefaultDllDirectoriesCall>("SetDefaultDllDirectories");
}

// The system folder, without a closing backslash; empty when Windows does not say.
std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH];
    UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

void AfxHideDefaultDllDirectoriesForTest(bool hide)
{
    g_hideDefaultDllDirectories = hide;
}

HMODULE AfxLoadSystemLibrary(LPCWSTR fileName)
{
    std::wstring folder = SystemFolder();
    if (folder.empty())
        return nullptr;
    // Without the loader update Windows knows no search flags; the altered search order
    // then looks for the library's imports in its own folder first.
    DWORD flags = FindSetDefaultDllDirectories() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
    return ::LoadLibraryExW((folder + L"\\" + fileName).c_str(), nullptr, flags);
}

void AfxRestrictLibrarySearch()
{
    // The current folder leaves every search order, the altered one included (XP SP1 on),
    // for the library folder given here: the system folder, which the search holds anyway.
    // An empty one would do on Windows, but Wine then keeps the current folder.
    std::wstring folder = SystemFolder();
    auto setDllDirectory = KernelEntry<SetDllDirectoryCall>("SetDllDirectoryW");
    if (setDllDirectory && !folder.empty())
        setDllDirectory(folder.c_str());
    if (auto setDefaultDllDirectories = FindSetDefaultDllDirectories()) {
        if (setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
            return;
    }
    // The program's folder stays first in the search: what Windows will ask for by name
    // is loaded from the system folder now, and stays loaded. A missing one is skipped,
    // without the system's message about it.
    UINT errorMode = ::SetErrorMode(0);
    ::SetErrorMode(errorMode | SEM_FAILCRITICALERRORS);
    for (LPCWSTR name : kLoadedByName)
        AfxLoadSystemLibrary(name);
    ::SetErrorMode(errorMode);
}
