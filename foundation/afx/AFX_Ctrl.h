// A framework control that a dialog holds as a member and binds to one of its
// items when it initialises.
#pragma once

#include "foundation/afx/AFX_InitControlMember.h"

namespace afx {

template <class Control>
class Ctrl_t : public Control {
public:
    void Init(CWnd* parent, int id) { InitControlMember(parent, id, *this); }
};

} // namespace afx
