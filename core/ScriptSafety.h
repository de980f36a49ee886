// ScriptSafety: what a text or map name may hold so that the server script
// stays the commands it was written as.
//
// The game server runs morvane.cfg as console commands: a line end or a ';'
// outside double quotes ends a command, a double quote opens or closes a
// quoted word, and "//" or "/*" outside quotes starts a comment. The console
// has no escape for any of them. A text written between double quotes
// (host name, passwords, message of the day, log file name, the game path
// of the launch line) must therefore hold no double quote and no control
// character (a byte below 0x20, or DEL); a map name, which a rotation entry
// runs without quotes ("map NAME ; set nextmap vstr d2"), must in addition
// hold no ';', blank or comment mark.
// Every other byte, colour codes ("^1") included, is the server's to show.
#pragma once

#include <string>
#include <string_view>

namespace mctf {

enum class ScriptHazard {
    None,
    DoubleQuote,
    LineBreak,         // CR or LF
    ControlCharacter,  // any other byte below 0x20, or DEL (0x7f)
    Semicolon,
    Blank,
    CommentMark,  // "//" or "/*"
};

// The first hazard of a text written between double quotes.
ScriptHazard FindQuotedTextHazard(std::string_view text);
// The first hazard of a map name written into a rotation.
ScriptHazard FindMapNameHazard(std::string_view name);

// "a double quote", "a line break", ...: for "hostname holds a double quote".
std::string_view HazardName(ScriptHazard hazard);
// What the settings sheet says of a text box holding it:
// "Please enter no double quotes.", "Please enter no line breaks." ...
std::string HazardMessage(ScriptHazard hazard);

}  // namespace mctf
