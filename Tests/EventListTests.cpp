// Event lists read from data-file entries: the "%f %s" line scan with its quirks, time order and
// repeated times, and which event a poll reports as time moves forwards and backwards.
#include "Framework/EventList.h"
#include "ScratchDataFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Timeline = std::vector<std::pair<float, std::string>>;

Timeline Contents(const EventList& list) {
    Timeline timeline;
    for (const Event& event : list.Events())
        timeline.emplace_back(event.time, event.name);
    return timeline;
}

class EventLists : public ::testing::Test {
protected:
    // The list "Timeline", loaded from an entry holding text.
    EventList Loaded(const std::string& text) {
        data.Mount({{"Data\\event\\Timeline", text}});
        EventList list("Timeline");
        EXPECT_TRUE(list.LoadEvents());
        return list;
    }

    ScratchDataFile data;
};

struct ParseCase {
    const char* what;
    std::string text;
    Timeline expected;
};

TEST_F(EventLists, LinesScanAsTimeAndName) {
    const std::string longName(600, 'n');
    const std::vector<ParseCase> cases = {
        {"one event a line",
         "0 IntroScene\n12.5 SerpentScene\n",
         {{0.0f, "IntroScene"}, {12.5f, "SerpentScene"}}},
        {"carriage returns before the line feeds",
         "0 IntroScene\r\n12.5 SerpentScene\r\n",
         {{0.0f, "IntroScene"}, {12.5f, "SerpentScene"}}},
        {"lines not starting with a number are skipped",
         "# the show\nIntroScene 5\n0 IntroScene\n-- 3 X\n",
         {{0.0f, "IntroScene"}}},
        {"blank and white-space lines", "\n0 A\n\n  \t\n5 B\n\n", {{0.0f, "A"}, {5.0f, "B"}}},
        {"a number alone takes the next line's first word",
         "0 A\n12\nSerpentScene WaterScene\n20 C",
         {{0.0f, "A"}, {12.0f, "SerpentScene"}, {20.0f, "C"}}},
        {"a number alone on the last line", "0 A\n7\n", {{0.0f, "A"}}},
        {"a number alone at the very end", "0 A\n7", {{0.0f, "A"}}},
        {"a repeated time keeps the first event",
         "3 First\n3 Second\n3.0 Third\n",
         {{3.0f, "First"}}},
        {"lines out of time order",
         "30 C\n10 A\n20 B\n-5 Pre\n",
         {{-5.0f, "Pre"}, {10.0f, "A"}, {20.0f, "B"}, {30.0f, "C"}}},
        {"words after the name are ignored", "1 A B C\n", {{1.0f, "A"}}},
        {"the last line without a line feed", "0 A\n5 B", {{0.0f, "A"}, {5.0f, "B"}}},
        {"leading blanks, a tab, a number glued to its name",
         "   2\tTab\n3Glued\n",
         {{2.0f, "Tab"}, {3.0f, "Glued"}}},
        {"signs and exponents", "+1e1 Ten\n-.5 Half\n", {{-0.5f, "Half"}, {10.0f, "Ten"}}},
        {"a NUL ends the name as it ends a C string",
         std::string("5 A\0B\n6 C\n", 10),
         {{5.0f, "A"}, {6.0f, "C"}}},
        {"a name is at most 511 characters",
         "1 " + longName + "\n2 Next\n",
         {{1.0f, longName.substr(0, 511)}, {2.0f, "Next"}}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Contents(Loaded(c.text)), c.expected);
    }
}

TEST_F(EventLists, AMissingEntryLeavesTheListEmptyAndSilent) {
    data.Mount({{"Data\\event\\Other", "0 IntroScene\n"}});
    EventList list("Timeline");
    EXPECT_FALSE(list.LoadEvents());
    EXPECT_TRUE(list.Events().empty());
    EXPECT_EQ(list.FindEvent(5.0f), -1);
    std::string name = "unchanged";
    EXPECT_FALSE(list.Poll(5.0f, name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(EventLists, AnEntryWithoutEventsStillCountsAsFound) {
    EXPECT_TRUE(Loaded("# nothing yet\n\n").Events().empty());
}

TEST_F(EventLists, ReloadingReplacesTheEventsAndForgetsWhatWasReported) {
    EventList list = Loaded("0 IntroScene\n");
    std::string name;
    ASSERT_TRUE(list.Poll(1.0f, name));
    list.AddEvent(50.0f, "Extra");
    ASSERT_TRUE(list.LoadEvents());
    EXPECT_EQ(Contents(list), (Timeline{{0.0f, "IntroScene"}}));
    EXPECT_TRUE(list.Poll(1.0f, name));
    EXPECT_EQ(name, "IntroScene");
}

struct PollStep {
    float time;
    const char* reported; // null: nothing reported
};

struct PollCase {
    const char* what;
    std::string text;
    std::vector<PollStep> steps;
};

TEST_F(EventLists, PollReportsTheEventInForceOnlyWhenItChanges) {
    const std::vector<PollCase> cases = {
        {"forward through two events, then back",
         "0.0 IntroScene\n12.5 SerpentScene\n",
         {{0.0f, "IntroScene"},
          {5.0f, nullptr},
          {12.5f, "SerpentScene"},
          {13.0f, nullptr},
          {3.0f, "IntroScene"}}},
        {"before the first event the first one is in force",
         "2.0 IntroScene\n9 WaterScene\n",
         {{0.0f, "IntroScene"}, {1.9f, nullptr}, {2.0f, nullptr}, {9.0f, "WaterScene"}}},
        {"jumps report only the event they land in",
         "0 A\n10 B\n20 C\n30 D\n",
         {{0.0f, "A"},
          {25.0f, "C"},
          {1000.0f, "D"},
          {-1000.0f, "A"},
          {20.0f, "C"},
          {19.999f, "B"}}},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.what);
        EventList list = Loaded(c.text);
        for (const PollStep& step : c.steps) {
            SCOPED_TRACE(step.time);
            std::string name;
            EXPECT_EQ(list.Poll(step.time, name), step.reported != nullptr);
            if (step.reported != nullptr) {
                EXPECT_EQ(name, step.reported);
            }
        }
    }
}

TEST_F(EventLists, AddEventKeepsTimeOrderAndRefusesARepeatedTime) {
    EventList list("Timeline");
    EXPECT_TRUE(list.AddEvent(5.0f, "B"));
    EXPECT_TRUE(list.AddEvent(1.0f, "A"));
    EXPECT_TRUE(list.AddEvent(9.0f, "C"));
    EXPECT_FALSE(list.AddEvent(5.0f, "Late"));
    EXPECT_TRUE(list.AddEvent(5.5f, "B2"));
    EXPECT_EQ(Contents(list), (Timeline{{1.0f, "A"}, {5.0f, "B"}, {5.5f, "B2"}, {9.0f, "C"}}));
}

// The cursor walk against a search from scratch, with times that jump both ways, repeat and
// fall on, between, before and after the events.
TEST_F(EventLists, FindEventAgreesWithAFullSearchWhereverTimeJumps) {
    const std::vector<float> times = {-3.0f, 0.0f, 0.5f, 2.0f, 7.25f, 100.0f};
    EventList list("Timeline");
    EXPECT_EQ(list.FindEvent(0.0f), -1);
    for (const float time : times)
        list.AddEvent(time, "E");

    const auto fullSearch = [&times](float t) {
        int found = 0;
        for (std::size_t i = 0; i < times.size(); ++i)
            if (times[i] <= t) found = static_cast<int>(i);
        return found;
    };
    for (const float t : {50.0f, 50.0f, 0.4f, -10.0f, 200.0f, 2.0f, 1.999f, 7.25f, -3.0f, 0.5f,
                          100.0f, 0.0f, -2.9f})
        EXPECT_EQ(list.FindEvent(t), fullSearch(t)) << "at " << t;
}

} // namespace
