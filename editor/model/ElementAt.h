// Indexed access to the model's ordered lists.
#pragma once

namespace app {

// The position of the n-th element, walking from the first; the end position for
// a negative index or one at or beyond the end.
template <class List>
auto ElementAt(List& list, int index) -> decltype(list.begin())
{
    if (index < 0)
        return list.end();
    auto position = list.begin();
    for (; index > 0 && position != list.end(); --index)
        ++position;
    return position;
}

} // namespace app
