#include "core/ScriptSafety.h"

namespace mctf {

namespace {

ScriptHazard ByteHazard(unsigned char c) {
    if (c == '"') return ScriptHazard::DoubleQuote;
    if (c == '\n' || c == '\r') return ScriptHazard::LineBreak;
    if (c < 0x20) return ScriptHazard::ControlCharacter;
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

std::string_view HazardName(ScriptHazard hazard) {
    switch (hazard) {
    case ScriptHazard::None:
        return "nothing to refuse";
    case ScriptHazard::DoubleQuote:
        return "a double quote";
    case ScriptHazard::LineBreak:
        return "a line break";
    case ScriptHazard::ControlCharacter:
        return "a control character";
    case ScriptHazard::Semicolon:
        return "a semicolon";
    case ScriptHazard::Blank:
        return "a blank";
    case ScriptHazard::CommentMark:
        return "a comment mark (// or /*)";
    }
    return "a character the server script cannot hold";
}

std::string HazardMessage(ScriptHazard hazard) {
    switch (hazard) {
    case ScriptHazard::DoubleQuote:
        return "Please enter no double quotes.";
    case ScriptHazard::LineBreak:
        return "Please enter no line breaks.";
    case ScriptHazard::ControlCharacter:
        return "Please enter no tabs or other control characters.";
    case ScriptHazard::Semicolon:
        return "Please enter no semicolons.";
    case ScriptHazard::Blank:
        return "Please enter no blanks.";
    case ScriptHazard::CommentMark:
        return "Please enter no // or /*.";
    case ScriptHazard::None:
        break;
    }
    return {};
}

}  // namespace mctf
