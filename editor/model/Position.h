// The address of one item of the checklist database: group, checklist and entry
// indexes, all zero-based. A position of a group or checklist ignores the lower indexes.
#pragma once

namespace app {

struct Position_t {
    Position_t(int group = 0, int checklist = 0, int entry = 0)
        : group(group), checklist(checklist), entry(entry) {}

    int group;
    int checklist;
    int entry;
};

} // namespace app
