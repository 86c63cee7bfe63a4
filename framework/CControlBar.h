// A bar along an edge of a frame (toolbar, status bar): its CBRS_ style says which
// edge; the frame lays the bars out and asks them at idle time to update their
// buttons or panes through the commands' update handlers.
#pragma once
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include <commctrl.h>

class CFrameWnd;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }

    // The bar's size when laid out along its edge.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

protected:
    DWORD m_dwStyle = 0;       // CBRS_ bits
    DWORD m_dwDockStyle = 0;
};
