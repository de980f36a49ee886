// Shared set-up of the stats tests: an emptied table set on the heap, a
// progress that records what the reader tells it, and line feeding.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "stats/LogReader.h"
#include "stats/MatchEvents.h"
#include "stats/ReadProgress.h"
#include "stats/StatsTables.h"

namespace mctf::testing {

// Every bar position at a match start, and the status of the last block.
struct RecordingProgress : ReadProgress {
    void MatchStarted(const ReadStatus& status) override { bars.push_back(status.barPosition); }
    void BlockRead(const ReadStatus& status) override { lastBlock = status; }

    std::vector<int> bars;
    ReadStatus lastBlock;
};

class StatsFixture : public ::testing::Test {
protected:
    StatsFixture() { ResetLogTables(*tables); }

    void Feed(std::initializer_list<std::string_view> lines) {
        for (std::string_view line : lines)
            tables->documentCounts ? DispatchDocumentLine(*tables, line)
                                   : DispatchLogLine(*tables, line);
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
    RecordingProgress progress;
    ReadTracker tracker{progress, 0};
};

}  // namespace mctf::testing
