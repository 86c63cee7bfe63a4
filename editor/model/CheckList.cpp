// A named checklist and its block in the text form.
#include "editor/model/CheckList.h"

#include "editor/model/ElementAt.h"
#include "editor/file/TextForm.h"

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
