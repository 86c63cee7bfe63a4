// A library of Windows from the system folder (see SystemLibrary.h).
#include "Setup/actions/SystemLibrary.h"

#include "framework/LibrarySearch.h"

CSystemLibrary::CSystemLibrary(const wchar_t* fileName) : m_module(AfxLoadSystemLibrary(fileName))
{
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
