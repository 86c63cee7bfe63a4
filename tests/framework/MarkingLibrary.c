/* The language library holds resources; its start-up code leaves a mark in the process's
   environment, which a library loaded for its resources only never leaves. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID reserved)
{
    (void)library;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableW(L"FRAMEWORK_TEST_LANGUAGE_LIBRARY_RAN", L"1");
    return TRUE;
}
