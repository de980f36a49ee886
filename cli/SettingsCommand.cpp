// mctfcli settings: the settings record as name=value lines (or as JSON), and
// changes to it that end as OK on the settings sheet ends (server files,
// config.dmc, the map list), or as Setup > Reset Settings does.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/FixedText.h"
#include "core/MapList.h"
#include "core/SettingsFields.h"
#include "core/Utf8.h"

namespace mctf {

namespace {

constexpr std::string_view kCommand = "settings";

std::string KnownFields() {
    std::string names;
    for (const SettingsField& field : SettingsFields()) {
        if (!names.empty()) names += ", ";
        names += field.name;
    }
    return names;
}

// The field of that name but for case: "fraglimit" is a slip, not a field.
const SettingsField* FieldIgnoringCase(std::string_view name) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (const SettingsField& field : SettingsFields())
        if (std::ranges::equal(field.name, name, {}, lower, lower)) return &field;
    return nullptr;
}

// The record as one JSON object in field order: texts (bytes, made UTF-8) as
// strings, every other field as a number (the version 2.0 too).
std::string SettingsJson(const ServerSettings& settings) {
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    for (const SettingsField& field : SettingsFields()) {
        if (field.kind == FieldKind::Text) {
            record[std::string(field.name)] = Utf8FromBytes(TextOf(settings, field));
        } else if (field.kind == FieldKind::Version) {
            record[std::string(field.name)] = settings.version;
        } else {
            record[std::string(field.name)] = NumberOf(settings, field);
        }
    }
    return record.dump() + "\n";
}

int UnknownField(CommandContext& context, std::string_view name) {
    context.err << "mctfcli: settings: unknown field '" << name << "'; ";
    if (const SettingsField* field = FieldIgnoringCase(name))
        context.err << "did you mean " << field->name << "?\n";
    else
        context.err << "the fields are: " << KnownFields() << "\n";
    return 2;
}

}  // namespace

int RunSettingsShow(const CommandArgs& parsed, CommandContext& context) {
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    if (parsed.json) {
        context.out << SettingsJson(store.settings);
        return 0;
    }
    for (const SettingsField& field : SettingsFields())
        context.out << field.name << '=' << FormatFieldValue(store.settings, field) << '\n';
    return 0;
}

int RunSettingsGet(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.size() < 2) return UsageError(context, kCommand, "get needs a NAME");
    std::vector<const SettingsField*> fields;
    for (std::size_t i = 1; i < parsed.words.size(); ++i) {
        const SettingsField* field = FindSettingsField(parsed.words[i]);
        if (!field) return UnknownField(context, parsed.words[i]);
        fields.push_back(field);
    }
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
    for (const SettingsField* field : fields)
        context.out << FormatFieldValue(store.settings, *field) << '\n';
    return 0;
}

namespace {

struct Assignment {
    const SettingsField* field;
    std::string value;
};

// A game or statistics folder given relative to the current one, made
// absolute (lexically normal, in the system's separators): morvane.sh, the
// window and the statistics run start in other folders. False after saying
// why the current folder is not known.
bool AbsoluteIfFolder(const SettingsField& field, std::string& value, CommandContext& context) {
    namespace fs = std::filesystem;
    if ((&field != &FieldOf(&ServerSettings::quakePath) &&
         &field != &FieldOf(&ServerSettings::statsDir)) ||
        value.empty() || PathFromUtf8(value).is_absolute())
        return true;
    std::error_code error;
    fs::path folder = fs::absolute(PathFromUtf8(value), error).lexically_normal();
    if (error) {
        context.err << "mctfcli: " << field.name
                    << ": cannot tell the current folder: " << error.message() << '\n';
        return false;
    }
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    value = Utf8FromPath(folder);
    return true;
}

}  // namespace

int RunSettingsSet(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.size() < 2) return UsageError(context, kCommand, "set needs NAME=VALUE");
    std::vector<Assignment> assignments;
    for (std::size_t i = 1; i < parsed.words.size(); ++i) {
        const std::string& word = parsed.words[i];
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos)
            return UsageError(context, kCommand, "'" + word + "' is not NAME=VALUE");
        const std::string name = word.substr(0, equals);
        const SettingsField* field = FindSettingsField(name);
        if (!field) return UnknownField(context, name);
        if (field->kind == FieldKind::MapCount)
            return UsageError(context, kCommand,
                              "mapCount cannot be set: it follows the map list, which "
                              "'mctfcli maplist add|remove|clear' changes");
        if (!field->IsEditable())
            return UsageError(context, kCommand,
                              name + " cannot be set: it is the format of the settings file");
        std::string value = word.substr(equals + 1);
        if (!AbsoluteIfFolder(*field, value, context)) return 1;
        assignments.push_back({field, std::move(value)});
    }

    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Change, context)) return 1;
    // Every value is checked before anything changes, so a refused one
    // leaves the record and every file as they were.
    ServerSettings changed = store.settings;
    bool refused = false;
    for (const Assignment& assignment : assignments) {
        if (std::optional<std::string> message =
                AssignFieldText(changed, *assignment.field, assignment.value)) {
            context.err << "mctfcli: " << assignment.field->name << ": " << *message << '\n';
            refused = true;
        }
    }
    if (refused) return 1;

    const int32_t previousType = store.settings.gameType;
    // The game path moves last, once the list of the game type is in memory:
    // the new folder then keeps its own list or receives this one.
    const std::string gamePath(FixedText(changed.quakePath));
    std::memcpy(changed.quakePath, store.settings.quakePath, sizeof changed.quakePath);
    store.settings = changed;
    // As picking a game-type button and opening the sheet: the list of the
    // new type is the one the sheet shows and OK saves. A list that is there
    // but cannot be read must not become a file.
    ReadResult list;
    if (store.settings.gameType != previousType) list = LoadMapList(store);
    GamePathChange change;
    if (!list.Unreadable()) {
        change = ChangeGamePath(store, gamePath);
        list = change.read;
    }
    if (list.Unreadable()) {
        context.err << "mctfcli: " << list.path << ": cannot read: " << list.reason << '\n';
        return 1;
    }
    ApplyResult applied;
    const int status = ApplyForCommand(store, parsed.config, context, &applied);
    if (const std::string note = GamePathListNote(change, applied.saved); !note.empty())
        context.err << "mctfcli: " << note << '\n';
    return status;
}

int RunSettingsReset(const CommandArgs& parsed, CommandContext& context) {
    if (!parsed.yes && !context.ask)
        return UsageError(context, kCommand,
                          "reset asks for confirmation and there is no terminal to ask on; "
                          "add --yes to reset without asking");
    SettingsStore store;
    if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Reset, context)) return 1;
    if (!parsed.yes) {
        std::optional<std::string> answer =
            context.ask(std::string(kResetCaption) + ": " + kResetQuestion + " [y/N] ");
        if (!answer || (*answer != "y" && *answer != "Y" && *answer != "yes")) {
            context.err << "mctfcli: " << ConfigName(parsed.config) << ": not reset\n";
            return 1;
        }
    }
    if (ReportSave(RestoreDefaults(store), store, parsed.config, context)) return 1;
    context.out << kSettingsResetMessage << '\n';
    return 0;
}

}  // namespace mctf
