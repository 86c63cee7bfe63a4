// The file properties dialog: shows and edits a copy of the checklist file's
// header, its five texts and its default group and checklist; read-only for a
// locked document.
#pragma once

#include <cstdint>
#include <string>

#include "editor/file/KivFileHeader.h"
#include "framework/Framework.h"

namespace app {

class KivPropertyDialog_t : public CDialog {
public:
    KivPropertyDialog_t(const KivFileHeader_t& header, bool editable);
    ~KivPropertyDialog_t() override = default;

    // The header given, with what the dialog edited.
    KivFileHeader_t GetHeader() const;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelChangeDefaultGroup();
    afx_msg void OnSelChangeDefaultCheckList();

    DECLARE_MESSAGE_MAP()

private:
    void ExchangeText(CDataExchange* pDX, int id, std::string& text, const char* label);

    KivFileHeader_t header; // also keeps the signature, which is never edited
    std::uint8_t revision;
    std::uint8_t userMade;
    std::uint8_t defaultGroup;
    std::uint8_t defaultCheckList;
    std::string checkListName;
    std::string aircraftMakeModel;
    std::string aircraftInfo;
    std::string manufacturerId;
    std::string copyrightInfo;
    bool editable;
};

} // namespace app
