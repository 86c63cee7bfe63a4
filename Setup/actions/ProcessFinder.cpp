// CProcessFinder: finding and closing a process by name (see ProcessFinder.h).
#include "Setup/actions/ProcessFinder.h"

#include <cstring>
#include <tlhelp32.h>
#include <winternl.h>

namespace {

const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
const ULONG kSystemProcessInformation = 5;

template <typename Call>
Call Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The file-name part of an executable path.
const char* FileNamePart(const char* path)
{
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

HANDLE OpenForClosing(DWORD processId)
{
    return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, TRUE, processId);
}

struct WindowsOfProcess
{
    DWORD processId;
};

BOOL CALLBACK PostCloseToProcessWindow(HWND window, LPARAM context)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == reinterpret_cast<WindowsOfProcess*>(context)->processId)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

CProcessFinder::CProcessFinder(bool allowToolhelp)
{
    m_kernel32 = LoadLibraryA("Kernel32");
    if (allowToolhelp) {
        m_createSnapshot = Lookup<CreateSnapshotCall>(m_kernel32, "CreateToolhelp32Snapshot");
        m_processFirst = Lookup<ProcessWalkCall>(m_kernel32, "Process32First");
        m_processNext = Lookup<ProcessWalkCall>(m_kernel32, "Process32Next");
    }
    if (m_kernel32 && (!m_createSnapshot || !m_processFirst || !m_processNext)) {
        m_ntdll = LoadLibraryA("ntdll.dll");
        m_querySystemInformation = Lookup<QuerySystemCall>(m_ntdll, "ZwQuerySystemInformation");
        m_getProcessHeap = Lookup<GetHeapCall>(m_kernel32, "GetProcessHeap");
        m_heapAlloc = Lookup<HeapAllocCall>(m_kernel32, "HeapAlloc");
        m_heapFree = Lookup<HeapFreeCall>(m_kernel32, "HeapFree");
    }
}

CProcessFinder::~CProcessFinder()
{
    if (m_ntdll)
        FreeLibrary(m_ntdll);
    if (m_kernel32)
        FreeLibrary(m_kernel32);
}

HANDLE CProcessFinder::OpenByName(const char* name, DWORD& processId) const
{
    if (!m_kernel32)
        return nullptr;
    if (m_createSnapshot && m_processFirst && m_processNext)
        return FindWithToolhelp(name, processId);
    if (m_querySystemInformation && m_getProcessHeap && m_heapAlloc && m_heapFree)
        return FindWithNtQuery(name, processId);
    return nullptr;
}

HANDLE CProcessFinder::FindWithToolhelp(const char* name, DWORD& processId) const
{
    HANDLE snapshot = m_createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    HANDLE process = nullptr;
    tagPROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = m_processFirst(snapshot, &entry); more; more = m_processNext(snapshot, &entry)) {
        if (_stricmp(FileNamePart(entry.szExeFile), name) == 0) {
            processId = entry.th32ProcessID;
            process = OpenForClosing(processId);
            break;
        }
    }
    CloseHandle(snapshot);
    return process;
}

HANDLE CProcessFinder::FindWithNtQuery(const char* name, DWORD& processId) const
{
    HANDLE heap = m_getProcessHeap();
    ULONG size = 0x8000;
    BYTE* buffer = nullptr;
    for (;;) {
        buffer = static_cast<BYTE*>(m_heapAlloc(heap, 0, size));
        if (!buffer) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        LONG status = m_querySystemInformation(kSystemProcessInformation, buffer, size, nullptr);
        if (status >= 0)
            break;
        m_heapFree(heap, 0, buffer);
        if (status != kInfoLengthMismatch) {
            SetLastError(static_cast<DWORD>(status));
            return nullptr;
        }
        size *= 2;
    }
    HANDLE process = nullptr;
    for (const BYTE* record = buffer;;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(record);
        char image[MAX_PATH] = "Idle";
        if (info->ImageName.Buffer) {
            int length = WideCharToMultiByte(CP_ACP, 0, info->ImageName.Buffer, info->ImageName.Length / 2,
                                             image, MAX_PATH - 1, nullptr, nullptr);
            image[length] = 0;
        }
        if (_stricmp(FileNamePart(image), name) == 0) {
            processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId));
            process = OpenForClosing(processId);
            break;
        }
        if (info->NextEntryOffset == 0)
            break;
        record += info->NextEntryOffset;
    }
    m_heapFree(heap, 0, buffer);
    return process;
}

bool CProcessFinder::CloseProcess(const char* name) const
{
    DWORD processId = 0;
    HANDLE process = OpenByName(name, processId);
    if (!process)
        return false;
    WindowsOfProcess target = {processId};
    EnumWindows(PostCloseToProcessWindow, reinterpret_cast<LPARAM>(&target));
    bool closed = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0 || TerminateProcess(process, 0);
    CloseHandle(process);
    return closed;
}
