// The file properties dialog.
#include "editor/dialogs/KivPropertyDialog.h"

#include "foundation/afx/AFX_DDX.h"
#include "foundation/afx/AFX_GetDlgItem.h"
#include "editor/document/Document.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"

namespace app {

namespace {

const int textLimit = 35;
// The header holds each default index in one byte: only the first 256 groups
// of the file, and checklists of a group, can be chosen.
const int indexLimit = 256;

// Fills the checklist list with the names of the group's checklists.
void FillCheckLists(CWnd* checkLists, const Group_t& group)
{
    checkLists->SendMessage(CB_RESETCONTENT);
    int index = 0;
    for (const CheckList_t& checkList : group.checklists) {
        if (index++ == indexLimit)
            break;
        checkLists->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(checkList.name.c_str()));
    }
}

// A header text that is empty or begins with "*" would be skipped as an empty
// or comment line when the file is read again.
bool ReadsBack(const std::string& text)
{
    return !text.empty() && text[0] != '*';
}

} // namespace

BEGIN_MESSAGE_MAP(KivPropertyDialog_t, CDialog)
    ON_CBN_SELCHANGE(IDC_DEFAULT_GROUP, &KivPropertyDialog_t::OnSelChangeDefaultGroup)
    ON_CBN_SELCHANGE(IDC_DEFAULT_CHECKLIST, &KivPropertyDialog_t::OnSelChangeDefaultCheckList)
END_MESSAGE_MAP()

KivPropertyDialog_t::KivPropertyDialog_t(const KivFileHeader_t& header, bool editable)
    : CDialog(IDD_KIV_PROPERTIES), header(header), revision(header.GetRevision()),
      userMade(header.GetUserMade()), defaultGroup(header.GetDefaultGroup()),
      defaultCheckList(header.GetDefaultCheckList()), checkListName(header.GetCheckListName()),
      aircraftMakeModel(header.GetAircraftMakeModel()), aircraftInfo(header.GetAircraftInfo()),
      manufacturerId(header.GetManufacturerId()), copyrightInfo(header.GetCopyrightInfo()), editable(editable)
{
}

KivFileHeader_t KivPropertyDialog_t::GetHeader() const
{
    KivFileHeader_t result = header;
    result.SetRevision(revision);
    result.SetUserMade(userMade);
    result.SetDefaultGroup(defaultGroup);
    result.SetDefaultCheckList(defaultCheckList);
    result.SetCheckListName(checkListName);
    result.SetAircraftMakeModel(aircraftMakeModel);
    result.SetAircraftInfo(aircraftInfo);
    result.SetManufacturerId(manufacturerId);
    result.SetCopyrightInfo(copyrightInfo);
    return result;
}

BOOL KivPropertyDialog_t::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* groups = afx::GetDlgItemChecked(this, IDC_DEFAULT_GROUP);
    CWnd* checkLists = afx::GetDlgItemChecked(this, IDC_DEFAULT_CHECKLIST);
    Document_t& document = CurrentDocument();
    int index = 0;
    for (const Group_t& group : document.GetDatabase().groups) {
        if (index == indexLimit)
            break;
        groups->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.name.c_str()));
        if (index == defaultGroup) {
            groups->SendMessage(CB_SETCURSEL, index);
            FillCheckLists(checkLists, group);
            checkLists->SendMessage(CB_SETCURSEL, defaultCheckList);
        }
        ++index;
    }
    if (editable)
        return TRUE;
    for (int id : {IDC_CHECKLIST_NAME, IDC_AIRCRAFT_MAKE_MODEL, IDC_AIRCRAFT_INFO, IDC_MANUFACTURER_ID,
                   IDC_COPYRIGHT_INFO, IDC_DEFAULT_GROUP, IDC_DEFAULT_CHECKLIST})
        afx::GetDlgItemChecked(this, id)->EnableWindow(FALSE);
    return TRUE;
}

void KivPropertyDialog_t::DoDataExchange(CDataExchange* pDX)
{
    // A read-only dialog only shows the header: its OK takes nothing, so it checks nothing.
    if (pDX->m_bSaveAndValidate && !editable)
        return;
    ExchangeText(pDX, IDC_CHECKLIST_NAME, checkListName, "Checklist Name");
    ExchangeText(pDX, IDC_AIRCRAFT_MAKE_MODEL, aircraftMakeModel, "Aircraft Make and Model");
    ExchangeText(pDX, IDC_AIRCRAFT_INFO, aircraftInfo, "Aircraft Information");
    ExchangeText(pDX, IDC_MANUFACTURER_ID, manufacturerId, "Manufacturer Identification");
    ExchangeText(pDX, IDC_COPYRIGHT_INFO, copyrightInfo, "Copyright Information");
    DDX_Text(pDX, IDC_REVISION, revision);
}

// The text with its length limit; on OK, a text the file could not read back is
// refused and the dialog stays open.
void KivPropertyDialog_t::ExchangeText(CDataExchange* pDX, int id, std::string& text, const char* label)
{
    afx::DDX_Text(pDX, id, text);
    afx::DDV_MaxChars(pDX, text, textLimit);
    if (!pDX->m_bSaveAndValidate || ReadsBack(text))
        return;
    const std::string message = std::string("The ") + label + " cannot be empty or begin with \"*\".";
    AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void KivPropertyDialog_t::OnSelChangeDefaultGroup()
{
    const LRESULT selected = afx::GetDlgItemChecked(this, IDC_DEFAULT_GROUP)->SendMessage(CB_GETCURSEL);
    if (selected == CB_ERR)
        throw glo::Assert_t("KivPropertyDialog", 149);
    defaultGroup = static_cast<std::uint8_t>(selected);
    defaultCheckList = 0;
    CWnd* checkLists = afx::GetDlgItemChecked(this, IDC_DEFAULT_CHECKLIST);
    const Database_t& database = CurrentDocument().GetDatabase();
    const auto group = database.GroupAt(static_cast<int>(selected));
    if (group != database.groups.end())
        FillCheckLists(checkLists, *group);
    else
        checkLists->SendMessage(CB_RESETCONTENT);
    checkLists->SendMessage(CB_SETCURSEL, 0);
}

void KivPropertyDialog_t::OnSelChangeDefaultCheckList()
{
    const LRESULT selected = afx::GetDlgItemChecked(this, IDC_DEFAULT_CHECKLIST)->SendMessage(CB_GETCURSEL);
    if (selected == CB_ERR)
        throw glo::Assert_t("KivPropertyDialog", 183);
    defaultCheckList = static_cast<std::uint8_t>(selected);
}

} // namespace app
