// SheetTest: a game folder with a stored config.dmc and map list, loaded as
// at start-up, and a settings sheet opened over it without a modal loop. The
// test works the pages, then presses OK or Cancel and runs the closing step.
#pragma once

#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/ServerFiles.h"
#include "tests/core/GameFolder.h"
#include "tests/support/RecordingDesktop.h"
#include "ui/sheet/ServerSettingsSheet.h"
#include "ui/sheet/SheetSession.h"

namespace mctf::testing {

using Strings = std::vector<std::string>;

// Whether text holds line whole, whatever its line ends.
inline ::testing::AssertionResult HasLine(const std::string& text, const std::string& line) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        if (text.compare(start, stop - start, line) == 0) return ::testing::AssertionSuccess();
        start = end + 1;
    }
    return ::testing::AssertionFailure() << "no line \"" << line << "\" in:\n" << text;
}

class SheetTest : public ::testing::Test {
protected:
    enum Tab { kGeneral = 0, kMaps = 1, kDeathMatch = 2, kMod = 3, kBots = 4 };

    SheetTest() { stored = game.store.settings; }

    // Writes `stored` as config.dmc and `maps` as the list file of its game
    // type, loads them, and opens the sheet.
    void Open() {
        WriteFileBytes(game.Config(), RecordBytes(stored));
        // In text mode, as the program writes it (CR LF on Windows).
        std::ofstream list(game.Morvane(std::string(kGameTypes[stored.gameType].mapListFile)));
        for (const std::string& name : maps) list << name << '\n';
        list.close();
        LoadSettings(game.store);
        sheet = OpenServerSheet(nullptr, game.store, desktop);
        sheet->show();
    }

    // OK (or Cancel), then the closing step if the sheet closed.
    bool Close(bool ok) {
        (ok ? sheet->OkButton() : sheet->CancelButton()).click();
        if (sheet->isVisible()) return false;
        CloseServerSheet(*sheet, sheet->result() == QDialog::Accepted, game.store, desktop);
        return true;
    }

    ServerSettings SavedRecord() const {
        ServerSettings s{};
        std::string bytes = ReadFileBytes(game.Config());
        std::memcpy(&s, bytes.data(), std::min(bytes.size(), sizeof s));
        return s;
    }
    // Written in text mode: CR LF on Windows, read back as "\n".
    std::string Script() const { return ReadTextFile(ServerScriptPath(game.store.settings)); }
    std::string MapFile() const {
        return ReadTextFile(game.Morvane(std::string(kGameTypes[stored.gameType].mapListFile)));
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : desktop.messages) texts.push_back(message.text);
        return texts;
    }

    GameFolder game;
    ServerSettings stored;
    std::vector<std::string> maps;
    RecordingDesktop desktop;
    std::unique_ptr<ServerSettingsSheet> sheet;
};

}  // namespace mctf::testing
