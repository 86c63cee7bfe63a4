// The editor program as a child process of a test.
#include "tests/editor/shell/KivProcess.h"

#include "framework/CodePage.h"

#include <stdexcept>
#include <vector>

namespace {

struct Search_t {
    DWORD processId;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search_t*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window) && (*search->match)(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string BuildProgram(const std::string& pathInBuild)
{
    // The tests live in <build>\tests\editor\shell.
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    for (int up = 0; up < 4; ++up)
        folder = folder.substr(0, folder.find_last_of('\\'));
    return folder + "\\" + pathInBuild;
}

KivProcess_t::KivProcess_t(const std::string& program, const std::string& arguments)
    : KivProcess_t(program, std::wstring(AfxWideOf(arguments.c_str())))
{
}

KivProcess_t::KivProcess_t(const std::string& program, const std::wstring& arguments)
{
    const std::wstring wideProgram = AfxWideOf(program.c_str());
    std::wstring commandLine = L"\"" + wideProgram + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(wideProgram.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        throw std::runtime_error("cannot start " + program);
}

KivProcess_t::~KivProcess_t()
{
    if (::WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(info.hProcess, 99);
        ::WaitForSingleObject(info.hProcess, 10000);
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

HWND KivProcess_t::WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    do {
        Search_t search = {info.dwProcessId, &match, nullptr};
        ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (::WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;   // ended without showing it
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND KivProcess_t::WaitForMainWindow() const
{
    return WaitForWindow([](HWND window) { return ::GetMenu(window) != nullptr; });
}

HWND KivProcess_t::WaitForDialog() const
{
    return WaitForWindow([](HWND window) { return ClassOf(window) == "#32770" && !TextOf(window).empty(); });
}

bool KivProcess_t::WaitForExit(DWORD& code, DWORD timeoutMs) const
{
    if (::WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    ::GetExitCodeProcess(info.hProcess, &code);
    return true;
}

std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                          10000, &copied);
    text.resize(copied);
    return text;
}

std::string WaitForText(HWND window, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const std::string text = TextOf(window);
        if (!text.empty() || !::IsWindow(window) || ::GetTickCount() - start >= timeoutMs)
            return text;
        ::Sleep(50);
    }
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string MessageOf(HWND dialog)
{
    const DWORD start = ::GetTickCount();
    std::string message;
    while (message.empty() && ::IsWindow(dialog) && ::GetTickCount() - start < 20000) {
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (ClassOf(child) == "Static") {
                const std::string text = TextOf(child);
                if (text.size() > message.size())
                    message = text;
            }
        }
        if (message.empty())
            ::Sleep(50);
    }
    return message;
}

void Press(HWND dialog, int button)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}
