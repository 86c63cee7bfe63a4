// Dialog data exchange between controls and standard strings and flags, and
// the library's own length check.
#pragma once

#include <string>

class CDataExchange;

namespace afx {

// An edit control's text. Saving leaves the string as it is while the edit shows the
// text that the string gives, byte for byte also where the code page reads no character.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, std::wstring& value);
// On saving, a text longer than limit is reported (string 4100) and fails the exchange.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int limit);
// A combo box's text.
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
// A check box's state.
void DDX_Check(CDataExchange* pDX, int id, bool& value);

} // namespace afx
