#include "cli/CommandSettings.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "core/ServerFiles.h"

namespace mctf {

std::string ConfigName(const std::optional<std::string>& config) {
    return config ? *config : std::string(kDefaultConfigFile);
}

namespace {

// What each use of the settings file lets through that cannot be read.
struct ConfigRules {
    bool mindsMapList;        // a list that cannot be read stops the command
    bool replacesUnreadable;  // config.dmc of the current folder is replaced
    bool createsNamedFile;    // a missing --config file is made
};

ConfigRules RulesFor(ConfigUse use) {
    switch (use) {
    case ConfigUse::Read:
    case ConfigUse::Change:
        return {true, false, false};
    case ConfigUse::Stats:
        return {false, false, false};
    case ConfigUse::Reset:
        return {false, true, true};
    }
    return {true, false, false};
}

bool CannotRead(const ReadResult& unread, CommandContext& context) {
    context.err << "mctfcli: " << unread.path << ": cannot read: " << unread.reason << "\n";
    return false;
}

}  // namespace

bool LoadSettingsForCommand(SettingsStore& store, const std::optional<std::string>& config,
                            ConfigUse use, CommandContext& context) {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    store.startupDir = context.settingsFolder ? *context.settingsFolder
                       : error                ? std::string(".")
                                              : current.string();
    store.configPath = config ? *config : std::string();
    store.defaults = context.defaults;
    store.files = context.files;
    ReadResult unread;
    const SettingsFileState state = ReadSettings(store, &unread);
    const ConfigRules rules = RulesFor(use);

    // Settings or maps that could not be read must not become a file. A
    // named file that cannot be read may be anything: even a reset leaves it
    // alone (config.dmc of the current folder is replaced, as the window does).
    if (state == SettingsFileState::Unreadable) {
        if (config || !rules.replacesUnreadable) return CannotRead(unread, context);
    } else if (unread.Unreadable() && rules.mindsMapList) {
        return CannotRead(unread, context);
    }
    if (!config || state == SettingsFileState::Loaded) return true;

    const std::string name = ConfigName(config);
    if (state == SettingsFileState::Missing) {
        if (std::filesystem::exists(*config, error)) {
            context.err << "mctfcli: " << name << ": not a settings file (not a regular file)\n";
            return false;
        }
        if (rules.createsNamedFile) return true;
        context.err << "mctfcli: " << name
                    << ": no such settings file ('mctfcli settings reset --config " << name
                    << "' creates one)\n";
        return false;
    }
    context.err << "mctfcli: " << name << ": not a settings file of version 2.0; left untouched\n";
    return false;
}

bool ReportSave(SaveResult result, const SettingsStore& store,
                const std::optional<std::string>& config, CommandContext& context) {
    if (result == SaveResult::ConfigNotSaved) {
        context.err << "mctfcli: " << ConfigName(config)
                    << ": cannot be written; the settings were not saved and the file is "
                       "as it was\n";
        if (!store.saveReason.empty())
            context.err << "mctfcli: " << ConfigName(config) << ": " << store.saveReason << '\n';
        return true;
    }
    if (result == SaveResult::MapListNotSaved) {
        const std::optional<std::string> list = CurrentMapListPath(store);
        if (!list) return false;
        const std::string& path = *list;
        std::error_code error;
        const bool folderMissing =
            !std::filesystem::is_directory(std::filesystem::path(path).parent_path(), error);
        if (folderMissing && ValidMapCount(store) == 0) return false;
        context.err << "mctfcli: " << path
                    << ": cannot be written; the map list was not saved and the file is "
                       "as it was\n";
        return true;
    }
    return false;
}

bool ReportServerFiles(const ServerFilesOutcome& outcome, CommandContext& context) {
    if (outcome.Written()) return false;
    if (outcome.status == ServerFilesStatus::GamePathNotSet) {
        context.err << kGamePathNotSetMessage;
        return true;
    }
    // Every line of the window's message names the file, so none stands alone.
    const std::string message = ServerFilesMessage(outcome);
    std::size_t start = 0;
    while (start < message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        context.err << "mctfcli: " << outcome.path << ": " << message.substr(start, end - start)
                    << '\n';
        start = end + 1;
    }
    if (!outcome.reason.empty())
        context.err << "mctfcli: " << outcome.path << ": " << outcome.reason << '\n';
    return true;
}

int ApplyForCommand(SettingsStore& store, const std::optional<std::string>& config,
                    CommandContext& context, ApplyResult* applied) {
    ApplyResult result = ApplySettings(store);
    if (applied != nullptr) *applied = result;
    const bool serverFilesFailed = ReportServerFiles(result.serverFiles, context);
    const bool saveFailed = ReportSave(result.saved, store, config, context);
    // Half done is still done in part: say which half.
    if (serverFilesFailed && !saveFailed &&
        result.serverFiles.status != ServerFilesStatus::MapListUnread)
        context.err << "mctfcli: " << ConfigName(config)
                    << ": the settings were saved, but not the server files\n";
    return serverFilesFailed || saveFailed ? 1 : 0;
}

}  // namespace mctf
