// A named checklist and its block in the text form.
#include "editor/CheckList.h"

#include "editor/ElementAt.h"
#include "editor/TextForm.h"

namespace app {

CheckList_t::Entries::iterator CheckList_t::EntryAt(int index)
{
    return ElementAt(entries, index);
}

CheckList_t::Entries::const_iterator CheckList_t::EntryAt(int index) const
{
    return ElementAt(entries, index);
}

std::ostream& CheckList_t::Write(std::ostream& out) const
{
    WriteBlock(out, '(', ')', name, entries);
    return out;
}

std::istream& CheckList_t::Read(std::istream& in)
{
    ReadBlock(in, '(', ')', name, entries);
    return in;
}

} // namespace app
