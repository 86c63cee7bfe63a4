// CMsiLibrary: the Windows Installer functions that Setup calls, taken from msi.dll
// by ordinal: 141 MsiSetInternalUI, 137 MsiSetExternalUIW, 88 MsiInstallProductW and
// 195 MsiGetFileVersionW, and MsiGetComponentPathW by its name. The library is loaded
// from the system folder on first use and kept. Without the library or one of its
// entries a call answers as a failure and calls nothing.
#pragma once

#include "framework/CString.h"

#include <windows.h>
#include <msi.h>

class CMsiLibrary
{
public:
    CMsiLibrary() = delete;

    enum Ordinal : WORD {
        kInstallProduct = 88, kSetExternalUI = 137, kSetInternalUI = 141, kGetFileVersion = 195
    };

    // The previous level; INSTALLUILEVEL_NOCHANGE without the entry.
    static INSTALLUILEVEL SetInternalUI(INSTALLUILEVEL level, HWND* window);
    // The previous handler; null without the entry.
    static INSTALLUI_HANDLERW SetExternalUI(INSTALLUI_HANDLERW handler, DWORD filter, void* context);
    // Windows Installer's result; ERROR_INSTALL_SERVICE_FAILURE without the entry.
    static UINT InstallProduct(const wchar_t* package, const wchar_t* commandLine);
    // Windows Installer's result; ERROR_INSTALL_SERVICE_FAILURE without the entry.
    static UINT GetFileVersion(const wchar_t* path, wchar_t* version, DWORD* versionLength, wchar_t* language,
                               DWORD* languageLength);

    // The installed path of a product's component with its state; the path is empty
    // unless the state is INSTALLSTATE_LOCAL. INSTALLSTATE_UNKNOWN without the entry.
    static INSTALLSTATE GetComponentPath(const wchar_t* product, const wchar_t* component, CString& path);

    // The entry of that ordinal, or null.
    static void* Entry(WORD ordinal);

    // Test seam: installs go to this function instead; null restores Windows Installer.
    using InstallProductCall = UINT(WINAPI*)(const wchar_t* package, const wchar_t* commandLine);
    static void SetInstallProductForTest(InstallProductCall call);
    // Test seam: component paths come from this function instead; null restores Windows Installer.
    using ComponentPathCall = INSTALLSTATE(WINAPI*)(const wchar_t* product, const wchar_t* component,
                                                    wchar_t* path, DWORD* length);
    static void SetComponentPathForTest(ComponentPathCall call);
};
