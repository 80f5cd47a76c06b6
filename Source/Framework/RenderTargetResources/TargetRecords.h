// The growing list of render-target records a handler keeps: a request takes the first free
// record of the asked-for shape or appends a new one, so targets of equal shape are shared by
// every scene that does not need them at the same time. Records never move (a deque), so an index
// and a reference stay valid until the list is cleared.
#pragma once

#include <cstdint>
#include <deque>

template <class Record>
class TargetRecords {
public:
    // `matches(record)` says whether a record has the shape; `create()` makes a record of it with
    // a use count of 0.
    template <class Matches, class Create>
    unsigned Request(Matches matches, Create create) {
        for (unsigned index = 0; index < records.size(); ++index) {
            if (records[index].useCount == 0 && matches(records[index])) {
                ++records[index].useCount;
                return index;
            }
        }
        records.push_back(create());
        ++records.back().useCount;
        return static_cast<unsigned>(records.size() - 1);
    }

    void Release(unsigned index) {
        if (index < records.size() && records[index].useCount > 0) --records[index].useCount;
    }

    // Null for an index the list does not have.
    const Record* Find(unsigned index) const {
        return index < records.size() ? &records[index] : nullptr;
    }
    std::deque<Record>& All() { return records; }

private:
    std::deque<Record> records;
};
