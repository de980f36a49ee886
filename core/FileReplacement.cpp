#include "core/FileReplacement.h"

#include <cerrno>
#include <cstdarg>
#include <filesystem>
#include <system_error>
#include <vector>

namespace mctf {

namespace {

namespace fs = std::filesystem;

// The file a chain of symbolic links ends at (which need not exist yet); a
// relative link counts from the folder the link lies in. A loop or a link
// that cannot be read leaves the path where the chain stopped.
std::string FollowLinks(const std::string& path) {
    constexpr int kMaxLinks = 40;
    fs::path target = PathFromUtf8(path);
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(target, error)) break;
        fs::path next = fs::read_symlink(target, error);
        if (error) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return Utf8FromPath(target);
}

}  // namespace

FileReplacement::FileReplacement(const std::string& path, const char* mode, FileSystem& files)
    : files_(files), path_(FollowLinks(path)), temporary_(path_ + ".tmp"), mode_(mode) {}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Open() {
    Abandon();
    writeFailed_ = false;
    // Nothing could ever be renamed over a folder: say so now, not as a
    // failed write after the temporary was filled.
    std::error_code error;
    fs::file_status status = fs::status(PathFromUtf8(path_), error);
    if (fs::is_directory(status)) {
        errno = EISDIR;
        return false;
    }
    file_ = files_.Open(temporary_, mode_);
    return file_ != nullptr;
}

void FileReplacement::MakeExecutable() {
    if (file_ != nullptr && !files_.MakeExecutable(file_)) writeFailed_ = true;
}

void FileReplacement::Write(std::string_view bytes) {
    if (file_ == nullptr || writeFailed_ || bytes.empty()) return;
    if (!files_.Write(file_, bytes.data(), bytes.size())) writeFailed_ = true;
}

void FileReplacement::Printf(const char* format, ...) {
    char small[512];
    std::va_list values;
    va_start(values, format);
    std::va_list again;
    va_copy(again, values);
    const int length = std::vsnprintf(small, sizeof small, format, values);
    va_end(values);
    if (length < 0) {
        writeFailed_ = true;
    } else if (static_cast<std::size_t>(length) < sizeof small) {
        Write(std::string_view(small, static_cast<std::size_t>(length)));
    } else {
        std::vector<char> large(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        Write(std::string_view(large.data(), static_cast<std::size_t>(length)));
    }
    va_end(again);
}

bool FileReplacement::Commit() {
    if (file_ == nullptr) return false;
    bool ok = !writeFailed_ && (!sync_ || files_.Sync(file_));
    ok = files_.Close(file_) && ok;
    file_ = nullptr;
    if (ok) ok = files_.Rename(temporary_, path_);
    if (!ok) files_.Remove(temporary_);
    return ok;
}

void FileReplacement::Abandon() {
    if (file_ == nullptr) return;
    files_.Close(file_);
    file_ = nullptr;
    files_.Remove(temporary_);
}

}  // namespace mctf
