/* A stand-in for a library that somebody put beside Setup.exe. Its start-up code leaves
   a mark beside it: a file named after its own file and ".ran". It carries the three
   entries that Setup would import from version.dll (each of them failing), so that a
   program importing that library still starts with it. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t mark[MAX_PATH + 8];
        DWORD length = GetModuleFileNameW(library, mark, MAX_PATH);
        lstrcpyW(mark + length, L".ran");
        HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR path, LPDWORD handle)
{
    (void)path;
    (void)handle;
    return 0;
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR path, DWORD handle, DWORD size, LPVOID data)
{
    (void)path;
    (void)handle;
    (void)size;
    (void)data;
    return FALSE;
}

BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length)
{
    (void)block;
    (void)subBlock;
    (void)buffer;
    (void)length;
    return FALSE;
}
