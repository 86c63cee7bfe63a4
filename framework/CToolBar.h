// A toolbar over the common toolbar control: buttons and bitmap from a toolbar
// resource (LoadToolBar), the bitmap's black and greys in the scheme's button
// colours (AfxLoadSysColorBitmap) and mapped again when the scheme changes,
// tooltips from the second part of each command's prompt, the first part shown in
// the status bar while the mouse is over a button, and buttons enabled or checked
// at idle time by the commands' update handlers. The toolbar owns its bitmap: the
// control does not delete a bitmap given by handle.
#pragma once
#include "framework/CControlBar.h"
#include "framework/CGdiObject.h"

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetButtonState(int nIndex) const;   // TBSTATE_ bits

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void PostNcDestroy() override;

    afx_msg void OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    LPCTSTR BitmapName() const;

    // The bitmap resource, to map its colours again, and the bitmap the control shows.
    HINSTANCE m_hInstBitmap = nullptr;
    UINT m_nIDBitmap = 0;        // a numbered resource, else the name
    CString m_strBitmapName;
    int m_nImages = 0;
    CBitmap m_bitmap;
};
