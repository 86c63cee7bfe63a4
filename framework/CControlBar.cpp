// The common part of control bars.
#include "framework/CControlBar.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetWindowRect(&rect);
    return CSize(rect.Width(), rect.Height());
}
