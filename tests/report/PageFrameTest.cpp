#include <gtest/gtest.h>

#include "report/PageFrame.h"
#include "report/PageWriter.h"
#include "tests/report/ReportFixture.h"

namespace mctf::testing {
namespace {

TEST(PageFrameTest, HeadAndFootAloneAreOneLineWithoutClosingBody) {
    TempDir dir;
    std::string page = WriteSection(dir, [](PageWriter& p) {
        WritePageHead(p, "Players");
        WritePageFoot(p);
    });
    EXPECT_EQ(page, Head("Players") + kFoot);
    EXPECT_EQ(page.find('\n'), std::string::npos);
    EXPECT_EQ(page.find("</body>"), std::string::npos);
}

TEST(PageFrameTest, DoublePercentBecomesOnePercentSign) {
    TempDir dir;
    std::string page = WriteSection(dir, [](PageWriter& p) {
        BeginCaptionBox(p);
        p.Write("<h3><font color=\"#FFFF00\">Top %d Clans</font></h3>", 5);
        EndCaptionBox(p);
        BeginListTable(p);
        WriteSpacer(p);
    });
    EXPECT_EQ(page, CaptionBox(Caption("Top 5 Clans")) +
                        "<table border=\"1\" width=\"100%\">" + kSpacer);
}

TEST(PageWriterTest, FailedWritesAreRememberedAcrossPages) {
    TempDir dir;
    PageWriter page;
    ASSERT_TRUE(page.Open((dir / "a.htm").string()));
    page.Write("<p>%s</p>", "fine");
    page.Close();
    EXPECT_FALSE(page.writeFailed());

    // A device that is always full: the data is lost when it is flushed.
    ASSERT_TRUE(page.Open("/dev/full"));
    for (int i = 0; i < 100; ++i) page.Write("%s", "<h3>&nbsp;</h3>");
    page.Close();
    EXPECT_TRUE(page.writeFailed());

    ASSERT_TRUE(page.Open((dir / "b.htm").string()));
    page.Close();
    EXPECT_TRUE(page.writeFailed()) << "a later good page must not hide the failure";
}

TEST(PageWriterTest, OpenFailsBelowARegularFile) {
    TempDir dir;
    WriteFileBytes(dir / "file", "x");
    PageWriter page;
    EXPECT_FALSE(page.Open((dir / "file" / "pstats.htm").string()));
    EXPECT_FALSE(page.isOpen());
    page.Write("%d", 1);  // nothing open: ignored, not a crash
    EXPECT_FALSE(page.writeFailed());
}

}  // namespace
}  // namespace mctf::testing
