// A toolbar over the common toolbar control: buttons and bitmap from a toolbar
// resource (LoadToolBar), the bitmap's black and greys in the scheme's button
// colours (AfxLoadSysColorBitmap), tooltips from the second part of each command's
// prompt, the first part shown in the status bar while the mouse is over a button,
// and buttons enabled or checked at idle time by the commands' update handlers.
#pragma once
#include "framework/CControlBar.h"

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

    afx_msg void OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
