// A small program that the installer tests start and end:
//   TestHelper exit CODE              ends at once with CODE
//   TestHelper sleep MS CODE          ends after MS milliseconds with CODE
//   TestHelper window close|ignore EVENT
//                                     opens a window, signals the named EVENT, and then
//                                     either closes on WM_CLOSE (exit code 3) or ignores it
//   TestHelper                        (no arguments) ends after 2 s with code 7
#include <windows.h>
#include <cstdlib>
#include <cwchar>

namespace {

bool g_ignoreClose = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && g_ignoreClose)
        return 0;
    if (message == WM_DESTROY) {
        PostQuitMessage(3);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunWindow(bool ignoreClose, const wchar_t* eventName)
{
    g_ignoreClose = ignoreClose;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SetupTestHelperWindow";
    RegisterClassW(&windowClass);
    CreateWindowW(L"SetupTestHelperWindow", L"Setup test helper", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                  nullptr, nullptr, windowClass.hInstance, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (ready) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}

}  // namespace

int main()
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 2) {
        Sleep(2000);
        return 7;
    }
    if (wcscmp(args[1], L"exit") == 0 && count >= 3)
        return _wtoi(args[2]);
    if (wcscmp(args[1], L"sleep") == 0 && count >= 4) {
        Sleep(_wtoi(args[2]));
        return _wtoi(args[3]);
    }
    if (wcscmp(args[1], L"window") == 0 && count >= 4)
        return RunWindow(wcscmp(args[2], L"ignore") == 0, args[3]);
    return 99;
}
