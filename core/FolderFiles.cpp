#include "core/FolderFiles.h"

#include <algorithm>
#include <filesystem>

#include "core/FileSystem.h"

namespace mctf {

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return name.size() >= ending.size() &&
           std::ranges::equal(name.substr(name.size() - ending.size()), ending, {}, lower, lower);
}

std::vector<std::string> FindFilesEndingIn(const std::string& folder, std::string_view extension,
                                           std::error_code& error) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    fs::directory_iterator it(PathFromUtf8(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (!EndsWithIgnoringCase(Utf8FromPath(it->path().filename()), extension)) continue;
        std::error_code statError;
        if (it->is_directory(statError)) continue;  // follows links
        paths.push_back(Utf8FromPath(it->path()));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace mctf
