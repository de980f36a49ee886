// The settings field table: names, values and the sheet's checks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "core/ScriptSafety.h"
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
        {"netPort", " 65535 ", true, ""},
        {"netPort", "+0", false, "Please enter an integer."},
        {"instaGib", "", false, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        FieldCheck check = CheckNumberText(*FindSettingsField(c.field), c.text);
        EXPECT_EQ(check.ok, c.ok) << c.field << "=" << c.text;
        EXPECT_EQ(check.message, c.message) << c.field << "=" << c.text;
    }
    const SettingsField& logFile = *FindSettingsField("logFileName");
    EXPECT_EQ(CheckFieldText(logFile, std::string(20, 'a') + ".Log"), std::nullopt);
    EXPECT_EQ(CheckFieldText(logFile, std::string(21, 'a') + ".log"),
              "Please enter no more than 24 characters.");
}

// What the server script would run as a command of its own is refused where
// the operator types it, for the sheet and mctfcli alike, and nothing else.
TEST(SettingsFieldsTest, RefusesWhatWouldBreakOutOfTheScript) {
    const std::pair<const char*, const char*> hazards[] = {
        {"x\";quit", "Please enter no double quotes."},
        {"a\nquit", "Please enter no line breaks."},
        {"a\rquit", "Please enter no line breaks."},
        {"a\tb", "Please enter no tabs or other control characters."},
        {"a\x7f", "Please enter no tabs or other control characters."},
    };
    for (const char* name :
         {"hostname", "motd", "serverPassword", "rconPassword", "logFileName", "quakePath"}) {
        const SettingsField& field = *FindSettingsField(name);
        for (const auto& [text, message] : hazards) {
            ServerSettings settings = DefaultSettings;
            EXPECT_EQ(AssignFieldText(settings, field, text), message) << name;
            EXPECT_EQ(CheckFieldText(field, text), message) << name;
            EXPECT_EQ(std::memcmp(&settings, &DefaultSettings, sizeof settings), 0) << name;
        }
        ServerSettings settings = DefaultSettings;
        EXPECT_EQ(AssignFieldText(settings, field, "^1Red=x~.log"), std::nullopt) << name;
    }
    for (const char* name : {"motd", "quakePath"})  // the engine takes them as they are
        EXPECT_EQ(CheckFieldText(*FindSettingsField(name), "^1Red;\\//x%\xe9"), std::nullopt);
    // What the script carries but the engine would lose.
    const std::string never = ": the server would never accept the password.";
    const std::string unread = ": the statistics would never read the log.";
    const std::tuple<const char*, std::string, std::string> lost[] = {
        {"hostname", std::string(129, 'h'),
         "Please enter no more than 128 characters: the server info has no room for more."},
        {"hostname", "A;B",
         "Please enter no semicolons or backslashes: the server would drop the name from its "
         "info."},
        {"serverPassword", "a\\b", "Please enter no semicolons or backslashes" + never},
        {"rconPassword", "a b", "Please enter no blanks" + never},
        {"rconPassword", "caf\xe9",
         "Please enter no characters beyond ASCII, such as accented letters" + never},
        {"logFileName", "../up.log",
         "Please enter no two dots in a row: the server would write no log."},
        {"logFileName", "logs/games.log", "Please enter a file name without a folder" + unread},
        {"logFileName", "games.txt", "Please enter a name ending in .log" + unread},
    };
    for (const auto& [name, text, message] : lost) {
        ServerSettings settings = DefaultSettings;
        EXPECT_EQ(AssignFieldText(settings, *FindSettingsField(name), text), message) << text;
        EXPECT_EQ(std::memcmp(&settings, &DefaultSettings, sizeof settings), 0) << text;
    }
    EXPECT_EQ(CheckFieldText(*FindSettingsField("logFileName"), ""), std::nullopt);
    ServerSettings stats = DefaultSettings;  // never written into a server file
    EXPECT_EQ(AssignFieldText(stats, *FindSettingsField("statsDir"), "a\"b"), std::nullopt);

    for (const char* port : {"0", "65536", "-5", "99999999999"}) {
        ServerSettings settings = DefaultSettings;
        EXPECT_EQ(AssignFieldText(settings, *FindSettingsField("netPort"), port),
                  "Please enter an integer between 1 and 65535.")
            << port;
        EXPECT_EQ(settings.netPort, 27960) << port;
    }

    const std::pair<const char*, ScriptHazard> maps[] = {
        {"q3dm17;quit", ScriptHazard::Semicolon},
        {"q3\"dm17", ScriptHazard::DoubleQuote},
        {"q3 dm17", ScriptHazard::Blank},
        {"q3dm17\n", ScriptHazard::LineBreak},
        {"q3dm//17", ScriptHazard::CommentMark},
        {"q3dm/*17", ScriptHazard::CommentMark},
        {"q3dm17\x01", ScriptHazard::ControlCharacter},
        {"sub/q3dm17^1", ScriptHazard::None},
    };
    for (const auto& [name, hazard] : maps) EXPECT_EQ(FindMapNameHazard(name), hazard) << name;
}

TEST(SettingsFieldsTest, AShorterTextLeavesNoTailOfTheOldOne) {
    ServerSettings settings = DefaultSettings;
    const SettingsField& password = *FindSettingsField("rconPassword");
    ASSERT_EQ(AssignFieldText(settings, password, "longsecret12345"), std::nullopt);
    ASSERT_EQ(AssignFieldText(settings, password, "ab"), std::nullopt);
    EXPECT_EQ(std::string(settings.rconPassword, sizeof settings.rconPassword),
              std::string("ab") + std::string(14, '\0'));
}

}  // namespace
}  // namespace mctf
