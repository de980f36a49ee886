// TempDir: a fresh folder under the system's temporary directory, removed
// with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace mctf::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // path() / relative
    std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

// Whole-file helpers for tests.
std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);
// `bytes` as gzip writes them: one member, as logrotate's compress leaves a log.
std::string Gzip(std::string_view bytes);

// Every regular file below `folder` with its bytes, by path relative to it
// ('/' between folders on every system).
using FileBytes = std::map<std::string, std::string>;
FileBytes Snapshot(const std::filesystem::path& folder);

// A file the program writes in text mode, with its lines ending in "\n" as on
// Linux: on Windows every CR LF is read as LF, and a lone LF (a line written
// without text mode) fails the running test.
std::string ReadTextFile(const std::filesystem::path& file);

}  // namespace mctf::testing
