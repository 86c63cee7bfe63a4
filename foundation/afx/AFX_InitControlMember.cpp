// Binding a control member to its dialog item.
#include "foundation/afx/AFX_InitControlMember.h"

#include "foundation/glo/GLO_Exception.h"

#include "framework/CWnd.h"

namespace afx {

void InitControlMember(CWnd* parent, int id, CWnd& control)
{
    const char* const file = ".\\AFX_InitControlMember";
    glo::ThrowIfFalse(control.m_hWnd == nullptr, file, 20);
    glo::ThrowIfFalse(id != 0, file, 21);
    glo::ThrowIfFalse(id != -1, file, 22);
    const HWND item = ::GetDlgItem(parent->GetSafeHwnd(), id);
    glo::ThrowIfFalse(item != nullptr, file, 27);
    glo::ThrowIfFalse(control.SubclassWindow(item) != FALSE, file, 29);
}

} // namespace afx
