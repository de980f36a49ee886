#include <gtest/gtest.h>

#include "report/PageWriter.h"
#include "tests/core/FaultyFiles.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

TEST(PageWriterTest, FailedWritesAreRememberedAcrossPages) {
    TempDir dir;
    FaultyFiles disk;
    disk.LimitWrites(10, "full.htm");
    PageWriter page(disk);
    ASSERT_TRUE(page.Open((dir / "a.htm").string()));
    page.Write("<p>%s</p>", "fine");
    page.Close();
    EXPECT_FALSE(page.WriteFailed());

    ASSERT_TRUE(page.Open((dir / "full.htm").string()));
    for (int i = 0; i < 100; ++i) page.Write("%s", "<h3>&nbsp;</h3>");
    page.Close();
    EXPECT_TRUE(page.WriteFailed());

    ASSERT_TRUE(page.Open((dir / "b.htm").string()));
    page.Close();
    EXPECT_TRUE(page.WriteFailed()) << "a later good page must not hide the failure";
}

}  // namespace
}  // namespace mctf::testing
