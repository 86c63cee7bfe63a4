// The name dialog: edits the name of a group or a checklist under a caption
// such as "Group Properties".
#pragma once

#include <string>

#include "framework/Framework.h"

namespace app {

class TitleEditorDialog_t : public CDialog {
public:
    TitleEditorDialog_t(const std::string& caption, const std::string& name);
    ~TitleEditorDialog_t() override = default;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnUpdateName();

    DECLARE_MESSAGE_MAP()

    std::string caption;
    // After OK, the edited name.
    std::string name;
};

} // namespace app
