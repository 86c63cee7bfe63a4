// The whole checklist content of one document: its groups, held by value, and
// their text form (each group block, then the line "END").
#pragma once

#include "editor/Group.h"

#include <list>

namespace app {

class Database_t {
public:
    using Groups = std::list<Group_t>;

    Database_t() = default;
    virtual ~Database_t() = default;
    Database_t(const Database_t&) = delete;
    Database_t& operator=(const Database_t&) = delete;

    // The n-th group, or the end position for an index out of range.
    Groups::iterator GroupAt(int index);
    Groups::const_iterator GroupAt(int index) const;

    // Every group, then "END".
    std::ostream& Write(std::ostream& out) const;
    // Appends the groups read to those held; the body is complete when it ended
    // with the line "END". Records nothing and notifies nobody.
    std::istream& Read(std::istream& in);
    bool IsComplete() const { return complete; }

    Groups groups;

private:
    bool complete = false;
};

inline std::ostream& operator<<(std::ostream& out, const Database_t& database) { return database.Write(out); }
inline std::istream& operator>>(std::istream& in, Database_t& database) { return database.Read(in); }

} // namespace app
