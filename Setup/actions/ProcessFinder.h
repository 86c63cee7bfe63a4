// CProcessFinder: finds a running process by the file name of its executable (compared
// as ANSI text, ignoring case) through Toolhelp or, where Toolhelp is missing, the
// native system query, and closes it: politely first, by force after five seconds.
#pragma once

#include <windows.h>

class CProcessFinder
{
public:
    // allowToolhelp false takes the native road even where Toolhelp exists.
    explicit CProcessFinder(bool allowToolhelp = true);
    ~CProcessFinder();
    CProcessFinder(const CProcessFinder&) = delete;
    CProcessFinder& operator=(const CProcessFinder&) = delete;

    // The process opened for SYNCHRONIZE and PROCESS_TERMINATE, or null.
    HANDLE OpenByName(const char* name, DWORD& processId) const;
    // Asks the process's windows to close, ends it after 5 s; false when it is not running.
    bool CloseProcess(const char* name) const;

private:
    HANDLE FindWithToolhelp(const char* name, DWORD& processId) const;
    HANDLE FindWithNtQuery(const char* name, DWORD& processId) const;

    using CreateSnapshotCall = HANDLE (WINAPI*)(DWORD, DWORD);
    using ProcessWalkCall = BOOL (WINAPI*)(HANDLE, void*);
    using QuerySystemCall = LONG (WINAPI*)(ULONG, void*, ULONG, ULONG*);
    using GetHeapCall = HANDLE (WINAPI*)();
    using HeapAllocCall = void* (WINAPI*)(HANDLE, DWORD, SIZE_T);
    using HeapFreeCall = BOOL (WINAPI*)(HANDLE, DWORD, void*);

    HMODULE m_ntdll = nullptr;
    HMODULE m_kernel32 = nullptr;
    CreateSnapshotCall m_createSnapshot = nullptr;
    ProcessWalkCall m_processFirst = nullptr;
    ProcessWalkCall m_processNext = nullptr;
    QuerySystemCall m_querySystemInformation = nullptr;
    GetHeapCall m_getProcessHeap = nullptr;
    HeapAllocCall m_heapAlloc = nullptr;
    HeapFreeCall m_heapFree = nullptr;
};
