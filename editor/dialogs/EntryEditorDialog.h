// The entry dialog: edits one entry's text, response, type, justification and
// the number of blank lines that follow it. A challenge with response is shown
// as a challenge whose response is filled in.
#pragma once

#include <string>

#include "editor/model/Entry.h"
#include "framework/Framework.h"

namespace app {

class EntryEditorDialog_t : public CDialog {
public:
    explicit EntryEditorDialog_t(const Entry_t& entry);
    ~EntryEditorDialog_t() override = default;

    // The edited entry: a challenge with a response becomes a challenge with
    // response; the blank lines follow the response then, the text otherwise.
    Entry_t GetEntry() const;

    // Removes every newline character from text; returns how many there were.
    static int ExtractBlankLines(std::string& text);
    // Removes the characters outside the allowed set from the dialog's edit id,
    // leaving the caret where it was among the characters kept.
    static void FilterEditText(CWnd* dialog, int id);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelChangeEntryType();
    afx_msg void OnSelChangeJustification();
    afx_msg void OnUpdateText();
    afx_msg void OnUpdateResponse();

    DECLARE_MESSAGE_MAP()

private:
    // The five indent items, and "Center" unless the type is Challenge; only a
    // challenge keeps its response, as its Response box holds it.
    void FillJustificationCombo();
    void SelectTypeItem();
    void SelectJustificationItem();
    // The count in decimal; a count out of 0..99 shows as 0. Text that is no
    // number leaves the count unchanged.
    static void ExchangeBlankLines(CDataExchange* pDX, int id, int& count);
    // Text and response together may hold at most limit characters.
    void CheckTotalLength(CDataExchange* pDX, int limit);

    int blankLines;
    Entry_t entry;
    std::string text;
    std::string response;
    int kind;
    int justification;
};

} // namespace app
