// The skinned dialog: its background bitmap in each mode, its size at the screen's
// pixels per inch, its title, dragging by the client area, and translucency.
#include "tests/Setup/wizard/PagesTestSupport.h"

using namespace pages_test;

namespace {

using Page = TestPage<CDialogSK>;

// A bitmap of that size whose pixels tell where they are: red = x, green = y, blue 60.
HBITMAP GradientBitmap(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = (DWORD)((x & 0xFF) << 16 | (y & 0xFF) << 8 | 60);
    return bitmap;
}

COLORREF Gradient(int x, int y)
{
    return RGB(x, y, 60);
}

// The erase of the dialog's background drawn into a memory picture of its client size.
class ErasedPicture
{
public:
    explicit ErasedPicture(CDialogSK& dialog)
    {
        CRect client;
        dialog.GetClientRect(&client);
        HDC screen = ::GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, client.Width(), client.Height());
        ::ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        PatBlt(m_dc, 0, 0, client.Width(), client.Height(), WHITENESS);
        m_result = dialog.SendMessage(WM_ERASEBKGND, (WPARAM)m_dc, 0);
    }
    ~ErasedPicture()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    COLORREF operator()(int x, int y) const { return GetPixel(m_dc, x, y); }
    LRESULT Result() const { return m_result; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    LRESULT m_result;
};

int ScreenPixelsPerInch()
{
    HDC screen = ::GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

void Resize(CWnd& window, int width, int height)
{
    window.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace

TEST(SkinnedDialog, APageTakesTheInstallersTitleAndTheSizeOfItsBackground)
{
    Page page;
    Open(page, IDD_PAGE);
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(CString(L"Pellorin Setup \u00FC"), title);

    int dpi = ScreenPixelsPerInch();
    EXPECT_EQ(CSize(200, 150), page.GetBitmapSize());
    CRect window;
    page.GetWindowRect(&window);
    EXPECT_EQ(200 * dpi / 96, window.Width());
    EXPECT_EQ(150 * dpi / 96, window.Height());

    // On the screen, away from the items, the page shows its background unscaled.
    if (dpi == 96) {
        EXPECT_EQ(Gradient(198, 2), Pixel(page, 198, 2));
        EXPECT_EQ(Gradient(199, 149), Pixel(page, 199, 149));
        EXPECT_EQ(Gradient(3, 147), Pixel(page, 3, 147));
    }
}

TEST(SkinnedDialog, TheBitmapIsScaledByTheHorizontalPixelsPerInch)
{
    Page page;
    ASSERT_TRUE(page.Create(IDD_PAGE, nullptr));
    CDialogSK::SetPixelsPerInchForTest(120);
    EXPECT_TRUE(page.SetBackground(GradientBitmap(500, 400)));
    CDialogSK::SetPixelsPerInchForTest(0);
    EXPECT_EQ(CSize(500, 400), page.GetBitmapSize());
    EXPECT_EQ(CSize(625, 500), page.GetScaledSize());
    page.SetStyle(CDialogSK::kFitWindow);
    CRect window;
    page.GetWindowRect(&window);
    EXPECT_EQ(CSize(625, 500), window.Size());

    // Other modes leave the window's size alone.
    Resize(page, 300, 200);
    page.SetStyle(CDialogSK::kStretchToo);
    page.GetWindowRect(&window);
    EXPECT_EQ(CSize(300, 200), window.Size());

    // Scaled sizes are truncated.
    CDialogSK::SetPixelsPerInchForTest(144);
    page.SetBackground(GradientBitmap(3, 5));
    CDialogSK::SetPixelsPerInchForTest(0);
    EXPECT_EQ(CSize(4, 7), page.GetScaledSize());
}

TEST(SkinnedDialog, EachModeDrawsTheBackgroundItsWay)
{
    Page page;
    ASSERT_TRUE(page.Create(IDD_PAGE, nullptr));
    page.SetBackground(GradientBitmap(200, 150));

    // Stretched over the whole client area: twice the size shows every pixel twice.
    for (int mode : { CDialogSK::kStretch, CDialogSK::kStretchToo, CDialogSK::kFitWindow }) {
        page.SetStyle(mode);
        Resize(page, 400, 300);
        ErasedPicture picture(page);
        EXPECT_NE(0, picture.Result());
        EXPECT_EQ(Gradient(0, 0), picture(0, 0)) << mode;
        EXPECT_EQ(Gradient(60, 25), picture(120, 50)) << mode;
        EXPECT_EQ(Gradient(199, 149), picture(399, 299)) << mode;
    }

    // Tiled from the top-left corner.
    Resize(page, 450, 320);
    page.SetStyle(CDialogSK::kTile);
    {
        ErasedPicture picture(page);
        EXPECT_EQ(Gradient(10, 20), picture(10, 20));
        EXPECT_EQ(Gradient(10, 20), picture(210, 170));
        EXPECT_EQ(Gradient(49, 19), picture(449, 319));
    }

    // Centred: wider than the bitmap leaves a margin; narrower cuts it on both sides,
    // with the offset rounded down.
    Resize(page, 260, 150);
    page.SetStyle(CDialogSK::kCentre);
    {
        ErasedPicture picture(page);
        EXPECT_EQ(Gradient(0, 0), picture(30, 0));
        EXPECT_NE(Gradient(0, 0), picture(29, 0));
    }
    Resize(page, 99, 150);
    {
        ErasedPicture picture(page);
        EXPECT_EQ(Gradient(51, 0), picture(0, 0));   // (99 - 200) >> 1 is -51
        EXPECT_EQ(Gradient(149, 149), picture(98, 149));
    }

    // Any other mode draws nothing over the dialog's own background.
    page.SetStyle(7);
    {
        ErasedPicture picture(page);
        EXPECT_NE(0, picture.Result());
        EXPECT_EQ(picture(0, 0), picture(50, 50));
        EXPECT_NE(Gradient(50, 50), picture(50, 50));
    }
}

TEST(SkinnedDialog, ABitmapScaledToNothingIsDrawnOnceNotTiledForever)
{
    Page page;
    ASSERT_TRUE(page.Create(IDD_PAGE, nullptr));
    CDialogSK::SetPixelsPerInchForTest(48);
    page.SetBackground(GradientBitmap(1, 1));
    CDialogSK::SetPixelsPerInchForTest(0);
    EXPECT_EQ(CSize(0, 0), page.GetScaledSize());
    page.SetStyle(CDialogSK::kTile);
    ErasedPicture picture(page);
    EXPECT_EQ(Gradient(0, 0), picture(0, 0));
}

TEST(SkinnedDialog, WithoutABitmapOnlyTheDialogsOwnBackgroundIsErased)
{
    Page page;
    ASSERT_TRUE(page.Create(IDD_PAGE, nullptr));
    page.SetBackground(static_cast<HBITMAP>(nullptr));
    EXPECT_EQ(CSize(0, 0), page.GetBitmapSize());
    ErasedPicture picture(page);
    EXPECT_NE(0, picture.Result());
    EXPECT_EQ(picture(0, 0), picture(100, 100));
    EXPECT_NE(RGB(255, 255, 255), picture(0, 0));
}

TEST(SkinnedDialog, TheDialogOwnsItsBitmapAndRefusesWhatIsNoBitmap)
{
    HBITMAP first = GradientBitmap(10, 10);
    HBITMAP second = GradientBitmap(20, 10);
    {
        Page page;
        EXPECT_TRUE(page.SetBackground(first));   // before the window exists
        EXPECT_TRUE(page.SetBackground(first));   // the same bitmap again is kept
        EXPECT_EQ(OBJ_BITMAP, (int)GetObjectType(first));
        EXPECT_TRUE(page.SetBackground(second));
        EXPECT_EQ(0, (int)GetObjectType(first));   // replaced: deleted
        EXPECT_EQ(CSize(20, 10), page.GetBitmapSize());

        HBITMAP gone = GradientBitmap(5, 5);
        DeleteObject(gone);
        EXPECT_FALSE(page.SetBackground(gone));
        EXPECT_EQ(CSize(0, 0), page.GetBitmapSize());
        EXPECT_EQ(0, (int)GetObjectType(second));

        // A missing resource or file leaves no background and says so.
        EXPECT_TRUE(page.SetBackground(UINT(IDB_BACKGROUND)));
        EXPECT_FALSE(page.SetBackground(UINT(IDB_MISSING)));
        EXPECT_EQ(CSize(0, 0), page.GetBitmapSize());
        EXPECT_FALSE(page.SetBackground(L"C:\\no such folder\\none.bmp"));

        setup_test::TempFolder folder;
        CString path = folder / L"back.bmp";
        WriteBitmapFile(path, 30, 20, RGB(1, 2, 3));
        EXPECT_TRUE(page.SetBackground(path.GetString()));
        EXPECT_EQ(CSize(30, 20), page.GetBitmapSize());
        second = GradientBitmap(20, 10);
        page.SetBackground(second);
    }
    EXPECT_EQ(0, (int)GetObjectType(second));   // deleted with the dialog
}

TEST(SkinnedDialog, AResizedPageWithABitmapIsRepaintedWhole)
{
    Page page;
    Open(page, IDD_PAGE);
    Resize(page, 180, 140);
    CRect invalid;
    EXPECT_TRUE(GetUpdateRect(page.m_hWnd, &invalid, FALSE));
    EXPECT_EQ(CRect(0, 0, 180, 140), invalid);
    PaintNow(page);

    page.SetBackground(static_cast<HBITMAP>(nullptr));
    PaintNow(page);
    Resize(page, 170, 130);   // shrinking alone uncovers nothing
    EXPECT_FALSE(GetUpdateRect(page.m_hWnd, &invalid, FALSE));
}

TEST(SkinnedDialog, APressOnTheClientAreaDragsTheWindowWhenDraggingIsOn)
{
    Page page;
    Open(page, IDD_PAGE, 640, 300);
    Pump();
    page.EnableDrag(TRUE);
    Mouse(page, WM_LBUTTONDOWN, 190, 140);
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, page.m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(HTCAPTION, (int)message.wParam);
    CPoint screen(190, 140);
    page.ClientToScreen(&screen);
    EXPECT_EQ(screen.x, (short)LOWORD(message.lParam));
    EXPECT_EQ(screen.y, (short)HIWORD(message.lParam));

    page.EnableDrag(FALSE);
    Mouse(page, WM_LBUTTONDOWN, 190, 140);
    EXPECT_FALSE(PeekMessageW(&message, page.m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

TEST(SkinnedDialog, TranslucencyAndAColourKeyMakeTheWindowLayered)
{
    Page page;
    Open(page, IDD_PAGE);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;

    EXPECT_TRUE(page.SetTransparent(128));
    EXPECT_TRUE(page.GetExStyle() & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(page.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(128, alpha);
    EXPECT_EQ((DWORD)LWA_ALPHA, flags);
    EXPECT_TRUE(page.SetTransparent(255));
    EXPECT_FALSE(page.GetExStyle() & WS_EX_LAYERED);

    EXPECT_TRUE(page.SetTransparentColor(RGB(1, 2, 3), TRUE));
    EXPECT_TRUE(page.GetExStyle() & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(page.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(RGB(1, 2, 3), key);
    EXPECT_EQ((DWORD)LWA_COLORKEY, flags);
    EXPECT_TRUE(page.SetTransparentColor(RGB(1, 2, 3), FALSE));
    EXPECT_FALSE(page.GetExStyle() & WS_EX_LAYERED);
}
