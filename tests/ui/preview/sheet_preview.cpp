// sheet_preview: opens the "Server Settings" sheet over a scratch game folder
// so tests/ui/sheet_screenshots.sh can capture its pages on a real display.
// A pak with a handful of maps lies in the game's baseq3, so both lists of
// the Maps page have something in them. Closing the sheet ends the program.
#include <QApplication>
#include <QDialog>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/FixedText.h"
#include "core/SettingsStore.h"
#include "tests/core/ZipBuilder.h"
#include "ui/QtDesktop.h"
#include "ui/sheet/ServerSettingsSheet.h"
#include "ui/sheet/SheetSession.h"

namespace {

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("mctf-sheet-preview-" + std::to_string(::getpid()));
    fs::create_directories(folder / "morvane");
    fs::create_directories(folder / "baseq3");

    mctf::testing::ZipBuilder pak;
    for (const char* name : {"maps/q3dm17.bsp", "maps/Q3DM6.bsp", "levelshots/q3dm17.jpg",
                             "maps/mctf_canyon.bsp", "maps/q3ctf4.bsp", "maps/ms01.bsp"}) {
        pak.Entry(name);
    }
    Write(folder / "baseq3" / "maps.pk3", pak.bytes());
    mctf::SettingsStore store;
    store.startupDir = folder.string();
    store.settings = mctf::DefaultSettings;
    mctf::SetFixedText(store.settings.quakePath, folder.string());
    mctf::SaveSettings(store);
    Write(folder / "morvane" / "mctf.map", "q3ctf1\nq3ctf2\nmctf_canyon\n");
    mctf::LoadSettings(store);

    mctf::QtDesktop desktop;
    auto sheet = mctf::OpenServerSheet(nullptr, store, desktop);
    const int result = sheet->exec();
    mctf::CloseServerSheet(*sheet, result == QDialog::Accepted, store, desktop);
    std::printf("%s\n", result == QDialog::Accepted ? "accepted" : "cancelled");
    sheet.reset();
    fs::remove_all(folder);
    return 0;
}
