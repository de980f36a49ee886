// The limits of the pages' boxes: what passes on OK, what keeps the sheet
// open and with which message, and what the boxes let the operator type.
#include <QAccessible>
#include <QCheckBox>
#include <QTest>

#include <functional>
#include <ostream>

#include "tests/ui/SheetFixture.h"
#include "ui/sheet/SheetBoxes.h"

namespace mctf::testing {
namespace {

struct BoundaryCase {
    const char* name;
    int tab;
    std::function<QLineEdit*(ServerSettingsSheet&)> box;
    const char* text;
    const char* message;  // empty when the value passes
};

void PrintTo(const BoundaryCase& c, std::ostream* os) { *os << c.name << " \"" << c.text << '"'; }

QLineEdit* Quad(ServerSettingsSheet& s) { return s.generalPage.quadFactor; }
QLineEdit* Rate(ServerSettingsSheet& s) { return s.generalPage.maxRate; }
QLineEdit* Frags(ServerSettingsSheet& s) { return s.generalPage.fragLimit; }
QLineEdit* Port(ServerSettingsSheet& s) { return s.generalPage.netPort; }
QLineEdit* Players(ServerSettingsSheet& s) { return s.botSetupPage.minPlayers; }
QLineEdit* Insta(ServerSettingsSheet& s) { return s.morvanePage.instaGib; }
QLineEdit* Goals(ServerSettingsSheet& s) { return s.morvanePage.goalLimit; }
QLineEdit* Inactive(ServerSettingsSheet& s) { return s.generalPage.inactivity; }

class BoundaryTest : public SheetTest, public ::testing::WithParamInterface<BoundaryCase> {};

TEST_P(BoundaryTest, OkPassesOrStaysOnThePage) {
    const BoundaryCase& c = GetParam();
    Open();
    ASSERT_TRUE(sheet->SelectPage(c.tab));
    QLineEdit* box = c.box(*sheet);
    box->setText(c.text);
    const bool closed = Close(true);
    if (*c.message == '\0') {
        EXPECT_TRUE(closed);
        EXPECT_TRUE(desktop.messages.empty());
        return;
    }
    EXPECT_FALSE(closed);
    const QString label = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
    ASSERT_EQ(MessageTexts(), Strings({label.toStdString() + "\n" + c.message}));
    EXPECT_EQ(desktop.messages[0].caption, "mctfutil");
    EXPECT_EQ(sheet->CurrentPage(), c.tab);
    EXPECT_EQ(sheet->focusWidget(), box);
    EXPECT_EQ(box->selectedText(), box->text());
}

const char* const kInteger = "Please enter an integer.";

INSTANTIATE_TEST_SUITE_P(
    Boxes, BoundaryTest,
    ::testing::Values(
        BoundaryCase{"QuadZero", 0, Quad, "0", "Please enter an integer between 1 and 99."},
        BoundaryCase{"QuadOne", 0, Quad, "1", ""},
        BoundaryCase{"InactiveZero", 0, Inactive, "0", ""},
        BoundaryCase{"Rate100000", 0, Rate, "100000", ""},
        BoundaryCase{"Rate100001", 0, Rate, "100001",
                     "Please enter an integer between 0 and 100000."},
        BoundaryCase{"Frags10000", 0, Frags, "10000", ""},
        BoundaryCase{"Frags10001", 0, Frags, "10001",
                     "Please enter an integer between 0 and 10000."},
        BoundaryCase{"FragsEmpty", 0, Frags, "", kInteger},
        BoundaryCase{"FragsSignedZero", 0, Frags, "-0", kInteger},
        BoundaryCase{"FragsNegative", 0, Frags, "-1",
                     "Please enter an integer between 0 and 10000."},
        BoundaryCase{"PortNegative", 0, Port, " -27960 ",
                     "Please enter an integer between 1 and 65535."},
        BoundaryCase{"Port65535", 0, Port, "65535", ""},
        BoundaryCase{"Port65536", 0, Port, "65536", "Please enter an integer between 1 and 65535."},
        BoundaryCase{"HostQuote", 0,
                     [](ServerSettingsSheet& s) -> QLineEdit* { return s.generalPage.hostname; },
                     "x\";quit", "Please enter no double quotes."},
        BoundaryCase{"PortWord", 0, Port, "port", kInteger},
        BoundaryCase{"Players128", 4, Players, "128", ""},
        BoundaryCase{"Players129", 4, Players, "129", "Please enter an integer between 0 and 128."},
        BoundaryCase{"Insta3", 3, Insta, "3", ""},
        BoundaryCase{"Insta4", 3, Insta, "4", "Please enter an integer between 0 and 3."},
        BoundaryCase{"Goals99", 3, Goals, "99", ""},
        BoundaryCase{"Goals100", 3, Goals, "100", "Please enter an integer between 0 and 99."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetTest, OnlyTheFirstFailingValueIsReported) {
    Open();
    sheet->generalPage.maxClients->setText("1000");
    sheet->generalPage.fragLimit->setText("x");
    EXPECT_FALSE(Close(true));
    EXPECT_EQ(MessageTexts(), Strings({"Max Clients\nPlease enter an integer between 0 and 999."}));
    EXPECT_EQ(sheet->focusWidget(), sheet->generalPage.maxClients);
}

TEST_F(SheetTest, OverlongLogFileNameIsShownWholeAndMustBeCut) {
    SetFixedText(stored.logFileName, std::string(30, 'g'));
    Open();
    TextBox& box = *sheet->generalPage.logFileName;
    EXPECT_EQ(box.text().size(), 30);
    // It may shrink but not grow back.
    box.setFocus();
    box.end(false);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, "gg");
    EXPECT_EQ(box.text().size(), 29);

    EXPECT_FALSE(Close(true));
    EXPECT_EQ(MessageTexts(), Strings({"Logfile Name\nPlease enter no more than 24 characters."}));
    EXPECT_EQ(sheet->focusWidget(), &box);
    box.setText("server.log");
    sheet->generalPage.hostname->clear();  // an empty host name is fine
    ASSERT_TRUE(Close(true));
    EXPECT_STREQ(SavedRecord().logFileName, "server.log");
    EXPECT_TRUE(HasLine(Script(), "set sv_hostname \"\""));
}

TEST_F(SheetTest, TheMessageOfTheDayWrapsButTakesNoLineBreak) {
    Open();
    MemoBox& motd = *sheet->generalPage.motd;
    motd.setPlainText("Welcome\nquit");
    EXPECT_FALSE(Close(true));
    EXPECT_EQ(MessageTexts(), Strings({"Message of the Day\nPlease enter no line breaks."}));
    EXPECT_EQ(sheet->focusWidget(), &motd);
    EXPECT_EQ(motd.textCursor().selectedText().size(), motd.toPlainText().size());
}

TEST_F(SheetTest, TextBoxesStopAtTheirLimit) {
    Open();
    TextBox& host = *sheet->generalPage.hostname;
    host.clear();
    QTest::keyClicks(&host, QString(256, 'h'));
    EXPECT_EQ(host.text().size(), 128);
    TextBox& password = *sheet->generalPage.rconPassword;
    QTest::keyClicks(&password, QString(20, 'p'));
    EXPECT_EQ(password.text().size(), 15);
    MemoBox& motd = *sheet->generalPage.motd;
    motd.clear();
    QTest::keyClicks(&motd, QString(130, 'm'));
    QTest::keyClick(&motd, Qt::Key_Return);  // goes to OK, not into the text
    EXPECT_EQ(motd.toPlainText(), QString(127, 'm'));
    EXPECT_FALSE(sheet->isVisible()) << "Return in the message pressed OK";
    CloseServerSheet(*sheet, sheet->result() == QDialog::Accepted, game.store, desktop);
    EXPECT_EQ(std::string(SavedRecord().hostname), std::string(128, 'h'));
    EXPECT_EQ(std::string(SavedRecord().motd), std::string(127, 'm'));
}

TEST_F(SheetTest, NumberBoxesTakeOnlyDigitsButPortTakesAnything) {
    Open();
    QLineEdit& frags = *sheet->generalPage.fragLimit;
    frags.clear();
    QTest::keyClicks(&frags, "1a-2 3");
    EXPECT_EQ(frags.text().toStdString(), "123");
    QLineEdit& port = *sheet->generalPage.netPort;
    port.clear();
    QTest::keyClicks(&port, "-27 ");
    EXPECT_EQ(port.text().toStdString(), "-27 ");
}

}  // namespace
}  // namespace mctf::testing
