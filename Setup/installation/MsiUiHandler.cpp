// The installation page's handler of Windows Installer's messages (see MsiUiHandler.h).
#include "Setup/installation/MsiUiHandler.h"

#include "Setup/actions/InstallActions.h"
#include "Setup/installation/InstallMSIProgressDlg.h"
#include "Setup/installation/MsiMessage.h"
#include "Setup/wizard/SetupResource.h"

#include <msi.h>

#include <algorithm>
#include <climits>

namespace {

CMsiUiState g_state;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void OnActionStart(const wchar_t* message)
{
    CString text;
    if (CMsiMessage::ActionStartText(message, text))
        CInstallMSIProgressDlg::SetActionText(text);
}

void OnActionData(const wchar_t* message)
{
    if (g_state.total == 0)
        return;
    CMsiMessage::DataTexts texts;
    texts.copyingFile = Text(IDS_COPYING_FILE);
    texts.namelessFile = Text(IDS_FILE_ACTION);
    texts.registry = Text(IDS_REGISTRY_ACTION);
    texts.shortcut = Text(IDS_SHORTCUT_ACTION);
    texts.rollback = Text(IDS_ROLLBACK);
    CInstallMSIProgressDlg::SetActionText(CMsiMessage::ActionDataText(message, g_state.forward, texts));
}

void OnProgress(const wchar_t* message)
{
    int* fields = g_state.progressFields;
    if (!CMsiMessage::ParseProgress(message, fields))
        return;
    HWND bar = g_state.progressBar;
    if (fields[0] == 0) {   // reset: a new total and direction
        g_state.total = fields[1];
        g_state.forward = fields[2] == 0;
        g_state.position = g_state.forward ? 0 : g_state.total;
        SendMessageW(bar, PBM_SETRANGE, 0, static_cast<LPARAM>(static_cast<DWORD>(g_state.total) << 16));
    } else if (fields[0] == 2 && g_state.total != 0) {   // increment
        SendMessageW(bar, PBM_SETRANGE32, 0, 100);
        // Summed wide and kept within an int: the steps may add up beyond it.
        long long step = g_state.forward ? fields[1] : -static_cast<long long>(fields[1]);
        g_state.position = static_cast<int>(std::clamp<long long>(g_state.position + step, INT_MIN, INT_MAX));
        double ratio = static_cast<double>(g_state.position) / g_state.total * 100.0;
        int percent = ratio < 0.0 ? 0 : ratio > 100.0 ? 100 : static_cast<int>(ratio);
        SendMessageW(bar, PBM_SETPOS, percent, 0);
        CString shown;
        shown.Format(L"%d%%", percent);
        CInstallMSIProgressDlg::PercentItem().SetText(shown);
    }
}

void OnCommonData(const wchar_t* message)
{
    int* fields = g_state.commonFields;
    if (!CMsiMessage::ParseCommonData(message, fields))
        return;
    if (fields[0] == 0) {
        g_state.language = static_cast<WORD>(fields[1]);
    } else if (fields[0] == 2) {   // whether Cancel can be offered
        int show = fields[1] != 0 ? SW_SHOW : SW_HIDE;
        ShowWindow(g_state.progressBar, show);
        ShowWindow(g_state.cancelItem, show);
    }
}

}  // namespace

CMsiUiState& MsiUiState()
{
    return g_state;
}

int WINAPI MsiUiHandler(LPVOID, UINT messageType, LPCWSTR message)
{
    if (!message)
        return 0;
    const UINT style = messageType & 0x00FFFFFF;
    int answer = 0;
    switch (messageType & 0xFF000000) {
    case INSTALLMESSAGE_FATALEXIT:
        return MessageBoxW(nullptr, message, L"FatalError", style);
    case INSTALLMESSAGE_ERROR:
        MessageBeep(style & MB_ICONMASK);
        return MessageBoxExW(nullptr, message, L"Error", style, g_state.language);
    case INSTALLMESSAGE_WARNING:
        return MessageBoxW(nullptr, message, L"Warning", style);
    case INSTALLMESSAGE_USER:
        return MessageBoxW(nullptr, message, L"User", style);
    case INSTALLMESSAGE_OUTOFDISKSPACE:
        return MessageBoxW(nullptr, message, L"Error", style);
    case INSTALLMESSAGE_INFO:
    case INSTALLMESSAGE_INITIALIZE:
    case INSTALLMESSAGE_TERMINATE:
    case INSTALLMESSAGE_SHOWDIALOG:
        return IDOK;
    case INSTALLMESSAGE_COMMONDATA:
        OnCommonData(message);
        return IDOK;
    case INSTALLMESSAGE_ACTIONSTART:
        OnActionStart(message);
        answer = IDOK;
        break;
    case INSTALLMESSAGE_ACTIONDATA:
        OnActionData(message);
        answer = IDOK;
        break;
    case INSTALLMESSAGE_PROGRESS:
        OnProgress(message);
        answer = IDOK;
        break;
    default:   // RESOLVESOURCE and the kinds not asked for
        return 0;
    }
    // Windows Installer may run in this very thread without serving its messages in
    // between: let the page repaint and its Cancel item be pressed.
    CInstallActions::PumpPendingMessages();
    if ((messageType & 0xFF000000) == INSTALLMESSAGE_PROGRESS && g_state.cancelRequested == 1)
        answer = IDCANCEL;
    return answer;
}
