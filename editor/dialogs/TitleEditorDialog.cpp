// The name dialog of groups and checklists.
#include "editor/dialogs/TitleEditorDialog.h"

#include "foundation/afx/AFX_DDX.h"
#include "foundation/afx/AFX_GetDlgItem.h"
#include "editor/dialogs/EntryEditorDialog.h"
#include "editor/shell/ResourceIds.h"

namespace app {

namespace {

const int nameLimit = 500;

} // namespace

BEGIN_MESSAGE_MAP(TitleEditorDialog_t, CDialog)
    ON_EN_UPDATE(IDC_TITLE_NAME, &TitleEditorDialog_t::OnUpdateName)
END_MESSAGE_MAP()

TitleEditorDialog_t::TitleEditorDialog_t(const std::string& caption, const std::string& name)
    : CDialog(IDD_TITLE_EDITOR), caption(caption), name(name)
{
}

BOOL TitleEditorDialog_t::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(caption.c_str());
    afx::GetDlgItemChecked(this, IDC_TITLE_NAME)->SendMessage(EM_LIMITTEXT, nameLimit);
    return TRUE;
}

void TitleEditorDialog_t::DoDataExchange(CDataExchange* pDX)
{
    afx::DDX_Text(pDX, IDC_TITLE_NAME, name);
    afx::DDV_MaxChars(pDX, name, nameLimit);
}

void TitleEditorDialog_t::OnUpdateName()
{
    EntryEditorDialog_t::FilterEditText(this, IDC_TITLE_NAME);
}

} // namespace app
