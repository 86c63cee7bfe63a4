// The fatal-error dialog.
#include "editor/crash/ErrDlg.h"

#include "foundation/afx/AFX_GetDlgItem.h"
#include "foundation/afx/AFX_OClipboard.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"
#include "foundation/glo/GLO_StringResource.h"
#include "foundation/win/WIN_File.h"
#include "foundation/win/WIN_MappedFile.h"
#include "foundation/win/WIN_MappedFileView.h"

namespace app {

namespace {

std::string WithCrLf(const std::string& text)
{
    std::string converted;
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

// The whole log file as it is stored.
std::string ReadLogFile(const std::string& path)
{
    win::File_t file(path, GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     FILE_SHARE_READ | FILE_SHARE_WRITE);
    const DWORD size = file.GetSize();
    if (size == 0)
        return std::string();
    win::MappedFile_t mapping(file, nullptr, PAGE_READONLY, 0, 0);
    win::MappedFileView_t view(mapping, FILE_MAP_READ, 0, 0, 0);
    std::string bytes(static_cast<const char*>(view.GetBase()), size);
    view.Unmap();
    return bytes;
}

} // namespace

BEGIN_MESSAGE_MAP(ErrDlg_t, CDialog)
    ON_BN_CLICKED(IDC_ERRDLG_COPY, &ErrDlg_t::OnCopyLogToClipboard)
    ON_EN_SETFOCUS(IDC_ERRDLG_LOG, &ErrDlg_t::OnSetFocusLog)
END_MESSAGE_MAP()

ErrDlg_t::ErrDlg_t(const std::string& message, const std::string& record, const std::string& logPath)
    : CDialog(IDD_ERRDLG), message(message), record(record), logPath(logPath)
{
}

BOOL ErrDlg_t::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("Pellorin");
    messageControl.Init(this, IDC_ERRDLG_MESSAGE);
    messageControl.SetWindowText(message.c_str());
    logControl.Init(this, IDC_ERRDLG_LOG);
    const glo::StringResource_t heading(IDS_ERROR_INFORMATION, ".\\ErrDlg", 54);
    logControl.SetWindowText((heading.GetText() + "\r\n" + WithCrLf(record)).c_str());
    return TRUE;
}

// A log that cannot be read (never written, or removed since) is reported
// here and the dialog stays open: the record is still in front of the user.
void ErrDlg_t::OnCopyLogToClipboard()
{
    std::string log;
    try {
        log = ReadLogFile(logPath);
    } catch (const glo::Exception_t&) {
        const glo::StringResource_t text(IDS_LOG_UNAVAILABLE, ".\\ErrDlg", __LINE__);
        AfxMessageBox(text.GetText().c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    afx::OClipboard_t clipboard;
    clipboard.AddText(log);
}

void ErrDlg_t::OnSetFocusLog()
{
    afx::GetDlgItemChecked(this, IDOK)->SetFocus();
}

} // namespace app
