// Shared set-up of the stats tests: an emptied table set on the heap, a
// recording desktop with its progress window open, and line feeding.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "stats/LogReader.h"
#include "stats/MatchEvents.h"
#include "stats/StatsTables.h"
#include "tests/support/RecordingDesktop.h"

namespace mctf::testing {

class StatsFixture : public ::testing::Test {
protected:
    StatsFixture() {
        ResetLogTables(*tables);
        desktop.OpenProgress();
    }

    void Feed(std::initializer_list<std::string_view> lines) {
        for (std::string_view line : lines) DispatchLogLine(*tables, desktop, line);
    }

    // Slot `slot` takes the name and begins at `stamp`.
    void Join(int slot, const std::string& name, const std::string& stamp) {
        std::string number = std::to_string(slot);
        std::string rename = stamp + " ClientUserinfoChanged: " + number + " n\\" + name + "\\t\\0";
        std::string begin = stamp + " ClientBegin: " + number;
        Feed({rename, begin});
    }

    const PlayerStats* Player(std::string_view name) const {
        int index = FindPlayer(*tables, name);
        return index < 0 ? nullptr : &tables->players[index];
    }

    std::unique_ptr<StatsTables> tables = std::make_unique<StatsTables>();
    RecordingDesktop desktop;
};

}  // namespace mctf::testing
