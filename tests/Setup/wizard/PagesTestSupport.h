// Shared helpers of the page tests: the test language library as the resource module,
// a skinned test page with one item of each kind, pixels read back from the screen,
// and the pumping of pending messages.
#pragma once

#include "Setup/wizard/BrowserCheckbox.h"
#include "Setup/wizard/BrowserMenuItem.h"
#include "Setup/wizard/DialogSK.h"
#include "tests/Setup/wizard/TestResources.h"
#include "tests/Setup/actions/SetupTestSupport.h"

#include <gtest/gtest.h>

namespace pages_test {

// The page of the tests: the background bitmap fitted to the window, a status item,
// a passive heading, a link whose hover text goes to the status item, a picture item
// and a check box, all in colour scheme 1. It counts the clicks of the link and the box.
template <class Base>
class TestPage : public Base
{
public:
    explicit TestPage(UINT nIDTemplate = IDD_PAGE) : Base(nIDTemplate, nullptr) {}

    void DoDataExchange(CDataExchange* pDX) override
    {
        Base::DoDataExchange(pDX);
        if (this->GetDlgItem(IDC_STATUS)) {
            DDX_Control(pDX, IDC_STATUS, m_status);
            DDX_Control(pDX, IDC_PICTURE, m_picture);
            DDX_Control(pDX, IDC_BOX, m_box);
        }
        DDX_Control(pDX, IDC_HEADING, m_heading);
        DDX_Control(pDX, IDC_LINK, m_link);
    }

    BOOL OnInitDialog() override
    {
        Base::OnInitDialog();
        this->EnableDrag(FALSE);
        this->SetBackground(IDB_BACKGROUND);
        this->SetStyle(CDialogSK::kFitWindow);
        m_heading.SetPassive(TRUE);
        m_link.SetTextId(IDS_NEXT);
        if (m_status.m_hWnd) {
            m_status.SetFontSize(9);
            m_status.SetPassive(TRUE);
            m_link.SetHoverLink(IDS_HOVER, &m_status, CSkinnedItem::kText);
            m_box.SetHoverLink(IDS_HOVER_BOX, &m_status, CSkinnedItem::kText);
            m_box.SetColorScheme(1);
        }
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_LINK && HIWORD(wParam) == STN_CLICKED)
            ++m_linkClicks;
        if (LOWORD(wParam) == IDC_BOX && HIWORD(wParam) == BN_CLICKED)
            ++m_boxClicks;
        return Base::OnCommand(wParam, lParam);
    }

    CBrowserMenuItem m_status, m_heading, m_link, m_picture;
    CBrowserCheckbox m_box;
    int m_linkClicks = 0;
    int m_boxClicks = 0;
};

// Creates the page's window and puts it, shown and above other windows, at that place.
void Open(CDialog& page, UINT nIDTemplate, int x = 700, int y = 100);

// Lets the windows handle every message waiting for them, and paints what is invalid.
void Pump();
// Paints a window and its children now.
void PaintNow(CWnd& window);

// A pixel of a window's client area as the screen shows it.
COLORREF Pixel(CWnd& window, int x, int y);
// Whether any pixel of the area shows the colour.
bool Shows(CWnd& window, const CRect& area, COLORREF colour);
// The area of a child window in its parent's client coordinates.
CRect AreaInParent(CWnd& child);

// The size of a text in the bold font that an item of that size in points draws with.
CSize BoldTextSize(CWnd& page, const CString& text, int points);

// Writes a 24-bit bitmap file of one colour.
void WriteBitmapFile(const CString& path, int width, int height, COLORREF colour);

// A mouse message as the window would get it, at a point of its client area.
void Mouse(CWnd& window, UINT message, int x, int y);

}  // namespace pages_test
