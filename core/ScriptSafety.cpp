#include "core/ScriptSafety.h"

#include <cctype>

namespace mctf {

namespace {

ScriptHazard ByteHazard(unsigned char c) {
    if (c == '"') return ScriptHazard::DoubleQuote;
    if (c == '\n' || c == '\r') return ScriptHazard::LineBreak;
    if (c < 0x20 || c == 0x7f) return ScriptHazard::ControlCharacter;
    return ScriptHazard::None;
}

bool IsCommentMark(std::string_view text, std::size_t i) {
    return text[i] == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*');
}

bool EndsWithLog(std::string_view name) {
    if (name.size() <= 4) return false;
    std::string_view end = name.substr(name.size() - 4);
    return end[0] == '.' && std::tolower(static_cast<unsigned char>(end[1])) == 'l' &&
           std::tolower(static_cast<unsigned char>(end[2])) == 'o' &&
           std::tolower(static_cast<unsigned char>(end[3])) == 'g';
}

// What the engine loses of a text that the script carries safely.
ScriptHazard UseHazard(std::string_view text, TextUse use) {
    if (use == TextUse::ServerInfo && text.size() > kServerInfoTextLimit)
        return ScriptHazard::TooLong;
    const bool infoValue = use == TextUse::ServerInfo || use == TextUse::PlayerPassword;
    const bool fromPacket = use == TextUse::PlayerPassword || use == TextUse::RconPassword;
    const bool bareWord = use == TextUse::RconPassword;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (infoValue && c == ';') return ScriptHazard::Semicolon;
        if (infoValue && c == '\\') return ScriptHazard::Backslash;
        if (fromPacket && c >= 0x80) return ScriptHazard::NonAscii;
        if (fromPacket && c == '%') return ScriptHazard::Percent;
        if (bareWord && c == ' ') return ScriptHazard::Blank;
        if (bareWord && IsCommentMark(text, i)) return ScriptHazard::CommentMark;
        if (use != TextUse::LogFileName) continue;
        if (c == '/' || c == '\\' || c == ':') return ScriptHazard::Folder;
        if (text.substr(i, 2) == "..") return ScriptHazard::DoubleDot;
    }
    // No name is no log: the operator's choice, not a mistake.
    if (use == TextUse::LogFileName && !text.empty() && !EndsWithLog(text))
        return ScriptHazard::NotLogName;
    return ScriptHazard::None;
}

}  // namespace

ScriptHazard FindQuotedTextHazard(std::string_view text) {
    for (char c : text) {
        if (ScriptHazard hazard = ByteHazard(static_cast<unsigned char>(c));
            hazard != ScriptHazard::None)
            return hazard;
    }
    return ScriptHazard::None;
}

ScriptHazard FindTextHazard(std::string_view text, TextUse use) {
    if (ScriptHazard hazard = FindQuotedTextHazard(text); hazard != ScriptHazard::None)
        return hazard;
    return UseHazard(text, use);
}

ScriptHazard FindMapNameHazard(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (ScriptHazard hazard = ByteHazard(static_cast<unsigned char>(c));
            hazard != ScriptHazard::None)
            return hazard;
        if (c == ';') return ScriptHazard::Semicolon;
        if (c == ' ') return ScriptHazard::Blank;
        if (IsCommentMark(name, i)) return ScriptHazard::CommentMark;
    }
    for (char c : name) {
        if (c == '\\') return ScriptHazard::Backslash;
        if (static_cast<unsigned char>(c) >= 0x80) return ScriptHazard::NonAscii;
    }
    return ScriptHazard::None;
}

namespace {

// What each hazard is called, and what a text box holding it is told.
struct HazardWords {
    std::string_view name;
    std::string_view message;
};

HazardWords WordsFor(ScriptHazard hazard) {
    switch (hazard) {
    case ScriptHazard::None:
        return {"nothing to refuse", ""};
    case ScriptHazard::DoubleQuote:
        return {"a double quote", "Please enter no double quotes."};
    case ScriptHazard::LineBreak:
        return {"a line break", "Please enter no line breaks."};
    case ScriptHazard::ControlCharacter:
        return {"a control character", "Please enter no tabs or other control characters."};
    case ScriptHazard::Semicolon:
        return {"a semicolon", "Please enter no semicolons."};
    case ScriptHazard::Blank:
        return {"a blank", "Please enter no blanks."};
    case ScriptHazard::CommentMark:
        return {"a comment mark (// or /*)", "Please enter no // or /*."};
    case ScriptHazard::Backslash:
        return {"a backslash", "Please enter no backslashes."};
    case ScriptHazard::NonAscii:
        return {"a character beyond ASCII",
                "Please enter no characters beyond ASCII, such as accented letters."};
    case ScriptHazard::Percent:
        return {"a percent sign", "Please enter no percent signs."};
    case ScriptHazard::TooLong:
        static_assert(kServerInfoTextLimit == 128);
        return {"more than 128 characters", "Please enter no more than 128 characters."};
    case ScriptHazard::Folder:
        return {"a folder (/, \\ or :)", "Please enter a file name without a folder."};
    case ScriptHazard::DoubleDot:
        return {"two dots in a row", "Please enter no two dots in a row."};
    case ScriptHazard::NotLogName:
        return {"a name not ending in .log", "Please enter a name ending in .log."};
    }
    return {"a character the server script cannot hold", ""};
}

// What the engine would do with a text that its use refuses.
std::string_view Consequence(ScriptHazard hazard, TextUse use) {
    switch (hazard) {
    case ScriptHazard::None:
    case ScriptHazard::DoubleQuote:
    case ScriptHazard::LineBreak:
    case ScriptHazard::ControlCharacter:
        return {};  // the script's own: its message stands alone
    default:
        break;
    }
    switch (use) {
    case TextUse::Plain:
        return {};
    case TextUse::ServerInfo:
        return hazard == ScriptHazard::TooLong ? "the server info has no room for more"
                                               : "the server would drop the name from its info";
    case TextUse::PlayerPassword:
    case TextUse::RconPassword:
        return "the server would never accept the password";
    case TextUse::LogFileName:
        return hazard == ScriptHazard::DoubleDot ? "the server would write no log"
                                                 : "the statistics would never read the log";
    }
    return {};
}

}  // namespace

std::string_view HazardName(ScriptHazard hazard) { return WordsFor(hazard).name; }

std::string HazardMessage(ScriptHazard hazard, TextUse use) {
    std::string message(WordsFor(hazard).message);
    std::string_view consequence = Consequence(hazard, use);
    if (consequence.empty()) return message;
    // A semicolon and a backslash cost the same: one message for both.
    if ((hazard == ScriptHazard::Semicolon || hazard == ScriptHazard::Backslash) &&
        (use == TextUse::ServerInfo || use == TextUse::PlayerPassword))
        message = "Please enter no semicolons or backslashes.";
    message.back() = ':';
    return message + " " + std::string(consequence) + ".";
}

std::string_view TextUseRule(TextUse use) {
    switch (use) {
    case TextUse::Plain:
        return {};
    case TextUse::ServerInfo:
        return "no ; or \\, which the server info drops";
    case TextUse::PlayerPassword:
        return "no ;, \\, % or byte beyond ASCII, which a player's game cannot send";
    case TextUse::RconPassword:
        return "no blank, //, /*, % or byte beyond ASCII, which rcon cannot send";
    case TextUse::LogFileName:
        return "a file name ending in .log, without a folder or ..";
    }
    return {};
}

std::string_view MapHazardEffect(ScriptHazard hazard) {
    switch (hazard) {
    case ScriptHazard::Backslash:
        return ": the server would load the map but leave it out of its info";
    case ScriptHazard::NonAscii:
        return ": the server would cut the name there and not find the map";
    default:
        return ", which the server would read as a command of its own";
    }
}

}  // namespace mctf
