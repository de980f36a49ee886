#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "stats/LogFileBlocks.h"
#include "stats/LogReader.h"
#include "stats/NewlineFinder.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

// Larger than several read blocks.
constexpr std::size_t kLarge = 2 * 1024 * 1024;

// Bytes that differ from block to block, so a block handed out twice or
// skipped shows.
std::string Pattern(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131 + i / 4099) & 0xff);
    return text;
}

std::string ReadAll(LogFileBlocks& blocks) {
    std::string all;
    for (std::string_view block = blocks.Next(); !block.empty(); block = blocks.Next())
        all.append(block);
    return all;
}

class LogBlocks : public ::testing::Test {
protected:
    std::FILE* Open(const std::string& text) {
        WriteFileBytes(file, text);
        opened = std::fopen(file.string().c_str(), "rb");
        return opened;
    }
    ~LogBlocks() override {
        if (opened != nullptr) std::fclose(opened);
    }

    TempDir folder;
    std::filesystem::path file = folder / "games.log";
    std::FILE* opened = nullptr;
};

TEST_F(LogBlocks, HandOutEveryByteOnceWhateverTheSize) {
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, kLogReadBlockSize + 1, kLarge - 1,
                             kLarge, 2 * kLarge + 7}) {
        std::string text = Pattern(size);
        LogFileBlocks blocks(Open(text));
        EXPECT_EQ(ReadAll(blocks), text) << size;
        std::fclose(opened);
        opened = nullptr;
    }
}

TEST_F(LogBlocks, FollowAFileThatGrowsOrShrinksWhileOpen) {
    std::string text = Pattern(kLarge + 100);
    LogFileBlocks grown(Open(text));
    std::string more = Pattern(5000);
    std::ofstream(file, std::ios::binary | std::ios::app) << more;
    EXPECT_EQ(ReadAll(grown), text + more);
    std::fclose(opened);

    // Cut after the first block was handed out, and before any was.
    text = Pattern(2 * kLarge + 10);
    LogFileBlocks cutLater(Open(text));
    std::string first(cutLater.Next());
    std::filesystem::resize_file(file, kLarge + 50);
    EXPECT_EQ(first + ReadAll(cutLater), text.substr(0, kLarge + 50));
    std::fclose(opened);

    LogFileBlocks cutAtOnce(Open(text));
    std::filesystem::resize_file(file, 100);
    EXPECT_EQ(ReadAll(cutAtOnce), text.substr(0, 100));
}

TEST_F(LogBlocks, InflateGzipMembersInTurnOrSayWhyNot) {
    const std::string text = Pattern(kLarge + 3), member = Gzip(text);
    auto flipped = [&](std::size_t fromEnd) {
        std::string bytes = member;
        bytes[bytes.size() - fromEnd] ^= 1;
        return bytes;
    };
    struct Case {
        std::string bytes, text, fault;
    } const cases[] = {
        {member + Gzip("second\n") + std::string(9, '\0'), text + "second\n", ""},
        {"", "", "unexpected end of file"},
        {text, "", "not in gzip format"},
        {member.substr(0, member.size() / 2), text, "unexpected end of file"},
        {flipped(8), text, "incorrect data check"},
        {flipped(1), text, "incorrect length check"},
    };
    for (const Case& c : cases) {
        LogFileBlocks blocks(Open(c.bytes), LogFormat::Gzip);
        const std::string read = ReadAll(blocks);
        EXPECT_EQ(blocks.Fault(), c.fault);
        // Broken data may give a part of the text first.
        EXPECT_EQ(c.fault.empty() ? c.text : c.text.substr(0, read.size()), read) << c.fault;
        EXPECT_TRUE(!c.fault.empty() || blocks.FileBytes() == c.bytes.size());
        std::fclose(opened);
        opened = nullptr;
    }
}

TEST_F(LogBlocks, ReadPipes) {
    opened = PipeHolding("  0:00 Exit:\n");
    ASSERT_NE(opened, nullptr);
    LogFileBlocks blocks(opened);
    EXPECT_EQ(ReadAll(blocks), "  0:00 Exit:\n");
}

TEST(NewlineFinder, FindsEveryNewlineInOrder) {
    std::mt19937 random(11);
    for (std::size_t size = 0; size < 300; ++size) {
        std::string text(size, 'a');
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < size; ++i) {
            if (random() % 5 == 0 || i == 63 || i == 64) {
                text[i] = '\n';
                expected.push_back(i);
            }
        }
        NewlineFinder finder;
        finder.Reset(text.data(), size);
        std::vector<std::size_t> found;
        for (std::size_t at = finder.Next(); at != size; at = finder.Next()) found.push_back(at);
        EXPECT_EQ(found, expected) << size;
    }
}

// The lines a reader must give for `text`: every newline-ended line, cut at
// 511 characters, and read whole up to 8191.
using Lines = std::vector<std::pair<std::string, std::string>>;
Lines ExpectedLines(const std::string& text) {
    Lines lines;
    for (std::size_t start = 0, newline; (newline = text.find('\n', start)) != std::string::npos;
         start = newline + 1) {
        lines.emplace_back(text.substr(start, std::min(newline - start, kLogLineLimit)),
                           text.substr(start, std::min(newline - start, kWholeLineLimit)));
    }
    return lines;
}

Lines ReadLines(std::FILE* file) {
    Lines lines;
    LogLineReader reader(file);
    std::string_view line;
    while (reader.ReadLogLine(line) == 1) lines.emplace_back(line, reader.WholeLine());
    return lines;
}

TEST_F(LogBlocks, FilesAndMemoryStreamsGiveTheSameLines) {
    // Lines of every kind of length, NUL and CR included, with a long line
    // and a short one right across block boundaries, and an
    // unended last line.
    std::mt19937 random(5);
    std::string text;
    auto addLine = [&](std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) text += "ab\r\0 :9"[random() % 7];
        text += '\n';
    };
    const std::size_t lengths[] = {0, 1, 30, 510, 511, 512, 3000, 8191, 8192};
    while (text.size() < kLogReadBlockSize - 100) addLine(lengths[random() % std::size(lengths)]);
    addLine(300000);
    while (text.size() < kLarge - 10) addLine(lengths[random() % std::size(lengths)]);
    addLine(40);
    while (text.size() < 2 * kLarge + 1000) addLine(lengths[random() % std::size(lengths)]);
    text += "  9:99 Exit:";
    Lines expected = ExpectedLines(text);

    EXPECT_EQ(ReadLines(Open(text)), expected);
    if (!kHasMemoryStreams) GTEST_SKIP() << "no fmemopen on Windows: read from a file only";
    std::string copy = text;
    std::FILE* memory = MemoryStream(copy);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(ReadLines(memory), expected);
    std::fclose(memory);
}

}  // namespace
}  // namespace mctf::testing
