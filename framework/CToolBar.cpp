// Toolbars: the toolbar resource, its bitmap in the scheme's colours and the buttons' state.
#include "framework/CToolBar.h"
#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/Globals.h"
#include "framework/MessageMapEntries.h"
#include "framework/SysColors.h"
#include <commctrl.h>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT(TBN_HOTITEMCHANGE, &CToolBar::OnHotItemChange)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

// Updates one button through the command's update handler.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ::SendMessage(m_pOther->m_hWnd, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        ::SendMessage(m_pOther->m_hWnd, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck ? TRUE : FALSE, 0));
    }
    void SetText(LPCTSTR) override {}
};

// The toolbar resource: either the 16-bit layout (version 1, width, height, count,
// ids) or the 32-bit one (width, height, count, ids) that some resource compilers write.
bool ReadToolBarResource(HINSTANCE module, LPCTSTR name, int& width, int& height, std::vector<UINT>& ids)
{
    HRSRC found = ::FindResource(module, name, RT_TOOLBAR);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!data || size < 8)
        return false;
    const WORD* words = reinterpret_cast<const WORD*>(data);
    if (words[0] == 1 && size == 8u + 2u * words[3]) {
        width = words[1];
        height = words[2];
        for (WORD i = 0; i < words[3]; ++i)
            ids.push_back(words[4 + i]);
        return true;
    }
    const DWORD* dwords = reinterpret_cast<const DWORD*>(data);
    if (size >= 12 && size == 12u + 4u * dwords[2]) {
        width = (int)dwords[0];
        height = (int)dwords[1];
        for (DWORD i = 0; i < dwords[2]; ++i)
            ids.push_back(dwords[3 + i]);
        return true;
    }
    return false;
}

} // namespace

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC |
                           CBRS_GRIPPER | CBRS_FLOAT_MULTI | CBRS_SIZE_FIXED);
    DWORD windowStyle = (dwStyle & (WS_CHILD | WS_VISIBLE)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE |
                        CCS_NODIVIDER | dwCtrlStyle;
    if (dwStyle & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, windowStyle, 0, 0, 0, 0, pParentWnd->m_hWnd,
                        (HMENU)(UINT_PTR)nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    int width = 0, height = 0;
    std::vector<UINT> ids;
    HINSTANCE module = AfxGetResourceHandle();
    if (!ReadToolBarResource(module, lpszResourceName, width, height, ids))
        return FALSE;
    HBITMAP bitmap = AfxLoadSysColorBitmap(module, lpszResourceName);
    if (!bitmap)
        return FALSE;
    m_hInstBitmap = module;
    m_nIDBitmap = IS_INTRESOURCE(lpszResourceName) ? (UINT)(UINT_PTR)lpszResourceName : 0;
    m_strBitmapName = m_nIDBitmap ? _T("") : lpszResourceName;
    m_bitmap.Attach(bitmap);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(width, height));
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    m_nImages = width > 0 ? info.bmWidth / width : 0;
    TBADDBITMAP add = { nullptr, (UINT_PTR)bitmap };
    SendMessage(TB_ADDBITMAP, (WPARAM)m_nImages, (LPARAM)&add);

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : ids) {
        TBBUTTON button = {};
        button.idCommand = (int)id;
        if (id == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = image++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        buttons.push_back(button);
    }
    SendMessage(TB_ADDBUTTONS, (WPARAM)buttons.size(), (LPARAM)buttons.data());
    SendMessage(TB_AUTOSIZE, 0, 0);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const
{
    return (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    ::SendMessage(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button);
    return (button.fsStyle & TBSTYLE_SEP) ? 0 : (UINT)button.idCommand;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

UINT CToolBar::GetButtonState(int nIndex) const
{
    return (UINT)::SendMessage(m_hWnd, TB_GETSTATE, GetItemID(nIndex), 0);
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL)
{
    SIZE size = { 0, 0 };
    RECT last = {};
    int count = GetCount();
    if (count > 0)
        ::SendMessage(m_hWnd, TB_GETITEMRECT, (WPARAM)(count - 1), (LPARAM)&last);
    DWORD buttonSize = (DWORD)::SendMessage(m_hWnd, TB_GETBUTTONSIZE, 0, 0);
    size.cx = last.right;
    size.cy = HIWORD(buttonSize) + 6;
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CToolBar::PostNcDestroy()
{
    m_bitmap.DeleteObject();
}

LPCTSTR CToolBar::BitmapName() const
{
    return m_nIDBitmap ? MAKEINTRESOURCE(m_nIDBitmap) : m_strBitmapName.GetString();
}

// The control takes the scheme's colours for its face and lines; the pictures are
// mapped again from the resource, as LoadToolBar mapped them.
void CToolBar::OnSysColorChange()
{
    CControlBar::OnSysColorChange();
    if (!m_bitmap.GetSafeHandle())
        return;
    HBITMAP bitmap = AfxLoadSysColorBitmap(m_hInstBitmap, BitmapName());
    if (!bitmap)
        return;
    TBREPLACEBITMAP replace = { nullptr, (UINT_PTR)m_bitmap.GetSafeHandle(), nullptr, (UINT_PTR)bitmap, m_nImages };
    if (!SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&replace)) {
        ::DeleteObject(bitmap);
        return;
    }
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap);
}

void CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTBHOTITEM* hot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && (m_dwStyle & CBRS_FLYBY))
        pFrame->SetMessageText((hot->dwFlags & HICF_LEAVING) ? 0u : (UINT)hot->idNew);
    *pResult = 0;
}
