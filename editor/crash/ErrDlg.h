// The fatal-error dialog: a request for help, the crash record, and a button
// that copies the whole crash log to the clipboard.
#pragma once

#include "foundation/afx/AFX_Ctrl.h"
#include "framework/Framework.h"

#include <string>

namespace app {

class ErrDlg_t : public CDialog {
public:
    ErrDlg_t(const std::string& message, const std::string& record, const std::string& logPath);

    BOOL OnInitDialog() override;
    afx_msg void OnCopyLogToClipboard();
    afx_msg void OnSetFocusLog();

    DECLARE_MESSAGE_MAP()

private:
    afx::Ctrl_t<CStatic> messageControl;
    afx::Ctrl_t<CEdit> logControl;
    std::string message;
    std::string record;
    std::string logPath;
};

} // namespace app
