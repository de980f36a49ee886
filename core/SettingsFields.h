// SettingsFields: one row for every field of the settings record.
//
// The row says what the field is called (the name mctfcli prints and takes),
// where it lives in the record, what kind of value it holds and what the
// program lets the operator put into it (the limits the settings sheet
// enforces, with its messages, and the bits of a flag field). The sheet
// pages and mctfcli both work from this table, so a limit is written once.
// Where on screen a field is edited is not in the table: that is the Bind
// call of the page that shows it.
//
// The rows cover the 808-byte record without a gap (CoversRecord checks it),
// so there is no room for another setting. Adding one means a new format
// version of config.dmc, and today a file of another version is taken as no
// settings at all and replaced by the defaults: the new version has to read
// the 2.0 files itself (README.md, Layout, says how). Within the new format,
// a setting is the record member and its default (ServerSettings), one row
// here, the control on its page and, when the server should see it, its line
// in ServerFiles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ScriptSafety.h"
#include "core/ServerSettings.h"

namespace mctf {

enum class FieldKind {
    Version,   // the float format version: shown, never edited
    MapCount,  // follows the map list: shown, never edited directly
    GameType,  // 0..7, picked with the main window's game-type buttons
    Text,      // a NUL-terminated string in a fixed array
    Number,    // a whole number from a number box, within low..high
    Port,      // 1..65535 from a box that takes any typing: a stored value
               // outside the range is shown as it is and refused once edited
    Check,     // a check box: 0 or 1
    Slider,    // a slider position, low..high
    Flags,     // a bit set whose bits (flagBits) have one check box each
};

struct SettingsField {
    std::string_view name;
    FieldKind kind;
    // Where the field lies in the record, in bytes.
    std::size_t offset = 0;
    std::size_t size = 0;
    // The member of every int32 field (all but version and the texts).
    int32_t ServerSettings::*number = nullptr;
    // The most characters (bytes) a text may have.
    std::size_t textLimit = 0;
    // A text that a server file writes between double quotes: it may hold
    // no double quote and no control character (see ScriptSafety).
    bool quoted = false;
    // What the engine does with the text next, and so what else it may not
    // hold (see TextUse).
    TextUse use = TextUse::Plain;
    // Inclusive range of Number, Port, Slider and GameType.
    int32_t low = 0;
    int32_t high = 0;
    // The bits the check boxes of a Flags field toggle.
    int32_t flagBits = 0;

    bool IsEditable() const { return kind != FieldKind::Version && kind != FieldKind::MapCount; }
};

// Every field in record order, version first.
std::span<const SettingsField> SettingsFields();

// The row of that name (case-sensitive, as printed), or null.
const SettingsField* FindSettingsField(std::string_view name);

// The row whose member is `member`: a page binds its controls this way, so a
// misspelt name cannot compile.
const SettingsField& FieldOf(int32_t ServerSettings::*member);
template <std::size_t N>
const SettingsField& FieldOf(char (ServerSettings::*member)[N]);

// Reading and writing a field's value in a record.
int32_t NumberOf(const ServerSettings& settings, const SettingsField& field);
void SetNumber(ServerSettings& settings, const SettingsField& field, int32_t value);
std::string_view TextOf(const ServerSettings& settings, const SettingsField& field);
// Stores text and its terminator, cut to the array (callers check the limit
// first); the rest of the array is zeroed, so no tail of an older, longer
// text stays in config.dmc.
void SetText(ServerSettings& settings, const SettingsField& field, std::string_view text);

// The value as mctfcli prints it: a text up to its terminator, a number in
// decimal, the version as written ("2").
std::string FormatFieldValue(const ServerSettings& settings, const SettingsField& field);

// The sheet's checks, with its messages. CheckNumberText reads the text of a
// number box (Number and Port rows) and tests the row's range; on
// failure the message is "Please enter an integer." or "Please enter an
// integer between <low> and <high>.", and `number` keeps what was read.
struct FieldCheck {
    bool ok = false;
    bool isNumber = false;  // the text is a whole number, maybe out of range
    int32_t number = 0;
    std::string message;
};
FieldCheck CheckNumberText(const SettingsField& field, std::string_view text);
// The checks of a text box: "Please enter no more than <limit> characters."
// when bytes is too long (for the host name with what the server would do);
// for a quoted text, the message of its first hazard ("Please enter no
// double quotes.", "Please enter no blanks: the server would never accept the
// password.").
std::optional<std::string> CheckFieldText(const SettingsField& field, std::string_view bytes);

// A value for any editable field given as text, checked with the sheet's
// rules and, when it passes, stored; otherwise the message and the record as
// it was. Texts are stored as given (within textLimit bytes, quoted ones
// without hazards for their use); numbers are
// read as a number box reads them. Where the sheet has no box and so no
// message of its own, the message gives the allowed values:
//   Check     "Please enter 0 or 1."
//   Slider    the number box's messages for low..high
//   Flags     "Please enter 0 or a sum of 8, 16 and 32." (the row's bits)
//   GameType  0..7 or a game-type button label, without regard to case;
//             "Please enter an integer between 0 and 7 or a game type:
//             "Quake 3 DM", ..."
// Version and MapCount are not editable: "This value cannot be set."
std::optional<std::string> AssignFieldText(ServerSettings& settings, const SettingsField& field,
                                           std::string_view text);

// The bits of a Flags row, lowest first: the check boxes of its page take
// theirs from here.
std::vector<int32_t> FlagBitsOf(const SettingsField& field);
// The same in words: "8, 16 and 32".
std::string FlagBitsText(const SettingsField& field);

// ---------------------------------------------------------------------------

namespace detail {
const SettingsField& FieldAtOffset(std::size_t offset);
}

template <std::size_t N>
const SettingsField& FieldOf(char (ServerSettings::*member)[N]) {
    static const ServerSettings probe{};
    const char* base = reinterpret_cast<const char*>(&probe);
    return detail::FieldAtOffset(static_cast<std::size_t>(probe.*member - base));
}

}  // namespace mctf
