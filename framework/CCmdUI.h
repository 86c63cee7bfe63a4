// The user-interface side of a command while its state is being updated: an
// ON_UPDATE_COMMAND_UI handler receives a CCmdUI and enables, checks or renames
// the menu item, toolbar button or status pane that stands for the command.
#pragma once
#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 clear, 1 checked
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; when there is none and bDisableIfNoHandler
    // is set, the item is enabled exactly when some handler of the command exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // menu position (menus) or button/pane index (bars)
    UINT m_nIndexMax = 0;       // number of items of the menu or bar being updated
    CMenu* m_pMenu = nullptr;   // the menu being updated, or null
    CWnd* m_pOther = nullptr;   // the bar being updated, or null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Collects the state an update handler gives a command without showing it
// anywhere: the frame uses it to refuse a disabled command.
class CCmdStateUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }
    void SetRadio(BOOL bOn = TRUE) override { m_nCheck = bOn ? 1 : 0; }
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
};
