#include "core/SettingsFields.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/NumberBoxText.h"
#include "core/ScriptSafety.h"

namespace mctf {

namespace {

using enum FieldKind;

// clang-format off
// The row's name is the member's own, spelt once.
#define MCTF_TEXT(member, limit, quoted, use) \
    {#member, Text, offsetof(ServerSettings, member), sizeof(ServerSettings::member), nullptr, \
     limit, quoted, TextUse::use, 0, 0, 0}
#define MCTF_INT(member, kind, low, high, bits) \
    {#member, kind, offsetof(ServerSettings, member), sizeof(int32_t), &ServerSettings::member, 0, \
     false, TextUse::Plain, low, high, bits}
#define MCTF_NUMBER(member, low, high) MCTF_INT(member, Number, low, high, 0)
#define MCTF_CHECK(member) MCTF_INT(member, Check, 0, 1, 0)

constexpr std::array kFields = std::to_array<SettingsField>({
    {"version", Version, offsetof(ServerSettings, version), sizeof(float), nullptr, 0, false,
     TextUse::Plain, 0, 0, 0},
    MCTF_TEXT(quakePath, 127, true, Plain),  // quoted on the launch line
    MCTF_TEXT(statsDir, 127, false, Plain),
    MCTF_INT(mapCount, MapCount, 0, 64, 0),
    MCTF_INT(gameType, GameType, 0, kGameTypeCount - 1, 0),
    // The record holds 255; the server info has room for fewer.
    MCTF_TEXT(hostname, kServerInfoTextLimit, true, ServerInfo),
    MCTF_TEXT(logFileName, 24, true, LogFileName),
    MCTF_TEXT(motd, 127, true, Plain),  // in no info string
    MCTF_TEXT(rconPassword, 15, true, RconPassword),
    // sv_privatePassword, which a player's game sends as "password".
    MCTF_TEXT(serverPassword, 15, true, PlayerPassword),
    MCTF_NUMBER(maxRate, 0, 100000),
    MCTF_NUMBER(fragLimit, 0, 10000),
    MCTF_NUMBER(timeLimit, 0, 999),
    MCTF_NUMBER(maxClients, 0, 999),
    MCTF_NUMBER(quadFactor, 1, 99),
    MCTF_NUMBER(weaponRespawn, 0, 999),
    MCTF_CHECK(forceRespawn),
    MCTF_NUMBER(inactivity, 0, 99),
    MCTF_CHECK(privateServer),
    MCTF_CHECK(pureServer),
    MCTF_CHECK(allowVote),
    MCTF_NUMBER(serverType, 0, 2),
    MCTF_CHECK(cheats),
    MCTF_INT(netPort, Port, 1, 65535, 0),
    MCTF_INT(dmFlags, Flags, 0, 0, 8 | 16 | 32),
    MCTF_NUMBER(captureLimit, 0, 99),
    MCTF_NUMBER(goalLimit, 0, 99),
    MCTF_CHECK(friendlyFire),
    MCTF_NUMBER(instaGib, 0, 3),
    MCTF_NUMBER(botMinPlayers, 0, 128),
    MCTF_INT(botSkill, Slider, 0, 4, 0),
    MCTF_CHECK(botNoChat),
    MCTF_INT(modFlags, Flags, 0, 0, 1 | 2),
});

#undef MCTF_CHECK
#undef MCTF_NUMBER
#undef MCTF_INT
#undef MCTF_TEXT
// clang-format on

// The rows cover the record exactly, in order, without a gap.
constexpr bool CoversRecord() {
    std::size_t next = 0;
    for (const SettingsField& field : kFields) {
        if (field.offset != next) return false;
        next += field.size;
    }
    return next == sizeof(ServerSettings);
}
static_assert(CoversRecord());

}  // namespace

std::span<const SettingsField> SettingsFields() { return kFields; }

const SettingsField* FindSettingsField(std::string_view name) {
    for (const SettingsField& field : kFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

const SettingsField& FieldOf(int32_t ServerSettings::*member) {
    for (const SettingsField& field : kFields) {
        if (field.number == member) return field;
    }
    std::abort();  // every int32 member has a row: CoversRecord proves it
}

namespace detail {
const SettingsField& FieldAtOffset(std::size_t offset) {
    for (const SettingsField& field : kFields) {
        if (field.offset == offset) return field;
    }
    std::abort();
}
}  // namespace detail

int32_t NumberOf(const ServerSettings& settings, const SettingsField& field) {
    return settings.*field.number;
}

void SetNumber(ServerSettings& settings, const SettingsField& field, int32_t value) {
    settings.*field.number = value;
}

std::string_view TextOf(const ServerSettings& settings, const SettingsField& field) {
    const char* start = reinterpret_cast<const char*>(&settings) + field.offset;
    const void* nul = std::memchr(start, '\0', field.size);
    return {start,
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - start) : field.size};
}

void SetText(ServerSettings& settings, const SettingsField& field, std::string_view text) {
    char* start = reinterpret_cast<char*>(&settings) + field.offset;
    const std::size_t length = text.size() < field.size ? text.size() : field.size - 1;
    std::memcpy(start, text.data(), length);
    std::memset(start + length, '\0', field.size - length);
}

std::string FormatFieldValue(const ServerSettings& settings, const SettingsField& field) {
    switch (field.kind) {
    case Version: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(settings.version));
        return buffer;
    }
    case Text:
        return std::string(TextOf(settings, field));
    default:
        return std::to_string(NumberOf(settings, field));
    }
}

FieldCheck CheckNumberText(const SettingsField& field, std::string_view text) {
    NumberBoxCheck box = CheckNumberBoxText(text, field.low, field.high);
    return {box.status == NumberBoxStatus::Ok, box.status != NumberBoxStatus::NotInteger, box.value,
            box.message};
}

std::optional<std::string> CheckFieldText(const SettingsField& field, std::string_view bytes) {
    if (bytes.size() > field.textLimit) {
        // The host name's limit is the server info's: its message says so.
        if (field.use == TextUse::ServerInfo)
            return HazardMessage(ScriptHazard::TooLong, field.use);
        return TooLongMessage(field.textLimit);
    }
    if (!field.quoted) return std::nullopt;
    ScriptHazard hazard = FindTextHazard(bytes, field.use);
    if (hazard == ScriptHazard::None) return std::nullopt;
    return HazardMessage(hazard, field.use);
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string GameTypeMessage(const SettingsField& field) {
    std::string message = "Please enter an integer between " + std::to_string(field.low) + " and " +
                          std::to_string(field.high) + " or a game type:";
    for (int type = 0; type < kGameTypeCount; ++type) {
        message += type == 0 ? " \"" : ", \"";
        message += kGameTypes[type].label;
        message += '"';
    }
    return message + ".";
}

// The number of a GameType value: a button label or a number box's reading.
std::optional<int32_t> ReadGameType(const SettingsField& field, std::string_view text) {
    for (int type = 0; type < kGameTypeCount; ++type) {
        if (SameIgnoringCase(text, kGameTypes[type].label)) return type;
    }
    std::optional<int32_t> number = ReadNumberBoxText(text);
    if (number && *number >= field.low && *number <= field.high) return number;
    return std::nullopt;
}

}  // namespace

std::vector<int32_t> FlagBitsOf(const SettingsField& field) {
    std::vector<int32_t> bits;
    for (int shift = 0; shift < 31; ++shift) {
        if ((field.flagBits >> shift) & 1) bits.push_back(int32_t{1} << shift);
    }
    return bits;
}

std::string FlagBitsText(const SettingsField& field) {
    const std::vector<int32_t> bits = FlagBitsOf(field);
    std::string text;
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (i > 0) text += i + 1 == bits.size() ? " and " : ", ";
        text += std::to_string(bits[i]);
    }
    return text;
}

std::optional<std::string> AssignFieldText(ServerSettings& settings, const SettingsField& field,
                                           std::string_view text) {
    switch (field.kind) {
    case Version:
    case MapCount:
        return "This value cannot be set.";
    case Text:
        if (std::optional<std::string> refused = CheckFieldText(field, text)) return refused;
        SetText(settings, field, text);
        return std::nullopt;
    case Number:
    case Port:
    case Slider: {
        FieldCheck check = CheckNumberText(field, text);
        if (!check.ok) return check.message;
        SetNumber(settings, field, check.number);
        return std::nullopt;
    }
    case Check: {
        std::optional<int32_t> number = ReadNumberBoxText(text);
        if (!number || (*number != 0 && *number != 1)) return "Please enter 0 or 1.";
        SetNumber(settings, field, *number);
        return std::nullopt;
    }
    case Flags: {
        std::optional<int32_t> number = ReadNumberBoxText(text);
        if (!number || (*number & ~field.flagBits) != 0)
            return "Please enter 0 or a sum of " + FlagBitsText(field) + ".";
        SetNumber(settings, field, *number);
        return std::nullopt;
    }
    case FieldKind::GameType: {
        std::optional<int32_t> type = ReadGameType(field, text);
        if (!type) return GameTypeMessage(field);
        SetNumber(settings, field, *type);
        return std::nullopt;
    }
    }
    return "This value cannot be set.";
}

}  // namespace mctf
