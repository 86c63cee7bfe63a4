// Lets a test run code that shows modal user interface, with nobody at the screen.
//
// While a CTestHook object lives, every modal thing the framework would show is
// answered from the hook's queue of answers instead, in the order they were queued,
// and noted in its log:
//   - message boxes of AfxMessageBox, CWnd::MessageBox and CWinApp::DoMessageBox
//     (none is shown; the queued result is returned), and the system's own message
//     boxes of code that calls MessageBox directly (shown and closed at once with
//     the queued button; their log entry has style 0);
//   - modal dialogs (CDialog::DoModal): the dialog really opens and runs its
//     OnInitDialog, then the queued action runs inside its modal loop with the live
//     dialog, and the button it returns is pressed (a real WM_COMMAND, so OnOK and
//     the data exchange run). While the dialog stays open (its exchange failed) the
//     next queued dialog answer is taken for it;
//   - the open-file and save-file dialogs (CFileDialog, also behind File Open and
//     Save As): none is shown; the queued file name is chosen or the dialog cancelled;
//   - popup menus (CMenu::TrackPopupMenu): none is shown; the queued command is chosen.
// A question met with no answer queued (or an answer of another kind next) is
// answered "cancel" (IDOK for a box with only OK) and counted in Unanswered(), so a
// test can check that the program asked exactly what was expected.
//
//     CTestHook hook;
//     hook.AnswerDialog([](CDialog& d) { d.SetDlgItemText(IDC_NAME, _T("x")); return IDOK; });
//     hook.AnswerMessageBox(IDOK);            // the validation message, if the name is refused
//     hook.AnswerFileDialog(_T("C:\\a.kiv"));
//     ... run the command ...
//     EXPECT_EQ(0u, hook.Unanswered());
//     EXPECT_EQ(_T("Save changes to a.kiv?"), hook.Log()[0].text);
//
// Only one hook may live at a time; it belongs to the user-interface thread.
#pragma once
#include "framework/FrameworkStrings.h"
#include <deque>
#include <functional>
#include <string>
#include <vector>

class CDialog;

class CTestHook
{
public:
    enum class Kind { Box, Dialog, FileDialog, PopupMenu };

    // One thing the program showed (or would have shown).
    struct Shown
    {
        Kind kind;
        CString text;        // message text, dialog caption, file dialog title, or menu items ("Cut|~Copy|..."; ~ greyed)
        CString caption;     // message box caption
        UINT style = 0;      // MB_ flags; dialog template id; TRUE for an open-file dialog
        int answer = 0;      // what the hook answered
    };

    CTestHook();
    ~CTestHook();
    CTestHook(const CTestHook&) = delete;
    CTestHook& operator=(const CTestHook&) = delete;

    void AnswerMessageBox(int result);
    // act gets the open dialog and returns the button to press (IDOK, IDCANCEL, any
    // control id), or 0 to press nothing and leave the dialog to the next answer.
    void AnswerDialog(std::function<int(CDialog&)> act);
    void AnswerDialog(int button);
    void AnswerFileDialog(LPCTSTR path);
#ifndef UNICODE
    // A name as the user chose it in the dialog, which the code page may not hold.
    void AnswerFileDialog(LPCWSTR path);
#endif
    void CancelFileDialog();
    void AnswerPopupMenu(UINT command);   // 0 chooses nothing

    const std::vector<Shown>& Log() const { return m_log; }
    size_t Unanswered() const { return m_unanswered; }
    size_t PendingAnswers() const { return m_answers.size(); }

    // Internal: the framework's questions.
    static CTestHook* Current();
    int OnMessageBox(LPCTSTR text, LPCTSTR caption, UINT type);
    void OnDialog(CDialog& dialog);
    int OnFileDialog(BOOL bOpen, LPCTSTR title, std::wstring& path);
    UINT OnPopupMenu(const CString& items);

    // Internal: a system message box has just been activated.
    void OnSystemMessageBox(HWND hWnd);

private:
    struct Answer
    {
        Kind kind;
        int result;
        std::wstring path;   // a file dialog's answer, as the UTF-16 dialog gives it
        std::function<int(CDialog&)> act;
    };
    bool Take(Kind kind, Answer& answer);

    std::deque<Answer> m_answers;
    std::vector<Shown> m_log;
    size_t m_unanswered = 0;
    HHOOK m_hook = nullptr;   // watches for system message boxes
};
