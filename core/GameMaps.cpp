#include "core/GameMaps.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/Desktop.h"
#include "core/FolderFiles.h"
#include "core/GameFolder.h"
#include "core/Paths.h"

namespace mctf {

namespace {

// Passes everything on but the progress window, which stays open over all
// the paks: each pak's 0 to 100 is its share of the whole bar.
class PakShare : public Desktop {
public:
    PakShare(Desktop& outer, std::size_t paks) : outer_(outer), paks_(paks) {}

    // The bar stands at the end of each pak, read or not.
    void NextPak() {
        ++done_;
        outer_.SetProgress(static_cast<int>(done_ * 100 / paks_));
    }

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        outer_.ShowMessage(text, caption, icon);
    }
    bool Confirm(std::string_view text, std::string_view caption) override {
        return outer_.Confirm(text, caption);
    }
    void OpenProgress() override {}
    void SetProgress(int position) override {
        outer_.SetProgress(
            static_cast<int>((done_ * 100 + static_cast<std::size_t>(position)) / paks_));
    }
    void CloseProgress() override {}
    std::optional<std::string> ChooseFile(std::string_view filters,
                                          const std::string& startFolder) override {
        return outer_.ChooseFile(filters, startFolder);
    }

private:
    Desktop& outer_;
    std::size_t paks_;
    std::size_t done_ = 0;
};

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    if (std::ranges::lexicographical_compare(a, b, {}, lower, lower)) return true;
    if (std::ranges::lexicographical_compare(b, a, {}, lower, lower)) return false;
    return a < b;  // equal but for case: a fixed order all the same
}

// Files of folder ending in extension; a folder that is not there has none.
std::vector<std::string> FilesIn(const std::string& folder, std::string_view extension,
                                 GameMaps& found) {
    std::error_code error;
    std::vector<std::string> files = FindFilesEndingIn(folder, extension, error);
    if (error && error != std::errc::no_such_file_or_directory)
        found.problems.push_back({folder, ScanStatus::Scanned, error});
    return files;
}

}  // namespace

GameMaps FindGameMaps(const ServerSettings& settings, Desktop& desktop, FileSystem& files) {
    GameMaps found;
    if (!GamePathSet(settings)) return found;
    std::vector<std::string> paks;
    for (const std::string& folder : PakFolders(settings)) {
        for (std::string& pak : FilesIn(folder, ".pk3", found)) paks.push_back(std::move(pak));
        for (const std::string& bsp : FilesIn(JoinPath(folder, "maps"), ".bsp", found))
            found.names.push_back(Utf8FromPath(PathFromUtf8(bsp).stem()));
    }
    if (!paks.empty()) {
        PakShare share(desktop, paks.size());
        desktop.OpenProgress();
        for (const std::string& pak : paks) {
            // The server loads any map of a pak, however deep in its directory.
            const ScanStatus status =
                ScanMapFile(pak, found.names, share, files, ScanReach::CentralDirectory);
            if (!ScanSucceeded(status)) found.problems.push_back({pak, status, {}});
            share.NextPak();
        }
        desktop.CloseProgress();
    }
    std::ranges::sort(found.names, LessIgnoringCase);
    found.names.erase(std::unique(found.names.begin(), found.names.end()), found.names.end());
    return found;
}

std::string DescribeProblem(const GameMapsProblem& problem) {
    if (problem.error) return problem.path + ": cannot read the folder: " + problem.error.message();
    if (problem.scan == ScanStatus::PathTooLong)
        return problem.path + ": path longer than " + std::to_string(kNameBufferSize - 1) +
               " characters, skipped";
    const char* message = ScanMessage(problem.scan);
    return problem.path + ": " + (message ? message : "not read");
}

}  // namespace mctf
