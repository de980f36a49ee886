#include "cli/CommandSettings.h"

#include <filesystem>
#include <system_error>

namespace mctf {

void LoadSettingsForCommand(SettingsStore& store, const std::string& configFile) {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    store.startupDir = error ? std::string(".") : current.string();
    store.configPath = configFile.empty() ? std::string(kDefaultConfigFile) : configFile;
    LoadSettings(store);
}

}  // namespace mctf
