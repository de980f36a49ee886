#include "core/SettingsStore.h"

#include <cstring>

#include "core/ByteStream.h"
#include "core/Desktop.h"
#include "core/FileReplacement.h"
#include "core/FixedText.h"
#include "core/Paths.h"

namespace mctf {

namespace {

constexpr float kSettingsVersion = 2.0f;

bool IsUsable(const ServerSettings& settings) {
    return settings.version == kSettingsVersion && IsGameType(settings.gameType);
}

// Writes the raw record beside config.dmc and moves it into place, so a save
// that fails half-way leaves the previous file whole. False (and saveFailed)
// when the file cannot be created or the bytes do not all reach it.
bool WriteConfigFile(SettingsStore& store) {
    FileReplacement config(ConfigPath(store), "wb", *store.files);
    // It holds the rcon and server passwords.
    config.OwnerOnly();
    bool written = config.Open();
    if (written) {
        config.Write(std::string_view(reinterpret_cast<const char*>(&store.settings),
                                      sizeof(ServerSettings)));
        written = config.Commit();
    }
    if (!written) {
        store.saveFailed = true;
        store.saveReason = config.Reason();
    }
    return written;
}

// Up to sizeof bytes of config.dmc; count says how many there were.
ReadResult ReadConfigFile(SettingsStore& store, unsigned char (&bytes)[sizeof(ServerSettings)],
                          std::size_t& count) {
    ByteStream config(*store.files, sizeof bytes);
    count = config.Open(ConfigPath(store)) ? config.Read(bytes, sizeof bytes) : 0;
    return config.Result();
}

// Reads the record; anything but a usable one leaves the defaults in it.
SettingsFileState ReadRecord(SettingsStore& store, ReadResult& config) {
    unsigned char bytes[sizeof(ServerSettings)];
    std::size_t count = 0;
    config = ReadConfigFile(store, bytes, count);
    if (config.outcome != ReadOutcome::Read) {
        store.settings = *store.defaults;
        return config.Unreadable() ? SettingsFileState::Unreadable : SettingsFileState::Missing;
    }
    // A short file replaces only the leading bytes; the rest keeps its value.
    std::memcpy(&store.settings, bytes, count);
    if (!IsUsable(store.settings)) {
        store.settings = *store.defaults;
        return SettingsFileState::NotARecord;
    }
    return SettingsFileState::Loaded;
}

}  // namespace

std::string ConfigPath(const SettingsStore& store) {
    if (!store.configPath.empty()) return store.configPath;
    return JoinPath(store.startupDir, "config.dmc");
}

ReadResult LoadSettings(SettingsStore& store) {
    ReadResult config;
    // No usable config.dmc: the defaults are stored at once, but the map list
    // of the default game type is read from its file rather than wiped. An
    // unreadable one still holds the operator's settings: it is left to a
    // save made on purpose.
    const SettingsFileState state = ReadRecord(store, config);
    if (state == SettingsFileState::Missing || state == SettingsFileState::NotARecord)
        WriteConfigFile(store);
    ReadResult list = LoadMapList(store);
    return config.Unreadable() ? config : list;
}

SettingsFileState ReadSettings(SettingsStore& store, ReadResult* unread) {
    ReadResult config;
    const SettingsFileState state = ReadRecord(store, config);
    ReadResult list = LoadMapList(store);
    if (unread != nullptr) *unread = config.Unreadable() ? config : list;
    return state;
}

SaveResult SaveSettings(SettingsStore& store) {
    if (!WriteConfigFile(store)) return SaveResult::ConfigNotSaved;
    return SaveMapList(store) ? SaveResult::Saved : SaveResult::MapListNotSaved;
}

SaveResult RestoreDefaults(SettingsStore& store) {
    store.settings = *store.defaults;
    // The emptied list belongs to the default game type: mctf.map is cleared,
    // even when it could not be read: that is what a reset asks for.
    store.mapList.loadedGameType = store.settings.gameType;
    store.mapList.readFailed = false;
    return SaveSettings(store);
}

std::string SaveFailureMessage(SaveResult result, const SettingsStore& store) {
    if (result != SaveResult::ConfigNotSaved) return {};
    return "Cannot write the settings file " + ConfigPath(store) +
           "\nThe settings were not saved; the file is as it was.";
}

GamePathChange ChangeGamePath(SettingsStore& store, std::string_view newPath) {
    GamePathChange change;
    const int32_t gameType = store.settings.gameType;
    if (FixedText(store.settings.quakePath) == newPath) return change;
    if (!IsGameType(gameType)) {
        SetFixedText(store.settings.quakePath, newPath);
        return change;
    }
    // Only the current type's list may follow: the main window's buttons
    // change the type without reading its list.
    if (store.mapList.loadedGameType != gameType) LoadMapList(store);
    const MapList held = store.mapList;
    const int32_t heldCount = store.settings.mapCount;

    SetFixedText(store.settings.quakePath, newPath);
    change.listPath = MapListPath(store, gameType);
    change.read = LoadMapList(store);
    if (change.read.outcome == ReadOutcome::Absent) {
        // Nothing there to lose: the list held moves in with the next save.
        // One that could not be read was held empty, and stays so.
        std::memcpy(store.mapList.maps, held.maps, sizeof held.maps);
        store.settings.mapCount = heldCount;
        change.list = GamePathList::Adopted;
    } else {
        change.list = change.read.Unreadable() ? GamePathList::Unreadable : GamePathList::Read;
    }
    change.maps = ValidMapCount(store);
    return change;
}

std::string GamePathListNote(const GamePathChange& change, SaveResult saved) {
    const std::string count =
        "(" + std::to_string(change.maps) + (change.maps == 1 ? " map)" : " maps)");
    if (change.list == GamePathList::Read) return change.listPath + ": map list read " + count;
    if (change.list == GamePathList::Adopted && saved == SaveResult::Saved)
        return change.listPath + ": no map list was there; the list in use was written to it " +
               count;
    return {};
}

std::string UnreadableConfigMessage(const ReadResult& result) {
    return "Cannot read the settings file " + result.path + ":\n" + result.reason +
           "\n\nThe default settings are in use. The file is left as it is until you "
           "save the settings.";
}

void ResetSettings(SettingsStore& store, Desktop& desktop) {
    if (!desktop.Confirm(kResetQuestion, kResetCaption)) return;
    const std::string failure = SaveFailureMessage(RestoreDefaults(store), store);
    if (!failure.empty()) {
        desktop.ShowMessage(failure, kAppTitle, MessageIcon::Exclamation);
        return;
    }
    desktop.ShowMessage(kSettingsResetMessage, kAppTitle, MessageIcon::None);
}

}  // namespace mctf
