#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "tests/core/ZipBuilder.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/TempDir.h"

namespace mctf::testing {
namespace {

TEST(MapsCommand, ListsEveryFileSortedWithoutRegardToCase) {
    TempDir dir;
    WriteFileBytes(dir / "one.pk3",
                   ZipBuilder().Entry("maps/beta.bsp").Entry("maps/Alpha.bsp").bytes());
    WriteFileBytes(dir / "two.pk3", ZipBuilder().Entry("maps/alpha.bsp").bytes());
    RecordingDesktop desktop;
    std::ostringstream out;
    Args files = {(dir / "one.pk3").string(), "gamma.bsp", (dir / "two.pk3").string()};
    EXPECT_EQ(RunMapsCommand(files, desktop, out), 0);
    // Equal names keep the order in which they were found.
    EXPECT_EQ(out.str(), "Alpha\nalpha\nbeta\ngamma\n");

    std::ostringstream partial;
    files.insert(files.begin(), (dir / "missing.pk3").string());
    EXPECT_EQ(RunMapsCommand(files, desktop, partial), 1);
    EXPECT_EQ(partial.str(), out.str());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "ERROR Cannot open file");

    EXPECT_EQ(RunMapsCommand({}, desktop, partial), 2);
}

}  // namespace
}  // namespace mctf::testing
