// Paks from the internet, hand-edited settings and clan lists: the loaders
// take what they can and never read past their buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/PakScanner.h"
#include "core/ServerFiles.h"
#include "tests/cli/CliHarness.h"
#include "tests/core/GameFolder.h"
#include "tests/core/ZipBuilder.h"
#include "tests/hostile/FileFaults.h"
#include "tests/hostile/StatsRun.h"
#include "tests/support/Platform.h"
#include "tests/support/TestDefaults.h"

namespace mctf::testing {
namespace {

namespace fs = std::filesystem;

// A central header whose name-length field says `length`, followed by
// `present` bytes of name.
std::string HeaderClaiming(std::size_t length, std::size_t present) {
    std::string rest(42, '\0');
    rest[24] = static_cast<char>(length & 0xFF);
    rest[25] = static_cast<char>(length >> 8);
    return std::string("PK\x01\x02", 4) + rest + std::string(present, 'n');
}

TEST(HostilePaks, BrokenHeadersEndOrSkipAndOddFilesAreRefused) {
    struct Case {
        const char* what;
        std::string bytes;
        ScanStatus status;
        std::vector<std::string> maps;
    };
    const std::string zip = ZipBuilder().Entry("maps/first.bsp").bytes();
    const Case cases[] = {
        {"header cut off in its fixed part",
         zip + HeaderClaiming(10, 0).substr(0, 30),
         ScanStatus::Scanned,
         {"first"}},
        {"name length 65535, file ends first",
         zip + HeaderClaiming(65535, 100),
         ScanStatus::Scanned,
         {"first"}},
        {"name length 65535, all there",
         zip + HeaderClaiming(65535, 65535) +
             ZipBuilder().Entry("maps/after.bsp").bytes().substr(30),
         ScanStatus::Scanned,
         {"first", "after"}},
        {"name length 0",
         zip + HeaderClaiming(0, 0) + ZipBuilder().Entry("maps/z.bsp").bytes().substr(30),
         ScanStatus::Scanned,
         {"first", "z"}},
        {"empty file", "", ScanStatus::InvalidPak, {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFileBytes(dir / "test.pk3", c.bytes);
        RecordingDesktop desktop;
        std::vector<std::string> maps;
        EXPECT_EQ(ScanMapFile((dir / "test.pk3").string(), maps, desktop), c.status) << c.what;
        EXPECT_EQ(maps, c.maps) << c.what;
    }

    // A folder or a named pipe (which would block a reader) is no file to open.
    TempDir dir;
    fs::create_directory(dir / "folder.pk3");
    std::vector<std::string> names = {"folder.pk3"};
    if (kHasNamedPipes) {
        ASSERT_TRUE(MakeNamedPipe(dir / "pipe.pk3"));
        names.push_back("pipe.pk3");
    }
    for (const std::string& name : names) {
        RecordingDesktop desktop;
        std::vector<std::string> maps;
        EXPECT_EQ(ScanMapFile((dir / name).string(), maps, desktop), ScanStatus::CannotOpen)
            << name;
        EXPECT_EQ(desktop.progressOpened, 0) << name;
    }
}

TEST(HostileSettings, FilesOfEveryShortAndLongSizeLoad) {
    struct Case {
        std::size_t size;
        bool takesDefaults;  // and rewrites the file with them
    };
    for (Case c : {Case{0, true}, Case{3, true}, Case{4, false}, Case{807, false}, Case{808, false},
                   Case{809, false}}) {
        TempDir dir;
        const ServerSettings defaults = DefaultsIn(dir.path());
        const std::string image = RecordBytes(defaults) + "extra";
        WriteFileBytes(dir / "config.dmc", image.substr(0, c.size));
        SettingsStore store;
        store.defaults = &defaults;
        store.startupDir = dir.str();
        LoadSettings(store);
        std::string expected = image.substr(0, std::min<std::size_t>(c.size, 808));
        expected.resize(808, '\0');  // bytes a short file does not cover stay zero
        EXPECT_EQ(RecordBytes(store.settings), c.takesDefaults ? RecordBytes(defaults) : expected)
            << c.size;
        EXPECT_EQ(ReadFileBytes(dir / "config.dmc").size(), c.takesDefaults ? 808u : c.size)
            << c.size;
        EXPECT_FALSE(store.saveFailed) << c.size;
    }
}

TEST(HostileSettings, PipesInPlaceOfSettingsAndMapListsDoNotBlock) {
    if (!kHasNamedPipes) GTEST_SKIP() << "Windows has no named pipes in its file system";
    TempDir dir;
    fs::create_directories(dir / "game" / "morvane");
    ASSERT_TRUE(MakeNamedPipe(dir / "config.dmc"));
    ASSERT_TRUE(MakeNamedPipe(dir / "game" / "morvane" / "ms.map"));
    const ServerSettings defaults = DefaultsIn(dir.path());
    SettingsStore store;
    store.defaults = &defaults;
    store.startupDir = dir.str();
    LoadSettings(store);  // as missing: the defaults, but the pipe stays
    EXPECT_EQ(RecordBytes(store.settings), RecordBytes(defaults));
    EXPECT_TRUE(fs::is_fifo(dir / "config.dmc"));
    EXPECT_EQ(store.saveReason, kNotRegularFile);

    std::strcpy(store.settings.quakePath, (dir / "game").string().c_str());
    store.settings.gameType = kMorvaneSoccer;
    LoadMapList(store);
    EXPECT_EQ(store.settings.mapCount, 0);
}

TEST(HostileSettings, TextFieldsWithoutTerminatorsStopAtTheirEnds) {
    // A game and log folder whose path fills quakePath and statsDir exactly.
    TempDir base;
    const std::string folder = (base / std::string(127 - base.str().size(), 'q')).string();
    ASSERT_EQ(folder.size(), 128u);
    fs::create_directories(folder + "/morvane");

    ServerSettings s = DefaultSettings;
    std::memcpy(s.quakePath, folder.data(), 128);
    std::memcpy(s.statsDir, folder.data(), 128);
    std::memset(s.hostname, 'h', 128);  // the most the server info takes
    std::memcpy(s.logFileName, (std::string(28, 'l') + ".log").data(), sizeof s.logFileName);
    std::memset(s.motd, 'm', sizeof s.motd);
    std::memset(s.rconPassword, 'r', sizeof s.rconPassword);
    std::memset(s.serverPassword, 'p', sizeof s.serverPassword);
    WriteFileBytes(base / "config.dmc", RecordBytes(s));
    WriteFileBytes(folder + "/morvane/mctf.map", "q3ctf4\n");

    SettingsStore store;
    store.startupDir = base.str();
    LoadSettings(store);
    EXPECT_EQ(RecordBytes(store.settings).substr(0, 260), RecordBytes(s).substr(0, 260));
    EXPECT_EQ(store.settings.mapCount, 1);

    ASSERT_TRUE(WriteServerFiles(store).Written());
    std::string script = ReadTextFile(folder + "/morvane/morvane.cfg");
    for (std::string line : {"set sv_hostname \"" + std::string(128, 'h') + "\"\n",
                             "set g_log \"" + std::string(28, 'l') + ".log\"\n",
                             "set g_motd \"" + std::string(128, 'm') + "\"\n",
                             "set rconPassword \"" + std::string(16, 'r') + "\"\n",
                             "set sv_privatePassword \"" + std::string(16, 'p') + "\"\n"})
        EXPECT_NE(script.find(line), std::string::npos) << line;
    EXPECT_EQ(ReadFileBytes(folder + "/morvane.bat").find("\"" + folder + "\\quake3.exe\""), 0u);

    StatsRun run;
    run.settings = store.settings;
    WriteFileBytes(folder + "/games.log", Match({{"0", "Ann"}}));
    EXPECT_EQ(run.Run(), "pstats.htm written");
    EXPECT_NE(ReadTextFile(folder + "/pstats.htm").find(std::string(128, 'm') + " - "),
              std::string::npos);
}

TEST(HostileClanLists, TrailingWordsAndPipesAreIgnored) {
    struct Case {
        const char* what;
        std::string tail;
    };
    const Case cases[] = {{"one trailing word", "CD"},
                          {"two trailing words", "CD Gamma"},
                          {"three trailing words", "CD Gamma http://cd.example"},
                          {"a named pipe", ""}};
    for (const Case& c : cases) {
        if (c.tail.empty() && !kHasNamedPipes) continue;  // none on Windows
        StatsRun run;
        run.Log("games.log", Match({{"0", "[AB]Ann"}, {"1", "[CD]Bob"}}));
        const fs::path list = run.game / "morvane" / "clanlist.txt";
        if (c.tail.empty()) {
            ASSERT_TRUE(MakeNamedPipe(list));
        } else {
            WriteFileBytes(list, "AB Alpha none none\n" + c.tail);
        }
        EXPECT_EQ(run.Run(), "pstats.htm written") << c.what;
        ASSERT_EQ(run.tables->clanCount, 2) << c.what;
        EXPECT_STREQ(run.tables->clans[0].clanName, c.tail.empty() ? "" : "Alpha") << c.what;
        EXPECT_STREQ(run.tables->clans[1].clanName, "") << c.what;
        EXPECT_STREQ(run.tables->clans[1].homePage, "") << c.what;
    }
}

// Every command that writes a file, and the file ("@": its game folder).
const std::pair<Args, const char*> kWriters[] = {
    {{"stats"}, "baseq3/pstats.htm"},
    {{"server-files"}, "morvane/morvane.cfg"},
    {{"maplist", "add", "q3ctf1"}, "morvane/mctf.map"},
    {{"systemd", "--server", "/bin/sh", "--write", "@"}, "morvane-stats.timer"},
    {{"stats", "--no-pages", "--json", "@out.json"}, "out.json"}};

// A game folder with all the writers need: settings and a log.
struct WriterRun : GameFolder {
    CliHarness cli;
    WriterRun() {
        SaveSettings(store);
        WriteFileBytes(dir / "baseq3" / "games.log", Match({{"0", "Ann"}}));
    }
    int Run(Args args, FileSystem& files) {
        for (std::string& arg : args) arg = arg[0] == '@' ? (dir / arg.substr(1)).string() : arg;
        args.insert(args.end(), {"--config", Config().string()});
        cli.context.files = &files;
        return cli.Run(args);
    }
};

// Nothing in a writer's way is followed or replaced: links at the names of its
// new files, devices, pipes and sockets at the file's own name.
TEST(HostileFiles, LinksDevicesPipesAndSocketsAreNeitherFollowedNorReplaced) {
    if (!kHasNamedPipes) GTEST_SKIP() << "needs links, named pipes and /dev/null";
    // What stands there, what it stays, and why --json cannot write to it.
    const std::tuple<const char*, fs::file_type, std::string> nodes[] = {
        {"links", fs::file_type::regular, ""},  // every writer goes past them
        {"/dev/null", fs::file_type::symlink, ""},
        {"/dev/full", fs::file_type::symlink, SystemReason(ENOSPC)},
        {"pipe", fs::file_type::fifo, SystemReason(ENXIO)},
        {"socket", fs::file_type::regular, kNotRegularFile}};
    for (const auto& [args, name] : kWriters) {
        for (const auto& [node, stays, why] : nodes) {
            WriterRun run;
            const fs::path file = run.dir / name, victim = run.dir / "victim";
            const bool json = args.back() == "@out.json";
            const bool written = node[0] == 'l' || (json && why.empty());
            FaultyFiles disk;
            fs::remove(file);
            if (node[0] == 'l') {
                WriteFileBytes(victim, "precious");
                fs::create_symlink(victim, file.string() + ".tmp");  // the name it once had
                disk.PlantLink(victim);  // at the name the first new file is given
            }
            if (node[0] == '/') fs::create_symlink(node, file);
            ASSERT_TRUE(node[0] != 'p' || MakeNamedPipe(file));
            if (node[0] == 's') disk.Pretend(FileKind::Socket, name);
            if (node[0] == 's') WriteFileBytes(file, "old");
            EXPECT_EQ(run.Run(args, disk), written ? 0 : 1) << name << node << run.cli.err.str();
            const auto said = file.string() + ": " + (json ? "cannot be written: " + why : "");
            EXPECT_NE(run.cli.err.str().find(written ? "" : said), std::string::npos)
                << name << node << run.cli.err.str();
            EXPECT_EQ(fs::symlink_status(file).type(), stays) << name << node;
            EXPECT_TRUE(node[0] != '/' || fs::is_character_file(node)) << name << node;
            EXPECT_TRUE(node[0] != 's' || ReadFileBytes(file) == "old") << name << node;
            EXPECT_TRUE(node[0] != 'l' || ReadFileBytes(victim) == "precious") << name << node;
        }
    }
}

}  // namespace
}  // namespace mctf::testing
