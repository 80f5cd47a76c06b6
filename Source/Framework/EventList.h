// The timed events of one list in the data file (entry "Data\event\" + the list's name): which
// name is in force from which moment of demo time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Event {
    float time; // seconds of demo time
    std::string name;
};

class EventList {
public:
    explicit EventList(std::string listName);

    // Replaces the events with those of the list's entry, one "<time> <name>" a line, and forgets
    // what was reported. False when the entry is missing: the list is then empty. Reads through
    // FileSys, which must exist.
    bool LoadEvents();
    // Inserts in time order; false, changing nothing, when an event has exactly this time.
    bool AddEvent(float time, const std::string& eventName);
    // The event in force at time: the last one at or before it, 0 before the first one, -1 for
    // an empty list.
    int FindEvent(float time);
    // True, with the name of the event in force at time, when that is not the event reported
    // last; an empty list never reports.
    bool Poll(float time, std::string& eventName);

    const std::string& Name() const { return name; }
    // In ascending time, no two with the same time.
    const std::vector<Event>& Events() const { return events; }

private:
    std::string name;
    std::vector<Event> events;
    std::size_t cursor = 0;
    int lastReported = -1;
};
