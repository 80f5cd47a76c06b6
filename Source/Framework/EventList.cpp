#include "Framework/EventList.h"

#include "Framework/FileSys.h"
#include "Framework/TimeSearch.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace {

constexpr std::size_t maxNameLength = 511;

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Scans a line the way the pattern "%f %s" does: white space before the time and between time
// and name may run over line ends, and the name is the next run of at most maxNameLength
// non-blank characters. The text ends at a NUL, as a C string does; the caller puts one after
// the last byte, so no scan passes the end.
class EventTextScanner {
public:
    explicit EventTextScanner(const char* nulTerminatedText) : text(nulTerminatedText) {}

    std::optional<Event> Scan(std::size_t lineStart) {
        // The lines of a run of white space all scan the text after it: scan it once.
        const std::size_t start = SkipBlanks(lineStart);
        if (start != lastStart) {
            lastStart = start;
            lastEvent = ScanAt(start);
        }
        return lastEvent;
    }

private:
    std::optional<Event> ScanAt(std::size_t start) {
        // No number runs over white space, so the C library's own scanner reads the time from
        // the blank-free token alone, and %n tells where the name may begin.
        std::size_t tokenEnd = start;
        while (text[tokenEnd] != '\0' && !IsBlank(text[tokenEnd]))
            ++tokenEnd;
        const std::string token(text + start, tokenEnd - start);
        float time = 0.0f;
        int timeLength = 0;
        if (std::sscanf(token.c_str(), "%f%n", &time, &timeLength) != 1) return std::nullopt;

        const std::size_t nameStart = SkipBlanks(start + static_cast<std::size_t>(timeLength));
        std::size_t nameEnd = nameStart;
        while (nameEnd - nameStart < maxNameLength && text[nameEnd] != '\0' &&
               !IsBlank(text[nameEnd]))
            ++nameEnd;
        if (nameEnd == nameStart) return std::nullopt;
        return Event{time, std::string(text + nameStart, nameEnd - nameStart)};
    }

    // Remembers the last run of white space crossed, so that the blank lines inside a long run
    // do not each cross the rest of it again.
    std::size_t SkipBlanks(std::size_t from) {
        if (from >= blankFrom && from < blankTo) return blankTo;
        std::size_t end = from;
        while (IsBlank(text[end]))
            ++end;
        blankFrom = from;
        blankTo = end;
        return end;
    }

    const char* text;
    std::size_t blankFrom = 0;
    std::size_t blankTo = 0;
    std::size_t lastStart = SIZE_MAX;
    std::optional<Event> lastEvent;
};

// One past the line feed at or after line, or past the end when no line feed follows.
std::size_t NextLineStart(const char* text, std::size_t line, std::size_t size) {
    const void* lineFeed = std::memchr(text + line, '\n', size - line);
    if (lineFeed == nullptr) return size + 1;
    return static_cast<std::size_t>(static_cast<const char*>(lineFeed) - text) + 1;
}

} // namespace

EventList::EventList(std::string listName) : name(std::move(listName)) {}

bool EventList::LoadEvents() {
    events.clear();
    cursor = 0;
    lastReported = -1;

    const std::string entry = "Data\\event\\" + name;
    const FileSys& fileSys = *FileSys::Instance();
    const std::uint32_t size = fileSys.GetFileSize(entry.c_str());
    if (size == 0) return false;

    std::vector<char> text(std::size_t{size} + 1, '\0');
    fileSys.ReadFile(entry.c_str(), text.data());
    EventTextScanner scanner(text.data());
    for (std::size_t line = 0; line < size;) {
        if (const std::optional<Event> event = scanner.Scan(line))
            AddEvent(event->time, event->name);
        line = NextLineStart(text.data(), line, size);
    }
    return true;
}

bool EventList::AddEvent(float time, const std::string& eventName) {
    // Searched from the back, so that a file in ascending time loads in linear time.
    const auto lastBelow = std::find_if(events.rbegin(), events.rend(),
                                        [time](const Event& event) { return event.time < time; });
    const auto position = lastBelow.base();
    if (position != events.end() && position->time == time) return false;
    events.insert(position, Event{time, eventName});
    cursor = 0;
    return true;
}

int EventList::FindEvent(float time) {
    if (events.empty()) return -1;
    cursor = WalkToTime(cursor, events.size(), time,
                        [this](std::size_t index) { return events[index].time; });
    return static_cast<int>(cursor);
}

bool EventList::Poll(float time, std::string& eventName) {
    const int found = FindEvent(time);
    if (found == lastReported) return false;
    eventName = events[static_cast<std::size_t>(found)].name;
    lastReported = found;
    return true;
}
