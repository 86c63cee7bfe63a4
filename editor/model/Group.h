// A named group of checklists, held by value.
#pragma once

#include "editor/model/CheckList.h"

#include <list>
#include <string>

namespace app {

class Group_t {
public:
    using CheckLists = std::list<CheckList_t>;

    explicit Group_t(const std::string& name = std::string()) : name(name) {}

    // The n-th checklist, or the end position for an index out of range.
    CheckLists::iterator CheckListAt(int index);
    CheckLists::const_iterator CheckListAt(int index) const;

    // The block "<0" name, the checklist blocks, ">". Nothing on a failed stream.
    std::ostream& Write(std::ostream& out) const;
    // Replaces name and checklists only when a whole block was read.
    std::istream& Read(std::istream& in);

    std::string name;
    CheckLists checklists;
};

inline std::ostream& operator<<(std::ostream& out, const Group_t& group) { return group.Write(out); }
inline std::istream& operator>>(std::istream& in, Group_t& group) { return group.Read(in); }

} // namespace app
