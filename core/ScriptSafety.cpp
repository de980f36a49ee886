#include "core/ScriptSafety.h"

namespace mctf {

namespace {

ScriptHazard ByteHazard(unsigned char c) {
    if (c == '"') return ScriptHazard::DoubleQuote;
    if (c == '\n' || c == '\r') return ScriptHazard::LineBreak;
    if (c < 0x20 || c == 0x7f) return ScriptHazard::ControlCharacter;
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

ScriptHazard FindMapNameHazard(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (ScriptHazard hazard = ByteHazard(static_cast<unsigned char>(c));
            hazard != ScriptHazard::None)
            return hazard;
        if (c == ';') return ScriptHazard::Semicolon;
        if (c == ' ') return ScriptHazard::Blank;
        if (c == '/' && i + 1 < name.size() && (name[i + 1] == '/' || name[i + 1] == '*'))
            return ScriptHazard::CommentMark;
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
    }
    return {"a character the server script cannot hold", ""};
}

}  // namespace

std::string_view HazardName(ScriptHazard hazard) { return WordsFor(hazard).name; }

std::string HazardMessage(ScriptHazard hazard) { return std::string(WordsFor(hazard).message); }

}  // namespace mctf
