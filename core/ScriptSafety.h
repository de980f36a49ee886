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
//
// Some values survive the script but not the engine that reads them next, so
// the operator would never see them work; those are refused too. The server
// info (host name, map name) takes no ';' and no '\', and the engine drops a
// value holding one; a host name longer than kServerInfoTextLimit pushes other
// values out of it. A rotation's map name is cut at a byte >= 0x80. A player's
// game sends the private password in its user info (no ';' or '\' either)
// and the rcon password as a bare word: the server reads both from a packet
// in which '%' and bytes >= 0x80 become '.', and a blank or comment mark ends
// that word. The server writes no log whose name leaves its folder, and the
// statistics read only *.log files of that folder.
#pragma once

#include <cstddef>
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
    // Carried by the script, lost by the engine (see TextUse):
    Backslash,
    NonAscii,  // a byte >= 0x80
    Percent,
    TooLong,     // a host name beyond kServerInfoTextLimit
    Folder,      // '/', '\' or ':' in a log file name
    DoubleDot,   // ".." in a log file name
    NotLogName,  // a log file name not ending in ".log"
};

// What the engine does with a text once the script has set it: it decides
// what else the text may not hold.
enum class TextUse {
    Plain,           // used as it is: message of the day, game path
    ServerInfo,      // a value of the server info: the host name
    PlayerPassword,  // sent in a player's user info: the private password
    RconPassword,    // sent as a bare word of an rcon packet
    LogFileName,     // g_log, below the game's folder
};

// The longest host name the server info always has room for: it holds 1,023
// bytes, the engine and game module fill up to 816 of them, and the key
// "\sv_hostname\" takes 13 (README.md, Reliability, has the figures).
inline constexpr std::size_t kServerInfoTextLimit = 128;

// The first hazard of a text written between double quotes.
ScriptHazard FindQuotedTextHazard(std::string_view text);
// The same, then what the engine would lose of a text used so.
ScriptHazard FindTextHazard(std::string_view text, TextUse use);
// The first hazard of a map name written into a rotation: those of the
// script, then a backslash and bytes >= 0x80.
ScriptHazard FindMapNameHazard(std::string_view name);

// "a double quote", "a line break", ...: for "hostname holds a double quote".
std::string_view HazardName(ScriptHazard hazard);
// What the settings sheet says of a text box holding it:
// "Please enter no double quotes.", "Please enter no line breaks." ...; for
// what the engine would lose, with what it would do: "Please enter no
// semicolons or backslashes: the server would drop the name from its info."
std::string HazardMessage(ScriptHazard hazard, TextUse use = TextUse::Plain);
// What else a use asks of a text, for mctfcli's list of fields: "no ; or \\,
// which the server info drops"; empty for Plain.
std::string_view TextUseRule(TextUse use);
// What a map name holding it comes to, after "the name holds a semicolon":
// ", which the server would read as a command of its own" ...
std::string_view MapHazardEffect(ScriptHazard hazard);

}  // namespace mctf
