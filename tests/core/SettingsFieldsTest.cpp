// The settings field table: names, values and the sheet's checks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/SettingsFields.h"

namespace mctf {
namespace {

TEST(SettingsFieldsTest, NamesAndFormatsEveryFieldOfTheDefaults) {
    std::string shown;
    for (const SettingsField& field : SettingsFields()) {
        shown += std::string(field.name) + "=" + FormatFieldValue(DefaultSettings, field) + "\n";
    }
    EXPECT_EQ(shown,
              "version=2\n"
              "quakePath=C:\\Program Files\\Quake III Arena\n"
              "statsDir=C:\\Program Files\\Quake III Arena\\baseq3\n"
              "mapCount=0\ngameType=4\nhostname=Morvane Quake\nlogFileName=logfile.log\n"
              "motd=Welcome to Hell\nrconPassword=\nserverPassword=\nmaxRate=0\nfragLimit=20\n"
              "timeLimit=15\nmaxClients=16\nquadFactor=3\nweaponRespawn=5\nforceRespawn=1\n"
              "inactivity=0\nprivateServer=0\npureServer=0\nallowVote=1\nserverType=2\n"
              "cheats=0\nnetPort=27960\ndmFlags=0\ncaptureLimit=8\ngoalLimit=6\n"
              "friendlyFire=0\ninstaGib=0\nbotMinPlayers=0\nbotSkill=2\nbotNoChat=0\n"
              "modFlags=0\n");
}

TEST(SettingsFieldsTest, MembersFindTheirRowsAndValuesGoWhereTheyBelong) {
    ServerSettings settings = DefaultSettings;
    SetNumber(settings, FieldOf(&ServerSettings::fragLimit), 30);
    SetText(settings, FieldOf(&ServerSettings::motd), "a=b");
    EXPECT_EQ(settings.fragLimit, 30);
    EXPECT_STREQ(settings.motd, "a=b");
    EXPECT_EQ(FindSettingsField("motd"), &FieldOf(&ServerSettings::motd));
    EXPECT_EQ(FindSettingsField("fraglimit"), nullptr);

    // An unterminated array reads to its end, never into the next field.
    std::memset(settings.rconPassword, 'x', sizeof settings.rconPassword);
    EXPECT_EQ(TextOf(settings, FieldOf(&ServerSettings::rconPassword)), std::string(16, 'x'));
}

TEST(SettingsFieldsTest, ChecksAsTheSheetDoes) {
    struct Case {
        const char* field;
        const char* text;
        bool ok;
        const char* message;
    } cases[] = {
        {"fragLimit", "10000", true, ""},
        {"fragLimit", "10001", false, "Please enter an integer between 0 and 10000."},
        {"quadFactor", "0", false, "Please enter an integer between 1 and 99."},
        {"netPort", " -5 ", true, ""},
        {"netPort", "+0", false, "Please enter an integer."},
        {"instaGib", "", false, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        FieldCheck check = CheckNumberText(*FindSettingsField(c.field), c.text);
        EXPECT_EQ(check.ok, c.ok) << c.field << "=" << c.text;
        EXPECT_EQ(check.message, c.message) << c.field << "=" << c.text;
    }
    const SettingsField& logFile = *FindSettingsField("logFileName");
    EXPECT_EQ(CheckTextLength(logFile, std::string(24, 'a')), std::nullopt);
    EXPECT_EQ(CheckTextLength(logFile, std::string(25, 'a')),
              "Please enter no more than 24 characters.");
}

}  // namespace
}  // namespace mctf
