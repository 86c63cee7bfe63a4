// Looking up a dialog item that must exist.
#include "foundation/afx/AFX_GetDlgItem.h"

#include "foundation/glo/GLO_Exception.h"

#include "framework/CWnd.h"

namespace afx {

CWnd* GetDlgItemChecked(CWnd* window, int id)
{
    CWnd* item = window->GetDlgItem(id);
    glo::ThrowIfFalse(item != nullptr, "AFX_GetDlgItem", 26);
    return item;
}

} // namespace afx
