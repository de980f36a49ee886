#include "core/FolderFiles.h"

#include <algorithm>
#include <filesystem>

#include "core/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace mctf {

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return name.size() >= ending.size() &&
           std::ranges::equal(name.substr(name.size() - ending.size()), ending, {}, lower, lower);
}

std::vector<std::string> FindFilesEndingIn(const std::string& folder, std::string_view extension,
                                           std::error_code& error) {
    return FindFilesNamed(
        folder,
        [extension](std::string_view name) { return EndsWithIgnoringCase(name, extension); },
        error);
}

std::vector<std::string> FindFilesNamed(const std::string& folder,
                                        const std::function<bool(std::string_view)>& wanted,
                                        std::error_code& error) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    fs::directory_iterator it(PathFromUtf8(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (!wanted(Utf8FromPath(it->path().filename()))) continue;
        std::error_code statError;
        if (it->is_directory(statError)) continue;  // follows links
        paths.push_back(Utf8FromPath(it->path()));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
#ifdef _WIN32
    // Asked of an open handle: std::filesystem::equivalent is not to be
    // trusted with mingw-w64's library, and names say nothing of links.
    HANDLE handle = CreateFileW(PathFromUtf8(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
#else
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
#endif
}

}  // namespace mctf
