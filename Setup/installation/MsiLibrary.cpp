// Windows Installer's entries by ordinal (see MsiLibrary.h).
#include "Setup/installation/MsiLibrary.h"

#include "Setup/actions/SystemLibrary.h"

namespace {

CMsiLibrary::InstallProductCall g_installForTest = nullptr;
CMsiLibrary::ComponentPathCall g_componentPathForTest = nullptr;

void* LibraryEntry(const char* name)
{
    // Never freed: Windows Installer may still run threads of its own when Setup ends.
    static const CSystemLibrary* library = new CSystemLibrary(L"msi.dll");
    return library->Entry<void*>(name);
}

}  // namespace

void CMsiLibrary::SetInstallProductForTest(InstallProductCall call)
{
    g_installForTest = call;
}

void CMsiLibrary::SetComponentPathForTest(ComponentPathCall call)
{
    g_componentPathForTest = call;
}

void* CMsiLibrary::Entry(WORD ordinal)
{
    return LibraryEntry(MAKEINTRESOURCEA(ordinal));
}

INSTALLUILEVEL CMsiLibrary::SetInternalUI(INSTALLUILEVEL level, HWND* window)
{
    using Function = INSTALLUILEVEL(WINAPI*)(INSTALLUILEVEL, HWND*);
    auto function = reinterpret_cast<Function>(Entry(kSetInternalUI));
    return function ? function(level, window) : INSTALLUILEVEL_NOCHANGE;
}

INSTALLUI_HANDLERW CMsiLibrary::SetExternalUI(INSTALLUI_HANDLERW handler, DWORD filter, void* context)
{
    using Function = INSTALLUI_HANDLERW(WINAPI*)(INSTALLUI_HANDLERW, DWORD, void*);
    auto function = reinterpret_cast<Function>(Entry(kSetExternalUI));
    return function ? function(handler, filter, context) : nullptr;
}

UINT CMsiLibrary::InstallProduct(const wchar_t* package, const wchar_t* commandLine)
{
    if (g_installForTest)
        return g_installForTest(package, commandLine);
    auto function = reinterpret_cast<InstallProductCall>(Entry(kInstallProduct));
    return function ? function(package, commandLine) : ERROR_INSTALL_SERVICE_FAILURE;
}

UINT CMsiLibrary::GetFileVersion(const wchar_t* path, wchar_t* version, DWORD* versionLength, wchar_t* language,
                                 DWORD* languageLength)
{
    using Function = UINT(WINAPI*)(const wchar_t*, wchar_t*, DWORD*, wchar_t*, DWORD*);
    auto function = reinterpret_cast<Function>(Entry(kGetFileVersion));
    return function ? function(path, version, versionLength, language, languageLength)
                    : ERROR_INSTALL_SERVICE_FAILURE;
}

INSTALLSTATE CMsiLibrary::GetComponentPath(const wchar_t* product, const wchar_t* component, CString& path)
{
    path.Empty();
    auto function = g_componentPathForTest ? g_componentPathForTest
                                           : reinterpret_cast<ComponentPathCall>(LibraryEntry("MsiGetComponentPathW"));
    if (!function)
        return INSTALLSTATE_UNKNOWN;
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD length = MAX_PATH * 2;
    INSTALLSTATE state = function(product, component, buffer, &length);
    if (state == INSTALLSTATE_LOCAL)
        path = buffer;
    return state;
}
