// CInstallActions: starting a program as the Users group through a one-shot task of the
// Task Scheduler (Windows Vista and later), and waiting for it by its name.
#include "Setup/actions/InstallActions.h"

#include <ctime>
#include <psapi.h>
#include <taskschd.h>

namespace {

// Holds one COM interface pointer and releases it when it ends.
template <typename T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr() { Release(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return m_pointer; }
    T* get() const { return m_pointer; }
    T** receive() { Release(); return &m_pointer; }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }
    void Release()
    {
        if (m_pointer)
            m_pointer->Release();
        m_pointer = nullptr;
    }

private:
    T* m_pointer = nullptr;
};

// A BSTR freed when it ends.
class Bstr
{
public:
    explicit Bstr(const wchar_t* text) : m_text(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_text; }

private:
    BSTR m_text;
};

// A VARIANT holding a text, or empty.
class TextVariant
{
public:
    TextVariant() { VariantInit(&m_value); }
    explicit TextVariant(const wchar_t* text) : TextVariant()
    {
        m_value.vt = VT_BSTR;
        m_value.bstrVal = SysAllocString(text);
    }
    ~TextVariant() { VariantClear(&m_value); }
    TextVariant(const TextVariant&) = delete;
    TextVariant& operator=(const TextVariant&) = delete;
    operator VARIANT() const { return m_value; }

private:
    VARIANT m_value;
};

// COM for this thread, uninitialised once when it ends.
class ComSession
{
public:
    ComSession() : m_result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComSession() { if (SUCCEEDED(m_result)) CoUninitialize(); }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
};

bool Failed(HRESULT result, const wchar_t* diagnostic)
{
    if (SUCCEEDED(result))
        return false;
    CInstallActions::TraceFormat(diagnostic, static_cast<unsigned>(result));
    return true;
}

const wchar_t kUsersGroup[] = L"S-1-5-32-545";

CInstallActions::TaskServiceFactory g_taskServiceFactory = nullptr;

HRESULT CreateTaskService(ITaskService** service)
{
    if (g_taskServiceFactory)
        return g_taskServiceFactory(reinterpret_cast<void**>(service));
    return CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                            reinterpret_cast<void**>(service));
}
const int kStatePolls = 50;

// Registers the task and waits until it runs; false (with its diagnostic) otherwise.
bool RunTask(const CString& commandLine, const wchar_t* taskName)
{
    // Security can be set once per process: a later launch finds it set already.
    HRESULT result = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                          RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (result != RPC_E_TOO_LATE && Failed(result, L"\nCoInitializeSecurity failed: %x"))
        return false;

    ComPtr<ITaskService> service;
    if (Failed(CreateTaskService(service.receive()), L"Failed to CoCreate an instance of the TaskService class: %x"))
        return false;
    TextVariant none;
    if (Failed(service->Connect(none, none, none, none), L"ITaskService::Connect failed: %x"))
        return false;

    ComPtr<ITaskFolder> root;
    if (Failed(service->GetFolder(Bstr(L"\\"), root.receive()), L"Cannot get Root Folder pointer: %x"))
        return false;
    Bstr name(taskName);
    root->DeleteTask(name, 0);

    ComPtr<ITaskDefinition> definition;
    HRESULT created = service->NewTask(0, definition.receive());
    service.Release();
    if (Failed(created, L"\nFailed to create the task definition: %x"))
        return false;

    ComPtr<ITriggerCollection> triggers;
    if (Failed(definition->get_Triggers(triggers.receive()), L"\nCannot get trigger collection: %x"))
        return false;
    ComPtr<ITrigger> trigger;
    if (Failed(triggers->Create(TASK_TRIGGER_REGISTRATION, trigger.receive()),
               L"\nCannot add registration trigger to the Task %x"))
        return false;

    ComPtr<IActionCollection> actions;
    if (Failed(definition->get_Actions(actions.receive()), L"\nCannot get Task collection pointer: %x"))
        return false;
    ComPtr<IAction> action;
    if (Failed(actions->Create(TASK_ACTION_EXEC, action.receive()), L"\npActionCollection->Create failed: %x"))
        return false;
    ComPtr<IExecAction> exec;
    if (Failed(action->QueryInterface(IID_IExecAction, exec.receiveVoid()), L"\npAction->QueryInterface failed: %x"))
        return false;
    if (Failed(exec->put_Path(Bstr(commandLine)), L"\nCannot set path of executable: %x"))
        return false;
    if (Failed(exec->put_Arguments(Bstr(L"")), L"\nCannot set arguments of executable: %x"))
        return false;

    ComPtr<IRegisteredTask> task;
    TextVariant users(kUsersGroup), noPassword, noSecurity(L"");
    if (Failed(root->RegisterTaskDefinition(name, definition.get(), TASK_CREATE, users, noPassword,
                                            TASK_LOGON_GROUP, noSecurity, task.receive()),
               L"\nError saving the Task : %x"))
        return false;
    CInstallActions::Trace(L"\n Success! Task successfully registered. ");

    bool running = false;
    for (int poll = 0; poll < kStatePolls && !running; ++poll) {
        TASK_STATE state = TASK_STATE_UNKNOWN;
        running = SUCCEEDED(task->get_State(&state)) && state == TASK_STATE_RUNNING;
        if (!running)
            Sleep(100);
    }
    if (!running) {
        CInstallActions::Trace(L"Task didn't start\n");
        return false;
    }
    if (Failed(root->DeleteTask(name, 0), L"\nError deleting the Task : %x"))
        return false;
    CInstallActions::Trace(L"\n Success! Task successfully deleted. ");
    return true;
}

// Waits for the first process whose module base name is the program's file name.
void WaitForProgram(const CString& commandLine, DWORD& exitCode)
{
    CString program = commandLine.Mid(commandLine.ReverseFind(L'\\') + 1);
    DWORD ids[1024];
    DWORD bytes = 0;
    if (!EnumProcesses(ids, sizeof(ids), &bytes))
        return;
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        if (ids[i] == 0)
            continue;
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process)
            continue;
        wchar_t baseName[51] = L"";
        bool match = GetModuleBaseNameW(process, nullptr, baseName, 50) > 0 &&
                     program.CompareNoCase(baseName) == 0;
        if (match) {
            CInstallActions::WaitPumpingMessages(process);
            GetExitCodeProcess(process, &exitCode);
        }
        CloseHandle(process);
        if (match)
            return;
    }
}

}  // namespace

void CInstallActions::SetTaskServiceFactoryForTest(TaskServiceFactory factory)
{
    g_taskServiceFactory = factory;
}

bool CInstallActions::RunAsUsersGroupTask(const CString& commandLine, bool wait, DWORD& exitCode)
{
    srand(static_cast<unsigned>(time(nullptr)));
    CString taskName;
    taskName.Format(L"Launch %d", rand());
    {
        ComSession com;
        if (Failed(com.Result(), L"\nCoInitializeEx failed: %x"))
            return false;
        if (!RunTask(commandLine, taskName))
            return false;
    }
    if (wait)
        WaitForProgram(commandLine, exitCode);
    return true;
}
