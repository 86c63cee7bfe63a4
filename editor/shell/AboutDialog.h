// The About box: the product mark, the version and, in a test build, the
// build's date, time and label, painted by hand beside the program's icon.
#pragma once

#include "framework/Framework.h"

namespace app {

class AboutDialog_t : public CDialog {
public:
    AboutDialog_t();
    ~AboutDialog_t() override;

    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    // The texts, drawn into a device context of the dialog's client area.
    void PaintTexts(CDC& dc);

    DECLARE_MESSAGE_MAP()

private:
    // The icon at the size of the texts' pixels, kept clear of them at every DPI.
    void PlaceIcon();

    HICON icon = nullptr;
};

} // namespace app
