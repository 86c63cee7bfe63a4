/* A library whose start-up code leaves a mark in the process's environment: the variable
   named by MARK (a wide string) is set. A library loaded for its resources only never
   leaves it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID reserved)
{
    (void)library;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableW(MARK, L"1");
    return TRUE;
}
