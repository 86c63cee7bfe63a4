// The three clipboard formats in which groups, checklists and entries travel:
// "QUOREL KIV GROUP", "QUOREL KIV CHECKLIST" and "QUOREL KIV ENTRY", each a block
// of a 32-bit little-endian byte count followed by the item's text form with
// LF line ends (no terminating zero).
#pragma once

#include <windows.h>

namespace afx {
class IClipboard_t;
class OClipboard_t;
} // namespace afx

namespace app {

class CheckList_t;
class Entry_t;
class Group_t;

// The registered formats (the system gives the same number to the same name).
UINT GroupClipboardFormat();
UINT CheckListClipboardFormat();
UINT EntryClipboardFormat();

// Offers the item under its format; it reaches the clipboard when the clipboard object ends.
void WriteGroupToClipboard(afx::OClipboard_t& clipboard, const Group_t& group);
void WriteCheckListToClipboard(afx::OClipboard_t& clipboard, const CheckList_t& checkList);
void WriteEntryToClipboard(afx::OClipboard_t& clipboard, const Entry_t& entry);

// When the clipboard offers the item's format, reads the payload into the item
// as far as it parses (a damaged payload leaves what the reader left) and
// returns true; otherwise returns false and leaves the item alone.
bool ReadGroupFromClipboard(afx::IClipboard_t& clipboard, Group_t& group);
bool ReadCheckListFromClipboard(afx::IClipboard_t& clipboard, CheckList_t& checkList);
bool ReadEntryFromClipboard(afx::IClipboard_t& clipboard, Entry_t& entry);

} // namespace app
