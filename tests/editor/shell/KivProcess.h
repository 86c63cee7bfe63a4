// The editor program run as a child process of a test and driven through its
// windows with messages, as a person would with mouse and keys.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class KivProcess_t {
public:
    // Starts the program with the arguments; the child inherits this process's
    // environment, TMP and TEMP with it.
    KivProcess_t(const std::string& program, const std::string& arguments);
    // The same with arguments in UTF-16, names that the code page may not hold among them.
    KivProcess_t(const std::string& program, const std::wstring& arguments);
    // Ends the child when it is still running.
    ~KivProcess_t();
    KivProcess_t(const KivProcess_t&) = delete;
    KivProcess_t& operator=(const KivProcess_t&) = delete;

    // A visible top-level window of the child that matches; null after the timeout.
    HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs = 60000) const;
    // The main window (the one with a menu); a dialog box or message box with its caption set.
    HWND WaitForMainWindow() const;
    HWND WaitForDialog() const;

    // True when the child ended within the timeout; its exit code in code.
    bool WaitForExit(DWORD& code, DWORD timeoutMs = 60000) const;
    DWORD GetThreadId() const { return info.dwThreadId; }

private:
    PROCESS_INFORMATION info = {};
};

// The full path of a program of this build, from its path in the build folder.
std::string BuildProgram(const std::string& pathInBuild);

// A window's text, read with WM_GETTEXT (also across processes).
std::string TextOf(HWND window);
// The window's text once it is not empty; empty after the timeout.
std::string WaitForText(HWND window, DWORD timeoutMs = 20000);
std::string ClassOf(HWND window);
// The longest static text of a dialog: a message box's message, once it is set.
std::string MessageOf(HWND dialog);
// Presses a dialog's button.
void Press(HWND dialog, int button);
