#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/ByteProgress.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

std::string Written(std::FILE* file) {
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    return text;
}

TEST(ByteProgress, OneLineAtMostTenTimesASecondThenErased) {
    TempDir dir;
    std::FILE* file = std::fopen((dir / "terminal").string().c_str(), "w+b");
    ASSERT_NE(file, nullptr);
    double now = 5.0;
    ByteProgress progress(file, [&] { return now; });
    progress.Update(0, 2'500'000);
    now += 0.05;
    progress.Update(1'000'000, 2'500'000);  // too soon: not drawn
    now += 0.5;
    progress.Update(1'100'000, 2'500'000);
    progress.Clear();
    EXPECT_EQ(Written(file),
              "\rReading logs   0%  0.0 of 2.5 MB\033[K"
              "\rReading logs  44%  1.1 of 2.5 MB  2.0 MB/s\033[K"
              "\r\033[K");
    std::fclose(file);

    EXPECT_EQ(ByteProgress::Line(900, 900, 2.0), "Reading logs 100%  900 of 900 B  450 B/s");
}

}  // namespace
}  // namespace mctf::testing
