// StatsRun: a whole statistics run over files a test lays out in a
// temporary log folder (with a temporary game folder for clanlist.txt), and
// the outcome in a comparable form: the one message shown and every counted
// player with its net frags.
#pragma once

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "jobs/AnalyzeLogs.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {

struct StatsRun {
    TempDir logs;
    TempDir game;
    ServerSettings settings = DefaultSettings;
    std::unique_ptr<StatsTables> tables = std::make_unique<StatsTables>();
    RecordingDesktop desktop;

    StatsRun() {
        std::strcpy(settings.statsDir, logs.str().c_str());
        std::strcpy(settings.quakePath, game.str().c_str());
        std::filesystem::create_directory(game / "morvane");
    }

    void Log(const std::string& name, const std::string& text) {
        WriteFileBytes(logs / name, text);
    }

    // The window's message at the end of the run ("" for none).
    std::string Run() {
        return std::string(
            RunMessage(AnalyzeLogs(*tables, settings, desktop, ReportEnvironment{})).text);
    }

    std::map<std::string, int> Players() const {
        std::map<std::string, int> players;
        for (int i = 0; i < tables->playerCount; ++i)
            players[tables->players[i].name] = tables->players[i].frags;
        return players;
    }
};

// One match from 0:00 to 5:00 around `events`; `joins` lines of the form
// slot/name enter their slots at 0:00 first.
inline std::string Match(std::initializer_list<std::pair<std::string, std::string>> joins,
                         const std::string& events = "") {
    std::string text = "  0:00 InitGame: \\sv_hostname\\Test\n";
    for (const auto& [slot, name] : joins) {
        text += "  0:00 ClientUserinfoChanged: " + slot + " n\\" + name + "\\t\\0\n";
        text += "  0:00 ClientBegin: " + slot + "\n";
    }
    return text + events + "  5:00 Exit: Timelimit hit.\n";
}

}  // namespace mctf::testing
