#include <gtest/gtest.h>

#include "core/ByteStream.h"
#include "core/PakScanner.h"
#include "tests/core/FaultyFiles.h"
#include "tests/core/ZipBuilder.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

using Names = std::vector<std::string>;

struct PakScannerTest : ::testing::Test {
    TempDir dir;
    RecordingDesktop desktop;
    Names names;

    ScanStatus Scan(const ZipBuilder& zip) {
        WriteFileBytes(dir / "test.pk3", zip.bytes());
        return ScanMapFile((dir / "test.pk3").string(), names, desktop);
    }
};

TEST(MapNameFromPath, OnlyLowerCaseBspNamesAreMaps) {
    for (auto [path, map] : {std::pair{"C:\\q3\\maps\\q3tourney2.bsp", "q3tourney2"},
                             std::pair{"deep/er/mapxbsp", "map"}}) {
        std::string name = path;
        EXPECT_TRUE(MapNameFromPath(name)) << path;
        EXPECT_EQ(name, map);
    }
    for (std::string path : {"maps/Q3DM17.BSP", "bs", "maps/.bsp", "x.bsp.txt"}) {
        std::string name = path;
        EXPECT_FALSE(MapNameFromPath(name)) << path;
        EXPECT_EQ(name, path);
    }
}

TEST_F(PakScannerTest, ListsMapEntriesWithProgress) {
    ZipBuilder zip;
    zip.Filler(500)
        .Entry("maps/q3dm2.bsp")
        .Entry("textures/wall.tga")
        .Entry("maps/Q3DM9.BSP")
        .Entry("other/q3dm1.bsp")
        .Entry(std::string(123, 'n') + ".bsp")
        .Entry(std::string(124, 'n') + ".bsp")
        .Raw("PK\x05\x06")
        .Filler(20);
    EXPECT_EQ(Scan(zip), ScanStatus::Scanned);
    EXPECT_EQ(names, (Names{"q3dm2", "q3dm1", std::string(123, 'n')}));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(desktop.progressOpened, 1);
    EXPECT_EQ(desktop.progressClosed, 1);
    ASSERT_EQ(desktop.progress.size(), 6u);  // one per header; the end adds none
    EXPECT_EQ(desktop.progress[0], 0);       // 471 candidates of 320000
}

TEST_F(PakScannerTest, SignatureOnTheLastCandidateOfASearchIsMissed) {
    // Candidates count from byte 30, after the local header.
    EXPECT_EQ(Scan(ZipBuilder().Filler(8091).Entry("maps/missed.bsp").Entry("maps/next.bsp")),
              ScanStatus::Scanned);
    EXPECT_EQ(names, Names{"next"});
    // The byte in hand when a search gives up is dropped, too.
    Scan(ZipBuilder().Filler(8092).Entry("maps/dropped.bsp"));
    Scan(ZipBuilder().Filler(8090).Entry("maps/found.bsp"));
    EXPECT_EQ(names, (Names{"next", "found"}));
}

TEST_F(PakScannerTest, OnlyTheLast320000BytesAreSearched) {
    ZipBuilder zip;
    const std::size_t windowStart = 400000 - 320000;
    zip.Entry("maps/early.bsp")
        .PadTo(windowStart - 2)
        .Entry("maps/straddling.bsp")
        .Entry("maps/inside.bsp")
        .PadTo(400000);
    Scan(zip);
    EXPECT_EQ(names, Names{"inside"});
    for (std::size_t i = 1; i < desktop.progress.size(); ++i)
        EXPECT_LE(desktop.progress[i - 1], desktop.progress[i]);
    // The search that runs into the end of the file adds nothing.
    EXPECT_GE(desktop.progress.back(), 97);
    EXPECT_LE(desktop.progress.back(), 100);
}

TEST_F(PakScannerTest, BrokenPartialMatchesAreNotRetried) {
    WriteFileBytes(dir / "bytes", "PPK\x01\x02PK\x01\x02");
    ByteStream stream;
    ASSERT_TRUE(stream.Open((dir / "bytes").string()));
    EXPECT_EQ(FindCentralHeader(stream), 5);  // the signature at byte 1 is skipped
    EXPECT_EQ(FindCentralHeader(stream), 0);
}

TEST_F(PakScannerTest, FailuresAreReported) {
    EXPECT_EQ(Scan(ZipBuilder().Entry("maps/cut.bsp").Raw(std::string("PK\x01\x02", 4))),
              ScanStatus::Scanned);  // a header cut short ends the scan quietly
    EXPECT_EQ(names, Names{"cut"});

    WriteFileBytes(dir / "text.pk3", "just some text, no archive");
    WriteFileBytes(dir / "tiny.pk3", "PK\x03");
    EXPECT_EQ(ScanMapFile((dir / "text.pk3").string(), names, desktop), ScanStatus::InvalidPak);
    EXPECT_EQ(ScanMapFile((dir / "tiny.pk3").string(), names, desktop), ScanStatus::InvalidPak);
    EXPECT_EQ(ScanMapFile((dir / "none.pk3").string(), names, desktop), ScanStatus::CannotOpen);
    EXPECT_STREQ(ScanMessage(ScanStatus::InvalidPak), "ERROR Invalid pk3 file");
    EXPECT_STREQ(ScanMessage(ScanStatus::CannotOpen), "ERROR Cannot open file");
    EXPECT_EQ(desktop.progressOpened, 1);  // only for the archive

    // A chosen map file is named without being opened.
    EXPECT_EQ(ScanMapFile((dir / "absent.bsp").string(), names, desktop), ScanStatus::MapFile);
    EXPECT_EQ(ScanMapFile("/" + std::string(126, 'p') + ".bsp", names, desktop),
              ScanStatus::PathTooLong);
    EXPECT_EQ(names, (Names{"cut", "absent"}));
}

TEST_F(PakScannerTest, ThePakIsReadThroughTheFileSystemGiven) {
    WriteFileBytes(dir / "test.pk3", ZipBuilder().Entry("maps/q3dm1.bsp").bytes());
    FaultyFiles disk;
    disk.FailCall(FaultyFiles::Call::Open, 1, EACCES);
    EXPECT_EQ(ScanMapFile((dir / "test.pk3").string(), names, desktop, disk),
              ScanStatus::CannotOpen);
    EXPECT_TRUE(disk.failed());
    EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace mctf::testing
