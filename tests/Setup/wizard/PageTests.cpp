// The wizard page: Enter, Esc and closing never end it, where they end a plain dialog.
#include "Setup/wizard/BrowserPage.h"

#include "tests/Setup/wizard/PagesTestSupport.h"

using namespace pages_test;

namespace {

// Offers a key to the dialog as its message loop would.
void PressKey(CDialog& dialog, UINT key)
{
    HWND target = ::GetFocus() ? ::GetFocus() : dialog.m_hWnd;
    MSG down = { target, WM_KEYDOWN, key, 1, GetTickCount(), { 0, 0 } };
    if (!dialog.PreTranslateMessage(&down)) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
}

}  // namespace

TEST(BrowserPage, EnterEscAndClosingLeaveThePageOpen)
{
    TestPage<CBrowserPage> page;
    Open(page, IDD_PAGE);
    EXPECT_EQ(nullptr, page.GetController());
    ::SetActiveWindow(page.m_hWnd);
    page.m_link.SetFocus();
    for (UINT key : { (UINT)VK_RETURN, (UINT)VK_ESCAPE }) {
        PressKey(page, key);
        Pump();
        EXPECT_TRUE(page.IsWindowVisible()) << key;
        EXPECT_FALSE(page.IsEnded()) << key;
    }
    page.SendMessage(WM_COMMAND, IDOK);
    page.SendMessage(WM_COMMAND, IDCANCEL);
    page.SendMessage(WM_CLOSE);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_FALSE(page.IsEnded());
    EXPECT_NE(nullptr, page.m_hWnd);

    // The same keys end a skinned dialog that is no page.
    TestPage<CDialogSK> dialog;
    Open(dialog, IDD_PAGE);
    ::SetActiveWindow(dialog.m_hWnd);
    dialog.m_link.SetFocus();
    PressKey(dialog, VK_ESCAPE);
    Pump();
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_FALSE(dialog.IsWindowVisible());
}
