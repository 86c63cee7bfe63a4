// A dialog item that must exist.
#pragma once

class CWnd;

namespace afx {

// The item id of window; glo::Assert_t when there is none.
CWnd* GetDlgItemChecked(CWnd* window, int id);

} // namespace afx
