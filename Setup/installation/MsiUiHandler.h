// MsiUiHandler: the installation page's handler of Windows Installer's messages, set
// as the external user interface while Windows Installer's own is off. Errors and
// warnings become message boxes whose answer goes back to Windows Installer; action
// starts and action data become the action text under the progress bar; progress
// messages move the bar and the percentage; the answer to a progress message after
// the user confirmed Cancel stops the installation. Windows Installer calls it on the
// thread that installs, the user-interface thread; its state is program-wide.
#pragma once

#include <windows.h>

struct CMsiUiState
{
    HWND progressBar = nullptr;   // the installation page's bar and Cancel item
    HWND cancelItem = nullptr;
    int cancelRequested = 0;      // 1 once the user confirmed Cancel
    WORD language = 0;            // of Windows Installer's messages, for its error boxes
    // The progress of the current run: total, position and direction, from the reset
    // message; they last from the driver package's run into the next until a reset.
    int total = 0;
    int position = 0;
    bool forward = false;
    int progressFields[4] = {};   // the last fields read
    int commonFields[2] = {};
};

CMsiUiState& MsiUiState();

// The filter of the messages the handler gets: every kind from FATALEXIT to TERMINATE
// except FILESINUSE.
constexpr DWORD kMsiUiFilter = 0x3FDF;

int WINAPI MsiUiHandler(LPVOID context, UINT messageType, LPCWSTR message);
