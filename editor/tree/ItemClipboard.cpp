// Groups, checklists and entries on the clipboard in their registered formats.
#include "editor/tree/ItemClipboard.h"

#include "foundation/afx/AFX_IClipboard.h"
#include "foundation/afx/AFX_OClipboard.h"
#include "editor/model/Group.h"

#include <sstream>

namespace app {

namespace {

template <class Item>
void WriteItem(afx::OClipboard_t& clipboard, UINT format, const Item& item)
{
    std::ostringstream text;
    item.Write(text);
    clipboard.Add(format, afx::OClipBinary_t(text.str()));
}

template <class Item>
bool ReadItem(afx::IClipboard_t& clipboard, UINT format, Item& item)
{
    const afx::IClipBinary_t block(clipboard, format);
    if (!clipboard.WasAvailable())
        return false;
    std::string text;
    block.Read(text);
    std::istringstream in(text);
    item.Read(in);
    return true;
}

} // namespace

UINT GroupClipboardFormat()
{
    return ::RegisterClipboardFormatA("QUOREL KIV GROUP");
}

UINT CheckListClipboardFormat()
{
    return ::RegisterClipboardFormatA("QUOREL KIV CHECKLIST");
}

UINT EntryClipboardFormat()
{
    return ::RegisterClipboardFormatA("QUOREL KIV ENTRY");
}

void WriteGroupToClipboard(afx::OClipboard_t& clipboard, const Group_t& group)
{
    WriteItem(clipboard, GroupClipboardFormat(), group);
}

void WriteCheckListToClipboard(afx::OClipboard_t& clipboard, const CheckList_t& checkList)
{
    WriteItem(clipboard, CheckListClipboardFormat(), checkList);
}

void WriteEntryToClipboard(afx::OClipboard_t& clipboard, const Entry_t& entry)
{
    WriteItem(clipboard, EntryClipboardFormat(), entry);
}

bool ReadGroupFromClipboard(afx::IClipboard_t& clipboard, Group_t& group)
{
    return ReadItem(clipboard, GroupClipboardFormat(), group);
}

bool ReadCheckListFromClipboard(afx::IClipboard_t& clipboard, CheckList_t& checkList)
{
    return ReadItem(clipboard, CheckListClipboardFormat(), checkList);
}

bool ReadEntryFromClipboard(afx::IClipboard_t& clipboard, Entry_t& entry)
{
    return ReadItem(clipboard, EntryClipboardFormat(), entry);
}

} // namespace app
