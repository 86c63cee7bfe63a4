// The checklist database: its groups and their text form.
#include "editor/Database.h"

#include "editor/ElementAt.h"
#include "editor/TextForm.h"

namespace app {

Database_t::Groups::iterator Database_t::GroupAt(int index)
{
    return ElementAt(groups, index);
}

Database_t::Groups::const_iterator Database_t::GroupAt(int index) const
{
    return ElementAt(groups, index);
}

std::ostream& Database_t::Write(std::ostream& out) const
{
    for (const Group_t& group : groups)
        group.Write(out);
    return out.write("END\n", 4);
}

std::istream& Database_t::Read(std::istream& in)
{
    complete = false;
    Group_t group;
    while (group.Read(in).good())
        groups.push_back(group);
    in.clear();
    SkipCommentLines(in);
    std::string line;
    std::getline(in, line);
    if (line == "END")
        complete = true;
    else
        in.setstate(std::ios::failbit);
    return in;
}

} // namespace app
