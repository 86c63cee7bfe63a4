// A library of Windows from the system folder (see SystemLibrary.h).
#include "Setup/actions/SystemLibrary.h"

#include "Setup/actions/InstallActions.h"

CSystemLibrary::CSystemLibrary(const wchar_t* fileName)
{
    CString path = CInstallActions::GetSystemDirectoryPath() + L"\\" + fileName;
    // With a full path, the altered search order looks for the library's own imports in
    // its folder before the program's.
    m_module = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

CSystemLibrary::~CSystemLibrary()
{
    if (m_module)
        FreeLibrary(m_module);
}

void* CSystemLibrary::EntryAddress(const char* name) const
{
    return m_module ? reinterpret_cast<void*>(GetProcAddress(m_module, name)) : nullptr;
}
