// The About box: the product mark, the version and, in a test build, the
// build's date, time and label, painted by hand beside the program's icon.
#pragma once

#include "framework/Framework.h"

namespace app {

class AboutDialog_t : public CDialog {
public:
    AboutDialog_t();

    afx_msg void OnPaint();
    // The texts, drawn into a device context of the dialog's client area.
    void PaintTexts(CDC& dc);

    DECLARE_MESSAGE_MAP()
};

} // namespace app
