// CUsbDeviceApi: the Windows calls through which the installer reaches the maker's USB
// units and data-card programmers: device interface lists of a class, opening a device,
// device control, overlapped reads and writes with their events, cancelling and closing,
// and the pause in which a unit answers a request.
// Each member makes exactly its Windows call; a test puts a simulated unit in their place.
#pragma once

#include <windows.h>
#include <setupapi.h>

class CUsbDeviceApi
{
public:
    virtual ~CUsbDeviceApi() = default;

    // SetupDiGetClassDevs(class, no enumerator, no window, flags).
    virtual HDEVINFO GetClassDevsA(const GUID* interfaceClass, DWORD flags);
    virtual HDEVINFO GetClassDevsW(const GUID* interfaceClass, DWORD flags);
    // SetupDiEnumDeviceInterfaces over the whole list (no device record).
    virtual BOOL EnumDeviceInterfaces(HDEVINFO list, const GUID* interfaceClass, DWORD index,
                                      SP_DEVICE_INTERFACE_DATA* data);
    virtual BOOL GetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                           SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                           DWORD* required);
    virtual BOOL DestroyDeviceInfoList(HDEVINFO list);

    // CreateFile without security attributes or template.
    virtual HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    virtual HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    virtual BOOL DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize, void* output,
                                 DWORD outputSize, DWORD* returned, OVERLAPPED* overlapped);
    virtual BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read, OVERLAPPED* overlapped);
    virtual BOOL WriteFile(HANDLE device, const void* bytes, DWORD size, DWORD* written, OVERLAPPED* overlapped);
    virtual BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait);
    virtual BOOL CancelIo(HANDLE device);
    // An unnamed manual-reset event, created unsignalled.
    virtual HANDLE CreateManualEvent();
    // Closes a device or an event.
    virtual BOOL CloseHandle(HANDLE handle);
    // Sleep.
    virtual void Sleep(DWORD milliseconds);

    // The calls in force: the real ones unless a test has put others in place.
    static CUsbDeviceApi& Current();
    // A test's stand-in; null restores the real calls.
    static void SetForTest(CUsbDeviceApi* api);
};
