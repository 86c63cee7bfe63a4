// A named checklist: an ordered list of entries, held by value.
#pragma once

#include "editor/model/Entry.h"

#include <list>
#include <string>

namespace app {

class CheckList_t {
public:
    using Entries = std::list<Entry_t>;

    explicit CheckList_t(const std::string& name = std::string()) : name(name) {}

    // The n-th entry, or the end position for an index out of range.
    Entries::iterator EntryAt(int index);
    Entries::const_iterator EntryAt(int index) const;

    // The block "(0" name, the entry lines, ")". Nothing on a failed stream.
    std::ostream& Write(std::ostream& out) const;
    // Replaces name and entries only when a whole block was read.
    std::istream& Read(std::istream& in);

    std::string name;
    Entries entries;
};

inline std::istream& operator>>(std::istream& in, CheckList_t& checklist) { return checklist.Read(in); }

} // namespace app
