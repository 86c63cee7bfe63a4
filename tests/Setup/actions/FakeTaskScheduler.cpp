// The stand-in Task Scheduler of the task road's tests (see FakeTaskScheduler.h).
#include "tests/Setup/actions/FakeTaskScheduler.h"

#include "Setup/actions/InstallActions.h"

#include <psapi.h>

namespace setup_test {

namespace {

FakeTaskScheduler* g_scheduler = nullptr;

HRESULT CreateFakeService(void** service)
{
    if (g_scheduler->failStep == L"CreateService")
        return E_FAIL;
    *service = static_cast<ITaskService*>(g_scheduler);
    g_scheduler->AddRef();
    return S_OK;
}

std::wstring TextOf(const VARIANT& value)
{
    return value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
}

}  // namespace

FakeTaskScheduler::FakeTaskScheduler()
{
    g_scheduler = this;
    CInstallActions::SetTaskServiceFactoryForTest(CreateFakeService);
}

FakeTaskScheduler::~FakeTaskScheduler()
{
    CInstallActions::SetTaskServiceFactoryForTest(nullptr);
    g_scheduler = nullptr;
    if (m_started) {
        WaitForSingleObject(m_program.hProcess, 10000);
        CloseHandle(m_program.hProcess);
        CloseHandle(m_program.hThread);
    }
}

HRESULT FakeTaskScheduler::Step(const wchar_t* name)
{
    steps.push_back(name);
    return failStep == name ? E_FAIL : S_OK;
}

template <typename Role>
HRESULT FakeTaskScheduler::HandOut(const wchar_t* step, Role* role, Role** out)
{
    HRESULT result = Step(step);
    if (SUCCEEDED(result)) {
        *out = role;
        AddRef();
    }
    return result;
}

HRESULT FakeTaskScheduler::QueryInterface(REFIID iid, void** object)
{
    *object = nullptr;
    if (iid == IID_IExecAction && failStep != L"QueryExecAction")
        *object = static_cast<IExecAction*>(this);
    steps.push_back(L"QueryInterface");
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG FakeTaskScheduler::AddRef()
{
    return static_cast<ULONG>(++references);
}

ULONG FakeTaskScheduler::Release()
{
    return static_cast<ULONG>(--references);
}

HRESULT FakeTaskScheduler::Connect(VARIANT server, VARIANT user, VARIANT domain, VARIANT password)
{
    bool allEmpty = server.vt == VT_EMPTY && user.vt == VT_EMPTY && domain.vt == VT_EMPTY && password.vt == VT_EMPTY;
    return allEmpty ? Step(L"Connect") : E_INVALIDARG;
}

HRESULT FakeTaskScheduler::GetFolder(BSTR path, ITaskFolder** folder)
{
    if (!path || wcscmp(path, L"\\") != 0)
        return E_INVALIDARG;
    return HandOut<ITaskFolder>(L"GetFolder", this, folder);
}

HRESULT FakeTaskScheduler::DeleteTask(BSTR name, LONG flags)
{
    if (flags != 0)
        return E_INVALIDARG;
    // Before the registration the installer clears away a task of the same name.
    HRESULT result = Step(registeredName.empty() ? L"DeleteOld" : L"DeleteTask");
    return name ? result : E_INVALIDARG;
}

HRESULT FakeTaskScheduler::NewTask(DWORD flags, ITaskDefinition** definition)
{
    return flags == 0 ? HandOut<ITaskDefinition>(L"NewTask", this, definition) : E_INVALIDARG;
}

HRESULT FakeTaskScheduler::get_Triggers(ITriggerCollection** triggers)
{
    return HandOut<ITriggerCollection>(L"GetTriggers", this, triggers);
}

HRESULT FakeTaskScheduler::Create(TASK_TRIGGER_TYPE2 type, ITrigger** trigger)
{
    triggerType = type;
    return HandOut<ITrigger>(L"CreateTrigger", this, trigger);
}

HRESULT FakeTaskScheduler::get_Actions(IActionCollection** actions)
{
    return HandOut<IActionCollection>(L"GetActions", this, actions);
}

HRESULT FakeTaskScheduler::Create(TASK_ACTION_TYPE type, IAction** action)
{
    actionType = type;
    return HandOut<IAction>(L"CreateAction", static_cast<IExecAction*>(this), action);
}

HRESULT FakeTaskScheduler::put_Path(BSTR value)
{
    path = value ? value : L"";
    return Step(L"PutPath");
}

HRESULT FakeTaskScheduler::put_Arguments(BSTR value)
{
    arguments = value ? value : L"";
    return Step(L"PutArguments");
}

HRESULT FakeTaskScheduler::RegisterTaskDefinition(BSTR name, ITaskDefinition* definition, LONG flags, VARIANT user,
                                                  VARIANT password, TASK_LOGON_TYPE logon, VARIANT sddl,
                                                  IRegisteredTask** task)
{
    if (definition != static_cast<ITaskDefinition*>(this))
        return E_INVALIDARG;
    registeredName = name ? name : L"";
    registeredFlags = flags;
    registeredUser = TextOf(user);
    passwordType = password.vt;
    logonType = logon;
    registeredSecurity = sddl.vt == VT_BSTR ? TextOf(sddl) : L"<not a text>";
    HRESULT result = HandOut<IRegisteredTask>(L"Register", this, task);
    if (SUCCEEDED(result) && runsTasks) {
        std::wstring command = path;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        m_started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &m_program) != FALSE;
    }
    return result;
}

HRESULT FakeTaskScheduler::get_State(TASK_STATE* state)
{
    ++statePolls;
    // The task counts as started once its program is loaded (a search by name can
    // find it from then on) or has already ended.
    wchar_t name[MAX_PATH];
    const bool running = m_started && (WaitForSingleObject(m_program.hProcess, 0) != WAIT_TIMEOUT ||
                                       GetModuleBaseNameW(m_program.hProcess, nullptr, name, MAX_PATH) > 0);
    *state = running ? TASK_STATE_RUNNING : TASK_STATE_READY;
    return S_OK;
}

}  // namespace setup_test
