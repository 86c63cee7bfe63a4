// Shared helpers of the installer tests (see SetupTestSupport.h).
#include "tests/Setup/actions/SetupTestSupport.h"

#include "Setup/actions/DriveEnumerator.h"

#include <cstdio>
#include <new>
#include <shlwapi.h>
#include <taskschd.h>

namespace setup_test {

namespace {

OSVERSIONINFOEXW g_fakeVersion;

BOOL WINAPI FakeVersionQuery(LPOSVERSIONINFOW info)
{
    DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW))
        return FALSE;
    memcpy(info, &g_fakeVersion, size);
    info->dwOSVersionInfoSize = size;
    return TRUE;
}

// 26 roots of three characters, each with its zero, and the list's closing zero.
DWORD WINAPI EveryLetterDriveStrings(DWORD length, LPWSTR buffer)
{
    const DWORD needed = 26 * 4 + 1;
    if (length < needed)
        return needed;
    for (int letter = 0; letter < 26; ++letter) {
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + letter), L':', L'\\', L'\0'};
        wmemcpy(buffer + letter * 4, root, 4);
    }
    buffer[needed - 1] = L'\0';
    return needed - 1;
}

std::wstring g_diagnostics;

void CollectDiagnostic(const wchar_t* text)
{
    g_diagnostics += text;
}

void NoRoom(std::vector<char>&, size_t)
{
    throw std::bad_alloc();
}

}  // namespace

TempFolder::TempFolder()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path.Format(L"%ssetup_tests_%lu_%d", temp, GetCurrentProcessId(), ++counter);
    m_path.Replace(L"\\\\", L"\\");
    CreateDirectoryW(m_path, nullptr);
}

TempFolder::~TempFolder()
{
    CInstallActions::DeleteFolderRecursive(m_path);
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    FILE* file = _wfopen(path, L"wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

void WriteBytesPadded(const CString& path, const std::string& bytes, LONGLONG length)
{
    WriteBytes(path, bytes);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER end;
    end.QuadPart = length;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

NoMemoryForTextFiles::NoMemoryForTextFiles()
{
    CInstallActions::SetTextFileBufferForTest(NoRoom);
}

NoMemoryForTextFiles::~NoMemoryForTextFiles()
{
    CInstallActions::SetTextFileBufferForTest(nullptr);
}

std::string ReadBytes(const CString& path)
{
    std::string bytes;
    FILE* file = _wfopen(path, L"rb");
    if (!file)
        return bytes;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), file)) > 0;)
        bytes.append(buffer, n);
    fclose(file);
    return bytes;
}

FakeWindowsVersion::FakeWindowsVersion(DWORD platform, DWORD major, DWORD minor, WORD servicePack,
                                       const wchar_t* servicePackText)
{
    g_fakeVersion = {};
    g_fakeVersion.dwOSVersionInfoSize = sizeof(g_fakeVersion);
    g_fakeVersion.dwPlatformId = platform;
    g_fakeVersion.dwMajorVersion = major;
    g_fakeVersion.dwMinorVersion = minor;
    g_fakeVersion.wServicePackMajor = servicePack;
    wcsncpy(g_fakeVersion.szCSDVersion, servicePackText, 127);
    CInstallActions::SetVersionQueryForTest(FakeVersionQuery);
}

FakeWindowsVersion::~FakeWindowsVersion()
{
    CInstallActions::SetVersionQueryForTest(nullptr);
}

EveryDriveLetter::EveryDriveLetter()
{
    CDriveEnumerator::SetDriveStringsForTest(EveryLetterDriveStrings);
}

EveryDriveLetter::~EveryDriveLetter()
{
    CDriveEnumerator::SetDriveStringsForTest(nullptr);
}

CapturedDiagnostics::CapturedDiagnostics()
{
    g_diagnostics.clear();
    CInstallActions::SetDiagnosticSinkForTest(CollectDiagnostic);
}

CapturedDiagnostics::~CapturedDiagnostics()
{
    CInstallActions::SetDiagnosticSinkForTest(nullptr);
}

std::wstring CapturedDiagnostics::Text() const
{
    return g_diagnostics;
}

TestKey::TestKey(HKEY root, const CString& path) : m_root(root), m_path(path)
{
    RegDeleteTreeW(m_root, m_path);
    CreateSubkey(L"");
}

TestKey::~TestKey()
{
    RegDeleteTreeW(m_root, m_path);
    RegDeleteKeyW(m_root, m_path);
}

void TestKey::CreateSubkey(const CString& relative) const
{
    HKEY key = nullptr;
    CString path = relative.IsEmpty() ? m_path : m_path + L"\\" + relative;
    if (RegCreateKeyExW(m_root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

CString ProgramFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    PathRemoveFileSpecW(path);
    return CString(path);
}

CString HelperPath(const wchar_t* fileName)
{
    return ProgramFolder() + L"\\" + fileName;
}

PROCESS_INFORMATION StartProcess(const CString& commandLine)
{
    CString writable(commandLine);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    CreateProcessW(nullptr, writable.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

std::vector<std::wstring> DeleteLeftoverLaunchTasks()
{
    std::vector<std::wstring> names;
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ITaskService* service = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                   reinterpret_cast<void**>(&service)))) {
        VARIANT none;
        VariantInit(&none);
        ITaskFolder* root = nullptr;
        BSTR rootName = SysAllocString(L"\\");
        if (SUCCEEDED(service->Connect(none, none, none, none)) && SUCCEEDED(service->GetFolder(rootName, &root))) {
            IRegisteredTaskCollection* tasks = nullptr;
            if (SUCCEEDED(root->GetTasks(TASK_ENUM_HIDDEN, &tasks))) {
                LONG count = 0;
                tasks->get_Count(&count);
                for (LONG i = 1; i <= count; ++i) {
                    VARIANT index;
                    VariantInit(&index);
                    index.vt = VT_I4;
                    index.lVal = i;
                    IRegisteredTask* task = nullptr;
                    BSTR name = nullptr;
                    if (SUCCEEDED(tasks->get_Item(index, &task)) && SUCCEEDED(task->get_Name(&name))) {
                        if (wcsncmp(name, L"Launch ", 7) == 0)
                            names.push_back(name);
                        SysFreeString(name);
                    }
                    if (task)
                        task->Release();
                }
                tasks->Release();
                for (const std::wstring& name : names) {
                    BSTR taskName = SysAllocString(name.c_str());
                    root->DeleteTask(taskName, 0);
                    SysFreeString(taskName);
                }
            }
            root->Release();
        }
        SysFreeString(rootName);
        service->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return names;
}

}  // namespace setup_test
