// The entry dialog.
#include "editor/dialogs/EntryEditorDialog.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "foundation/afx/AFX_DDX.h"
#include "foundation/afx/AFX_GetDlgItem.h"
#include "editor/model/AllowedChars.h"
#include "editor/shell/ResourceIds.h"
#include "foundation/glo/GLO_Exception.h"
#include "framework/CodePage.h"

namespace app {

namespace {

const char sourceFile[] = ".\\EntryEditorDialog";
const int textLimit = 500;

struct TypeItem_t {
    const char* label;
    int kind;
};

const TypeItem_t typeItems[] = {
    {"Plain Text", Entry_t::PlainText}, {"Note", Entry_t::Note},       {"Subtitle", Entry_t::Subtitle},
    {"Warning", Entry_t::Warning},      {"Caution", Entry_t::Caution}, {"Challenge", Entry_t::Challenge},
};

// Labels of the justifications, in the order of their values.
const char* const indentLabels[] = {"Left Justified", "Indent 1 Level", "Indent 2 Levels", "Indent 3 Levels",
                                    "Indent 4 Levels"};

void InsertItem(CWnd* combo, int position, const char* label, int data)
{
    const LRESULT index = combo->SendMessage(CB_INSERTSTRING, position, reinterpret_cast<LPARAM>(label));
    combo->SendMessage(CB_SETITEMDATA, index, data);
}

// Selects the first item whose data is value; leaves the selection alone when none is.
void SelectItemByData(CWnd* combo, int value)
{
    const int count = static_cast<int>(combo->SendMessage(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (static_cast<int>(combo->SendMessage(CB_GETITEMDATA, i)) == value) {
            combo->SendMessage(CB_SETCURSEL, i);
            return;
        }
    }
}

// The data of the selected item; the lines name the checks for no selection and no data.
int SelectedData(CWnd* combo, int noSelectionLine, int noDataLine)
{
    const LRESULT selected = combo->SendMessage(CB_GETCURSEL);
    if (selected == CB_ERR)
        throw glo::Assert_t(sourceFile, noSelectionLine);
    const LRESULT data = combo->SendMessage(CB_GETITEMDATA, selected);
    if (data == CB_ERR)
        throw glo::Assert_t(sourceFile, noDataLine);
    return static_cast<int>(data);
}

std::string WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> buffer(length + 1, '\0');
    ::GetWindowTextA(window, buffer.data(), length + 1);
    return buffer.data();
}

// Positions in an edit: Windows' 8-bit edit controls count the bytes of their text, edit
// controls that keep their text in UTF-16 (Wine's do, whatever the window) count UTF-16
// units. The filter works on bytes; these convert where the two counts of text differ.
bool CountsUtf16(HWND edit, const std::string& text)
{
    const LRESULT lines = ::SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    const LRESULT lastLine = ::SendMessageA(edit, EM_LINEINDEX, lines - 1, 0);
    return lastLine + ::SendMessageA(edit, EM_LINELENGTH, lastLine, 0) != static_cast<LRESULT>(text.size());
}

std::size_t ByteOffset(HWND edit, const std::string& text, DWORD position)
{
    if (!CountsUtf16(edit, text))
        return position;
    const std::wstring wide = AfxWideWindowText(edit);
    const int length = std::min(static_cast<int>(position), static_cast<int>(wide.size()));
    return ::WideCharToMultiByte(AfxGetCodePage(), 0, wide.c_str(), length, nullptr, 0, nullptr, nullptr);
}

int Position(HWND edit, const std::string& text, std::size_t offset)
{
    if (!CountsUtf16(edit, text))
        return static_cast<int>(offset);
    return ::MultiByteToWideChar(AfxGetCodePage(), 0, text.c_str(), static_cast<int>(offset), nullptr, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(EntryEditorDialog_t, CDialog)
    ON_CBN_SELCHANGE(IDC_ENTRY_TYPE, &EntryEditorDialog_t::OnSelChangeEntryType)
    ON_CBN_SELCHANGE(IDC_ENTRY_JUSTIFICATION, &EntryEditorDialog_t::OnSelChangeJustification)
    ON_EN_UPDATE(IDC_ENTRY_TEXT, &EntryEditorDialog_t::OnUpdateText)
    ON_EN_UPDATE(IDC_ENTRY_RESPONSE, &EntryEditorDialog_t::OnUpdateResponse)
END_MESSAGE_MAP()

EntryEditorDialog_t::EntryEditorDialog_t(const Entry_t& entry)
    : CDialog(IDD_ENTRY_EDITOR), blankLines(0), entry(entry), text(entry.text), response(entry.response),
      kind(entry.kind), justification(entry.justification)
{
    if (kind == Entry_t::ChallengeResponse) {
        kind = Entry_t::Challenge;
        blankLines = ExtractBlankLines(response);
        ExtractBlankLines(text);
    } else {
        blankLines = ExtractBlankLines(text);
        ExtractBlankLines(response);
    }
}

int EntryEditorDialog_t::ExtractBlankLines(std::string& text)
{
    int count = 0;
    for (std::string::size_type at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        text.erase(at, 1);
        ++count;
    }
    return count;
}

Entry_t EntryEditorDialog_t::GetEntry() const
{
    // A negative count, typed by the user, gives no blank lines.
    const std::string newlines(blankLines > 0 ? blankLines : 0, '\n');
    Entry_t result = entry;
    result.kind = kind;
    result.text = text;
    result.response = response;
    result.justification = justification;
    if (kind == Entry_t::Challenge && !response.empty()) {
        result.kind = Entry_t::ChallengeResponse;
        result.response += newlines;
    } else {
        result.text += newlines;
    }
    return result;
}

BOOL EntryEditorDialog_t::OnInitDialog()
{
    CDialog::OnInitDialog();
    afx::GetDlgItemChecked(this, IDC_ENTRY_TEXT)->SendMessage(EM_LIMITTEXT, textLimit);
    afx::GetDlgItemChecked(this, IDC_ENTRY_RESPONSE)->SendMessage(EM_LIMITTEXT, textLimit);
    afx::GetDlgItemChecked(this, IDC_BLANK_LINES)->SendMessage(EM_LIMITTEXT, 2);

    CWnd* types = afx::GetDlgItemChecked(this, IDC_ENTRY_TYPE);
    types->SendMessage(CB_RESETCONTENT);
    for (int i = 0; i < static_cast<int>(sizeof typeItems / sizeof typeItems[0]); ++i)
        InsertItem(types, i, typeItems[i].label, typeItems[i].kind);
    FillJustificationCombo();
    SelectTypeItem();
    SelectJustificationItem();
    return TRUE;
}

void EntryEditorDialog_t::FillJustificationCombo()
{
    CWnd* justifications = afx::GetDlgItemChecked(this, IDC_ENTRY_JUSTIFICATION);
    justifications->SendMessage(CB_RESETCONTENT);
    for (int i = 0; i < static_cast<int>(sizeof indentLabels / sizeof indentLabels[0]); ++i)
        InsertItem(justifications, i, indentLabels[i], i);
    CWnd* responseEdit = afx::GetDlgItemChecked(this, IDC_ENTRY_RESPONSE);
    if (kind == Entry_t::Challenge) {
        // The box keeps what it holds: the response it opened with, or what the user typed since.
        responseEdit->EnableWindow(TRUE);
    } else {
        InsertItem(justifications, Entry_t::Center, "Center", Entry_t::Center);
        responseEdit->EnableWindow(FALSE);
        response.clear();
        responseEdit->SetWindowText(response.c_str());
    }
}

void EntryEditorDialog_t::SelectTypeItem()
{
    SelectItemByData(afx::GetDlgItemChecked(this, IDC_ENTRY_TYPE), kind);
}

void EntryEditorDialog_t::SelectJustificationItem()
{
    SelectItemByData(afx::GetDlgItemChecked(this, IDC_ENTRY_JUSTIFICATION), justification);
}

void EntryEditorDialog_t::OnSelChangeEntryType()
{
    kind = SelectedData(afx::GetDlgItemChecked(this, IDC_ENTRY_TYPE), 128, 130);
    CWnd* justifications = afx::GetDlgItemChecked(this, IDC_ENTRY_JUSTIFICATION);
    const int remembered = static_cast<int>(justifications->SendMessage(CB_GETCURSEL));
    FillJustificationCombo();
    const int count = static_cast<int>(justifications->SendMessage(CB_GETCOUNT));
    justifications->SendMessage(CB_SETCURSEL, remembered >= 0 && remembered < count ? remembered : 0);
    OnSelChangeJustification();
}

void EntryEditorDialog_t::OnSelChangeJustification()
{
    justification = SelectedData(afx::GetDlgItemChecked(this, IDC_ENTRY_JUSTIFICATION), 155, 157);
}

void EntryEditorDialog_t::OnUpdateText()
{
    FilterEditText(this, IDC_ENTRY_TEXT);
}

void EntryEditorDialog_t::OnUpdateResponse()
{
    FilterEditText(this, IDC_ENTRY_RESPONSE);
}

void EntryEditorDialog_t::FilterEditText(CWnd* dialog, int id)
{
    const HWND edit = afx::GetDlgItemChecked(dialog, id)->GetSafeHwnd();
    const std::string current = WindowText(edit);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::size_t caret = ByteOffset(edit, current, end);
    const std::string filtered = KeepAllowedChars(current, &caret);
    if (filtered == current)
        return;
    ::SetWindowTextA(edit, filtered.c_str());
    const int position = Position(edit, filtered, caret);
    ::SendMessageA(edit, EM_SETSEL, position, position);
    ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void EntryEditorDialog_t::DoDataExchange(CDataExchange* pDX)
{
    afx::DDX_Text(pDX, IDC_ENTRY_TEXT, text);
    afx::DDX_Text(pDX, IDC_ENTRY_RESPONSE, response);
    ExchangeBlankLines(pDX, IDC_BLANK_LINES, blankLines);
    CheckTotalLength(pDX, textLimit);
}

void EntryEditorDialog_t::ExchangeBlankLines(CDataExchange* pDX, int id, int& count)
{
    const HWND edit = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        if (count < 0 || count >= 100)
            count = 0;
        ::SetWindowTextA(edit, std::to_string(count).c_str());
        return;
    }
    std::istringstream in(WindowText(edit));
    int value = 0;
    if (in >> value)
        count = value;
}

void EntryEditorDialog_t::CheckTotalLength(CDataExchange* pDX, int limit)
{
    if (!pDX->m_bSaveAndValidate || text.size() + response.size() <= static_cast<std::size_t>(limit))
        return;
    const std::string message =
        "The total number of Text and Response characters cannot exceed " + std::to_string(limit) + ".";
    AfxMessageBox(message.c_str(), MB_OK);
    pDX->Fail();
}

} // namespace app
