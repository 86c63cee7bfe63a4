// Binding a dialog's control members to their dialog items.
#pragma once

class CWnd;

namespace afx {

// Subclasses the dialog item id of parent into control; every misuse (a bound
// control, id 0 or -1, no such item) is a glo::Assert_t.
void InitControlMember(CWnd* parent, int id, CWnd& control);

} // namespace afx
