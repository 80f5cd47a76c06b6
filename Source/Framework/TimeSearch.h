// The search that curves and event lists share: from the index found last, walk forward or
// backward to the last item at or before a time. While time advances steadily it costs one
// comparison; a jump, also backwards, still lands right by walking.
#pragma once

#include <cstddef>

// Index of the last item whose time is at or before t (ties go to the later item), or 0 when t
// lies before the first item. Needs count > 0 and start < count; timeAt(i) is item i's time.
template <class TimeAt>
std::size_t WalkToTime(std::size_t start, std::size_t count, float t, TimeAt timeAt) {
    std::size_t index = start;
    if (t >= timeAt(index)) {
        while (index + 1 < count && t >= timeAt(index + 1))
            ++index;
    } else {
        while (index > 0) {
            --index;
            if (timeAt(index) <= t) break;
        }
    }
    return index;
}
