// The framework's resource module (see ResourceModule.h).
#include "framework/ResourceModule.h"

namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceModule ? g_resourceModule : GetModuleHandle(nullptr);
}

void AfxSetResourceHandle(HINSTANCE module)
{
    g_resourceModule = module;
}

HINSTANCE AfxLoadResourceLibrary(LPCTSTR path)
{
    HMODULE library = ::LoadLibraryEx(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    // Windows XP knows no image resources and refuses the flag; a data file alone it knows.
    if (!library && ::GetLastError() == ERROR_INVALID_PARAMETER)
        library = ::LoadLibraryEx(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return library;
}
