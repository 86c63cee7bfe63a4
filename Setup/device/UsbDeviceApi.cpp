// CUsbDeviceApi: the real Windows calls (see UsbDeviceApi.h).
#include "Setup/device/UsbDeviceApi.h"

namespace {
CUsbDeviceApi g_real;
CUsbDeviceApi* g_current = &g_real;
}  // namespace

CUsbDeviceApi& CUsbDeviceApi::Current()
{
    return *g_current;
}

void CUsbDeviceApi::SetForTest(CUsbDeviceApi* api)
{
    g_current = api ? api : &g_real;
}

HDEVINFO CUsbDeviceApi::GetClassDevsA(const GUID* interfaceClass, DWORD flags)
{
    return SetupDiGetClassDevsA(interfaceClass, nullptr, nullptr, flags);
}

HDEVINFO CUsbDeviceApi::GetClassDevsW(const GUID* interfaceClass, DWORD flags)
{
    return SetupDiGetClassDevsW(interfaceClass, nullptr, nullptr, flags);
}

BOOL CUsbDeviceApi::EnumDeviceInterfaces(HDEVINFO list, const GUID* interfaceClass, DWORD index,
                                         SP_DEVICE_INTERFACE_DATA* data)
{
    return SetupDiEnumDeviceInterfaces(list, nullptr, interfaceClass, index, data);
}

BOOL CUsbDeviceApi::GetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                              SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                              DWORD* required)
{
    return SetupDiGetDeviceInterfaceDetailA(list, data, detail, size, required, nullptr);
}

BOOL CUsbDeviceApi::DestroyDeviceInfoList(HDEVINFO list)
{
    return SetupDiDestroyDeviceInfoList(list);
}

HANDLE CUsbDeviceApi::CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    return ::CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
}

HANDLE CUsbDeviceApi::CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

BOOL CUsbDeviceApi::DeviceIoControl(HANDLE device, DWORD code, void* input, DWORD inputSize, void* output,
                                    DWORD outputSize, DWORD* returned, OVERLAPPED* overlapped)
{
    return ::DeviceIoControl(device, code, input, inputSize, output, outputSize, returned, overlapped);
}

BOOL CUsbDeviceApi::ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read, OVERLAPPED* overlapped)
{
    return ::ReadFile(device, buffer, size, read, overlapped);
}

BOOL CUsbDeviceApi::WriteFile(HANDLE device, const void* bytes, DWORD size, DWORD* written, OVERLAPPED* overlapped)
{
    return ::WriteFile(device, bytes, size, written, overlapped);
}

BOOL CUsbDeviceApi::GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait)
{
    return ::GetOverlappedResult(device, overlapped, transferred, wait);
}

BOOL CUsbDeviceApi::CancelIo(HANDLE device)
{
    return ::CancelIo(device);
}

HANDLE CUsbDeviceApi::CreateManualEvent()
{
    return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

BOOL CUsbDeviceApi::CloseHandle(HANDLE handle)
{
    return ::CloseHandle(handle);
}

void CUsbDeviceApi::Sleep(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}
