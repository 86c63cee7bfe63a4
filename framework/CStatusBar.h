// A status bar over the common status control: a stretching message pane (an
// ID_SEPARATOR indicator) that shows "Ready" or the prompt of the menu item under
// the cursor, and indicator panes such as ID_INDICATOR_CAPS, NUM and SCRL, which
// show their text while the key's lock is on.
#pragma once
#include "framework/CControlBar.h"
#include <vector>

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    int GetCount() const { return (int)m_indicators.size(); }
    UINT GetItemID(int nIndex) const { return m_indicators[(size_t)nIndex]; }
    int CommandToIndex(UINT nIDFind) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void LayoutPanes();
    std::vector<UINT> m_indicators;
    std::vector<int> m_widths;   // of the indicator panes (the message pane stretches)
};
