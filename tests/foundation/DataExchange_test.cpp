// Dialog data exchange, control members and dialog-item lookup, on a real
// dialog; message boxes are answered by the framework's test hook.
#include "foundation/afx/AFX_Ctrl.h"
#include "foundation/afx/AFX_DDX.h"
#include "foundation/afx/AFX_GetDlgItem.h"
#include "foundation/afx/AFX_InitControlMember.h"
#include "foundation/glo/GLO_Exception.h"

#include "tests/foundation/RaisePoint.h"

#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CTestHook.h"
#include "framework/Controls.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const int editId = 1001;
const int wideEditId = 1002;
const int comboId = 1003;
const int checkId = 1004;
const int staticId = 1005;
const char controlFile[] = ".\\AFX_InitControlMember";

class ExchangeDialog_t : public CDialog {
public:
    ExchangeDialog_t() : CDialog(200) {}

    void DoDataExchange(CDataExchange* pDX) override
    {
        afx::DDX_Text(pDX, editId, text);
        afx::DDV_MaxChars(pDX, text, limit);
        afx::DDX_Text(pDX, wideEditId, wide);
        afx::DDX_CBString(pDX, comboId, combo);
        afx::DDX_Check(pDX, checkId, flag);
    }

    std::string text;
    int limit = 35;
    std::wstring wide;
    std::string combo;
    bool flag = false;
};

class DataExchange : public ::testing::Test {
protected:
    DataExchange() { dialog.Create(200); }
    ~DataExchange() override { dialog.DestroyWindow(); }

    HWND Item(int id) const { return ::GetDlgItem(dialog.GetSafeHwnd(), id); }
    std::string TextOf(int id) const
    {
        char text[256] = "";
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }

    ExchangeDialog_t dialog;
};

} // namespace

TEST_F(DataExchange, LoadsTheControlsFromTheMembers)
{
    dialog.text = "narrow";
    dialog.wide = L"wide \x00e9";
    dialog.combo = "choice";
    dialog.flag = true;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ("narrow", TextOf(editId));
    wchar_t wide[64] = L"";
    ::GetWindowTextW(Item(wideEditId), wide, 64);
    EXPECT_EQ(std::wstring(L"wide \x00e9"), wide);
    EXPECT_EQ("choice", TextOf(comboId));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(Item(checkId), BM_GETCHECK, 0, 0));
}

TEST_F(DataExchange, SavesTheControlsIntoTheMembers)
{
    dialog.text = "old";
    dialog.flag = true;
    ::SetWindowTextA(Item(editId), "");
    ::SetWindowTextW(Item(wideEditId), L"\x00e9t\x00e9 \x4e2d");
    ::SetWindowTextA(Item(comboId), "typed");
    ::SendMessageA(Item(checkId), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ("", dialog.text);
    EXPECT_EQ(std::wstring(L"\x00e9t\x00e9 \x4e2d"), dialog.wide);
    EXPECT_EQ("typed", dialog.combo);
    EXPECT_FALSE(dialog.flag);
}

TEST_F(DataExchange, ATextOfTheLimitPassesAndALongerOneFailsWithString4100)
{
    CTestHook hook;
    ::SetWindowTextA(Item(editId), std::string(35, 'x').c_str());
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(std::string(35, 'x'), dialog.text);
    EXPECT_TRUE(hook.Log().empty());

    dialog.wide = L"untouched";
    ::SetWindowTextW(Item(wideEditId), L"changed");
    ::SetWindowTextA(Item(editId), std::string(36, 'y').c_str());
    hook.AnswerMessageBox(IDOK);
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(1u, hook.Log().size());
    EXPECT_STREQ("Please enter no more than 35 characters.", static_cast<LPCTSTR>(hook.Log()[0].text));
    EXPECT_EQ(static_cast<UINT>(MB_OK), hook.Log()[0].style & 0xF);
    EXPECT_EQ(0u, hook.Unanswered());
    // The exchange stopped at the failing text.
    EXPECT_EQ(std::wstring(L"untouched"), dialog.wide);

    // Loading never checks the length.
    dialog.text = std::string(50, 'z');
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(1u, hook.Log().size());
}

TEST_F(DataExchange, ControlMembersBindToTheirItems)
{
    afx::Ctrl_t<CEdit> edit;
    edit.Init(&dialog, editId);
    EXPECT_EQ(Item(editId), edit.GetSafeHwnd());
    afx::Ctrl_t<CStatic> label;
    label.Init(&dialog, staticId);
    EXPECT_EQ(Item(staticId), label.GetSafeHwnd());

    ExpectRaise<glo::Assert_t>([&] { edit.Init(&dialog, editId); }, controlFile, 20);
    afx::Ctrl_t<CEdit> other;
    ExpectRaise<glo::Assert_t>([&] { other.Init(&dialog, 0); }, controlFile, 21);
    ExpectRaise<glo::Assert_t>([&] { other.Init(&dialog, -1); }, controlFile, 22);
    ExpectRaise<glo::Assert_t>([&] { other.Init(&dialog, 4242); }, controlFile, 27);
    // An item bound to another control member already.
    ExpectRaise<glo::Assert_t>([&] { afx::InitControlMember(&dialog, editId, other); }, controlFile, 29);
}

TEST_F(DataExchange, DialogItemsMustExist)
{
    CWnd* ok = afx::GetDlgItemChecked(&dialog, IDOK);
    ASSERT_NE(nullptr, ok);
    EXPECT_EQ(Item(IDOK), ok->GetSafeHwnd());
    ExpectRaise<glo::Assert_t>([&] { afx::GetDlgItemChecked(&dialog, 4242); }, "AFX_GetDlgItem", 26);
}
