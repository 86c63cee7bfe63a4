// Modal dialogs answered by the test hook: data exchange that fails and keeps the
// dialog open, then succeeds; control notifications; subclassed controls.
#include "tests/framework/SketchApp.h"
#include "tests/framework/TestIds.h"
#include <gtest/gtest.h>

namespace {

class CNumberDialog : public CDialog
{
public:
    CNumberDialog() : CDialog(IDD_NUMBER) {}

    BOOL OnInitDialog() override
    {
        m_choices.SubclassDlgItem(IDC_CHOICE, this);
        m_choices.AddString(_T("Alpha"));
        m_choices.AddString(_T("Beta"));
        m_choices.AddString(_T("Gamma"));
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 5);
        DDX_CBString(pDX, IDC_CHOICE, m_choice);
        DDX_Check(pDX, IDC_OPTION, m_option);
    }

    afx_msg void OnChoiceChanged() { g_calls.push_back("dialog:choice"); }
    afx_msg void OnNameUpdate() { g_calls.push_back("dialog:name"); }
    afx_msg void OnOptionClicked() { g_calls.push_back("dialog:option"); }

    BYTE m_number = 7;
    CString m_name = _T("abc");
    CString m_choice = _T("Beta");
    int m_option = 1;
    CComboBox m_choices;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNumberDialog, CDialog)
    ON_CBN_SELCHANGE(IDC_CHOICE, &CNumberDialog::OnChoiceChanged)
    ON_EN_UPDATE(IDC_NAME, &CNumberDialog::OnNameUpdate)
    ON_BN_CLICKED(IDC_OPTION, &CNumberDialog::OnOptionClicked)
END_MESSAGE_MAP()

CString Text(CDialog& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}

} // namespace

TEST(Dialog, InitialisationFillsTheControlsFromTheMembers)
{
    App();
    CNumberDialog dialog;
    CTestHook hook;
    CString number, name, choice;
    UINT option = 0;
    hook.AnswerDialog([&](CDialog& d) {
        number = Text(d, IDC_NUMBER);
        name = Text(d, IDC_NAME);
        choice = Text(d, IDC_CHOICE);
        option = d.IsDlgButtonChecked(IDC_OPTION);
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(CString(_T("7")), number);
    EXPECT_EQ(CString(_T("abc")), name);
    EXPECT_EQ(CString(_T("Beta")), choice);
    EXPECT_EQ(1u, option);
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(CString(_T("Number")), hook.Log()[0].text);
    EXPECT_EQ((UINT)IDD_NUMBER, hook.Log()[0].style);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, dialog.m_choices.m_hWnd);   // the subclassed control went with it
}

TEST(Dialog, AFailedExchangeKeepsTheDialogOpenWithTheFocusOnTheControl)
{
    App();
    CNumberDialog dialog;
    CTestHook hook;
    bool focusOnNumber = false;
    DWORD selection = 0;
    hook.AnswerDialog([](CDialog& d) {
        d.SetDlgItemText(IDC_NUMBER, _T("300"));
        return IDOK;
    });
    hook.AnswerMessageBox(IDOK);   // the range message
    hook.AnswerDialog([&](CDialog& d) {
        focusOnNumber = ::GetFocus() == ::GetDlgItem(d.m_hWnd, IDC_NUMBER);
        selection = (DWORD)::SendMessage(::GetDlgItem(d.m_hWnd, IDC_NUMBER), EM_GETSEL, 0, 0);
        d.SetDlgItemText(IDC_NUMBER, _T(" 42 "));
        d.SetDlgItemText(IDC_NAME, _T("vwxyz"));
        d.CheckDlgButton(IDC_OPTION, BST_UNCHECKED);
        ::SendMessage(::GetDlgItem(d.m_hWnd, IDC_CHOICE), CB_SETCURSEL, 2, 0);
        return IDOK;
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0u, hook.Unanswered());
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_EQ(CString(_T("Please enter an integer between 0 and 255.")), hook.Log()[1].text);
    EXPECT_TRUE(focusOnNumber);
    EXPECT_EQ(MAKELONG(0, 3), (LONG)selection);   // the whole wrong text selected
    EXPECT_EQ(42, dialog.m_number);
    EXPECT_EQ(CString(_T("vwxyz")), dialog.m_name);
    EXPECT_EQ(CString(_T("Gamma")), dialog.m_choice);
    EXPECT_EQ(0, dialog.m_option);
}

TEST(Dialog, TheFrameworksExchangesRefuseWhatDoesNotFit)
{
    App();
    struct Case { LPCTSTR number; LPCTSTR name; LPCTSTR message; };
    const Case cases[] = {
        { _T("-1"), _T("a"), _T("Please enter an integer between 0 and 255.") },
        { _T("256"), _T("a"), _T("Please enter an integer between 0 and 255.") },
        { _T("12a"), _T("a"), _T("Please enter an integer between 0 and 255.") },
        { _T(""), _T("a"), _T("Please enter an integer between 0 and 255.") },
        { _T("255"), _T("abcdef"), _T("Please enter no more than 5 characters.") },
    };
    for (const Case& c : cases) {
        CNumberDialog dialog;
        CTestHook hook;
        hook.AnswerDialog([&](CDialog& d) {
            d.SetDlgItemText(IDC_NUMBER, c.number);
            d.SetDlgItemText(IDC_NAME, c.name);
            return IDOK;
        });
        hook.AnswerMessageBox(IDOK);
        hook.AnswerDialog(IDCANCEL);
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << Narrow(c.number);
        ASSERT_EQ(3u, hook.Log().size());
        EXPECT_EQ(CString(c.message), hook.Log()[1].text) << Narrow(c.number);
        if (CString(c.message).Find(_T("255")) >= 0) {
            EXPECT_EQ(7, dialog.m_number);   // a value that failed never reaches its member
        }
    }
}

TEST(Dialog, ControlNotificationsReachTheMessageMap)
{
    App();
    CNumberDialog dialog;
    CTestHook hook;
    hook.AnswerDialog([](CDialog& d) {
        g_calls.clear();
        d.SetDlgItemText(IDC_NAME, _T("x"));
        ::SendMessage(::GetDlgItem(d.m_hWnd, IDC_OPTION), BM_CLICK, 0, 0);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHOICE, CBN_SELCHANGE),
                      (LPARAM)::GetDlgItem(d.m_hWnd, IDC_CHOICE));
        return IDCANCEL;
    });
    dialog.DoModal();
    EXPECT_EQ((std::vector<std::string>{ "dialog:name", "dialog:option", "dialog:choice" }), g_calls);
}

TEST(Dialog, AnUnansweredDialogIsCancelledAndCounted)
{
    App();
    CNumberDialog dialog;
    CTestHook hook;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1u, hook.Unanswered());
}

namespace {

// A dialog that places itself while it initialises.
class CPlacedDialog : public CNumberDialog
{
public:
    BOOL OnInitDialog() override
    {
        SetWindowPos(nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return CNumberDialog::OnInitDialog();
    }
};

// Where the modal dialog stood when it was answered.
template <class Dialog>
CRect ModalPlace()
{
    Dialog dialog;
    CTestHook hook;
    CRect place;
    hook.AnswerDialog([&](CDialog& d) {
        d.GetWindowRect(&place);
        return IDCANCEL;
    });
    dialog.DoModal();
    return place;
}

} // namespace

TEST(Dialog, AModalDialogOpensCentredOnItsOwnerUnlessItPlacesItself)
{
    App();
    Frame().MoveWindow(60, 40, 700, 500);
    CRect owner;
    Frame().GetWindowRect(&owner);
    const CRect centred = ModalPlace<CNumberDialog>();
    const CRect placed = ModalPlace<CPlacedDialog>();
    Frame().MoveWindow(0, 0, 900, 600);
    EXPECT_NEAR(owner.CenterPoint().x, centred.CenterPoint().x, 1);
    EXPECT_NEAR(owner.CenterPoint().y, centred.CenterPoint().y, 1);
    EXPECT_EQ(CPoint(5, 7), placed.TopLeft());
}

TEST(Dialog, ModelessDialogsLiveUntilDestroyed)
{
    App();
    CNumberDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_NUMBER));
    EXPECT_EQ(CString(_T("7")), Text(dialog, IDC_NUMBER));
    dialog.ShowWindow(SW_SHOW);
    dialog.SetDlgItemText(IDC_NUMBER, _T("9"));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(9, dialog.m_number);
    EXPECT_FALSE(dialog.IsWindowVisible());   // ended: hidden, not destroyed
    EXPECT_NE(nullptr, dialog.m_hWnd);
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(MessageBoxes, TheHookAnswersInOrderAndLogsEveryBox)
{
    App();
    CTestHook hook;
    hook.AnswerMessageBox(IDYES);
    EXPECT_EQ(IDYES, AfxMessageBox(_T("First?"), MB_YESNO));
    EXPECT_EQ(IDNO, AfxMessageBox(_T("Second?"), MB_YESNO));   // nothing queued
    EXPECT_EQ(IDOK, Frame().MessageBox(_T("Third"), _T("Caption")));
    ASSERT_EQ(3u, hook.Log().size());
    EXPECT_EQ(CString(_T("First?")), hook.Log()[0].text);
    EXPECT_EQ(CString(_T("FrameworkTest")), hook.Log()[0].caption);
    EXPECT_EQ(CString(_T("Caption")), hook.Log()[2].caption);
    EXPECT_EQ(2u, hook.Unanswered());
    EXPECT_EQ(CString(_T("Failed to open document.")), CString(AfxLoadText(AFX_IDP_FAILED_TO_OPEN_DOC)));
}

TEST(MessageBoxes, TheHookAlsoClosesTheSystemsOwnMessageBoxes)
{
    App();
    CTestHook hook;
    hook.AnswerMessageBox(IDYES);
    EXPECT_EQ(IDYES, ::MessageBox(Frame().m_hWnd, _T("Raw question?"), _T("Raw"), MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDOK, ::MessageBox(nullptr, _T("Raw note"), _T("Raw"), MB_OK));   // nothing queued
    ASSERT_EQ(2u, hook.Log().size());
    EXPECT_EQ(CString(_T("Raw question?")), hook.Log()[0].text);
    EXPECT_EQ(CString(_T("Raw")), hook.Log()[0].caption);
    EXPECT_EQ(CString(_T("Raw note")), hook.Log()[1].text);
    EXPECT_EQ(1u, hook.Unanswered());
}

TEST(PopupMenus, TheHookSeesTheItemsAndChoosesTheCommand)
{
    App();
    Frame().SetActiveView(&View());
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    CMenu* edit = menu.GetSubMenu(1);
    edit->EnableMenuItem(ID_TEST_NOHANDLER, MF_BYCOMMAND | MF_GRAYED);
    CTestHook hook;
    hook.AnswerPopupMenu(ID_TEST_VIEWONLY);
    g_calls.clear();
    edit->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &View());
    EXPECT_EQ(std::vector<std::string>{ "view:viewonly" }, g_calls);
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_EQ(CString(_T("&Toggle\tCtrl+T|View only|Document only|Frame only|Application only|~Nobody")),
              hook.Log()[0].text);
}
