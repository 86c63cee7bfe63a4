// Shared helpers of the page tests (see PagesTestSupport.h).
#include "tests/Setup/wizard/PagesTestSupport.h"

#include <shlwapi.h>
#include <string>

namespace pages_test {

namespace {

// The language library built beside the tests is the resource module of every test.
class LanguageLibrary : public ::testing::Environment
{
public:
    void SetUp() override
    {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        PathRemoveFileSpecW(path);
        PathAppendW(path, L"setup_pages_language.dll");
        m_library = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_library) << "the test language library is missing";
        AfxSetResourceHandle(m_library);
        SetupTitleText().LoadString(IDS_TITLE);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        FreeLibrary(m_library);
    }

private:
    HMODULE m_library = nullptr;
};

const auto* g_languageLibrary = ::testing::AddGlobalTestEnvironment(new LanguageLibrary);

}  // namespace

void Open(CDialog& page, UINT nIDTemplate, int x, int y)
{
    ASSERT_TRUE(page.Create(nIDTemplate, nullptr));
    ::SetWindowPos(page.m_hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    PaintNow(page);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PaintNow(CWnd& window)
{
    window.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

COLORREF Pixel(CWnd& window, int x, int y)
{
    HDC dc = ::GetDC(window.m_hWnd);
    COLORREF colour = GetPixel(dc, x, y);
    ::ReleaseDC(window.m_hWnd, dc);
    return colour;
}

bool Shows(CWnd& window, const CRect& area, COLORREF colour)
{
    HDC dc = ::GetDC(window.m_hWnd);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y)
        for (int x = area.left; x < area.right && !found; ++x)
            found = GetPixel(dc, x, y) == colour;
    ::ReleaseDC(window.m_hWnd, dc);
    return found;
}

CRect AreaInParent(CWnd& child)
{
    CRect area;
    child.GetWindowRect(&area);
    ::MapWindowPoints(nullptr, ::GetParent(child.m_hWnd), reinterpret_cast<LPPOINT>(&area), 2);
    return area;
}

CSize BoldTextSize(CWnd& page, const CString& text, int points)
{
    LOGFONTW face = {};
    page.GetFont()->GetLogFont(&face);
    HDC dc = ::GetDC(page.m_hWnd);
    face.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    face.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    SelectObject(dc, previous);
    DeleteObject(font);
    ::ReleaseDC(page.m_hWnd, dc);
    return CSize(size.cx, size.cy);
}

void WriteBitmapFile(const CString& path, int width, int height, COLORREF colour)
{
    int rowSize = (width * 3 + 3) / 4 * 4;
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += { (char)GetBValue(colour), (char)GetGValue(colour), (char)GetRValue(colour) };
        row.resize(rowSize, '\0');
        pixels += row;
    }
    BITMAPINFOHEADER header = { sizeof(header), width, height, 1, 24, BI_RGB, (DWORD)pixels.size(), 0, 0, 0, 0 };
    BITMAPFILEHEADER file = { 0x4D42, (DWORD)(sizeof(file) + sizeof(header) + pixels.size()), 0, 0,
                              sizeof(file) + sizeof(header) };
    setup_test::WriteBytes(path, std::string((const char*)&file, sizeof(file)) +
                                     std::string((const char*)&header, sizeof(header)) + pixels);
}

void Mouse(CWnd& window, UINT message, int x, int y)
{
    window.SendMessage(message, 0, MAKELPARAM(x, y));
}

}  // namespace pages_test
