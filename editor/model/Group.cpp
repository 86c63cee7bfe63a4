// A named group of checklists and its block in the text form.
#include "editor/model/Group.h"

#include "editor/model/ElementAt.h"
#include "editor/file/TextForm.h"

namespace app {

Group_t::CheckLists::iterator Group_t::CheckListAt(int index)
{
    return ElementAt(checklists, index);
}

Group_t::CheckLists::const_iterator Group_t::CheckListAt(int index) const
{
    return ElementAt(checklists, index);
}

std::ostream& Group_t::Write(std::ostream& out) const
{
    WriteBlock(out, '<', '>', name, checklists);
    return out;
}

std::istream& Group_t::Read(std::istream& in)
{
    ReadBlock(in, '<', '>', name, checklists);
    return in;
}

} // namespace app
