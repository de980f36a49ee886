#include "core/FileReplacement.h"

#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mctf {

namespace {

// Pushes the file's written data from the system's cache to the disk, so a
// power cut after the rename cannot leave an empty file under the old name.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

FileReplacement::FileReplacement(std::string path, const char* mode)
    : path_(std::move(path)), temporary_(path_ + ".tmp"), mode_(mode) {}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Open() {
    Abandon();
    file_ = std::fopen(temporary_.c_str(), mode_);
    return file_ != nullptr;
}

bool FileReplacement::Commit() {
    if (file_ == nullptr) return false;
    bool ok = std::fflush(file_) == 0 && std::ferror(file_) == 0 && SyncToDisk(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    std::error_code error;
    if (ok) std::filesystem::rename(temporary_, path_, error);
    if (!ok || error) {
        std::remove(temporary_.c_str());
        return false;
    }
    return true;
}

void FileReplacement::Abandon() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    std::remove(temporary_.c_str());
}

}  // namespace mctf
