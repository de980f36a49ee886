#include "core/FileReplacement.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

namespace mctf {

namespace {

namespace fs = std::filesystem;

// Tries at a temporary name before giving up: another name is taken only
// when something is already there.
constexpr int kNameAttempts = 100;

// The file a chain of symbolic links ends at (which need not exist yet); a
// relative link counts from the folder the link lies in. A loop or a link
// that cannot be read leaves the path where the chain stopped.
std::string FollowLinks(const std::string& path, FileSystem& files) {
    constexpr int kMaxLinks = 40;
    fs::path target = PathFromUtf8(path);
    for (int i = 0; i < kMaxLinks; ++i) {
        if (!files.Status(Utf8FromPath(target)).link) break;
        std::error_code error;
        fs::path next = fs::read_symlink(target, error);
        if (error) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return Utf8FromPath(target);
}

// "<path>.<8 random hex digits>.tmp": nobody can know the name beforehand.
std::string TemporaryName(const std::string& path) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    const std::uint32_t value = random();
    std::string name = path + ".";
    for (int shift = 28; shift >= 0; shift -= 4) name += kDigits[(value >> shift) & 0xF];
    return name + ".tmp";
}

std::string FolderOf(const std::string& path) {
    const fs::path folder = PathFromUtf8(path).parent_path();
    return folder.empty() ? std::string(".") : Utf8FromPath(folder);
}

// What a file may be written over: a file, or nothing.
bool Replaceable(FileKind kind) { return kind == FileKind::Regular || kind == FileKind::Missing; }

// A device, pipe or socket: something that is no file and no folder.
bool IsNode(FileKind kind) { return !Replaceable(kind) && kind != FileKind::Folder; }

}  // namespace

FileReplacement::FileReplacement(const std::string& path, const char* mode, FileSystem& files)
    : files_(files), path_(FollowLinks(path, files)), mode_(mode) {}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Fail(int error) {
    if (reason_.empty()) reason_ = SystemReason(error);
    return false;
}

bool FileReplacement::Open() {
    Abandon();
    writeFailed_ = false;
    reason_.clear();
    replaced_ = files_.Status(path_);
    // Nothing could ever be renamed over a folder: say so now, not as a
    // failed write after the temporary was filled.
    if (replaced_.kind == FileKind::Folder) return Fail(EISDIR);
    if (!Replaceable(replaced_.kind)) {
        reason_ = kNotRegularFile;
        return false;
    }
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        temporary_ = TemporaryName(path_);
        errno = 0;
        file_ = files_.Create(temporary_, mode_, permissions_);
        if (file_ != nullptr) break;
        error = errno;
    }
    if (file_ == nullptr) return Fail(error);

    FileAccess access;
    if (replaced_.kind == FileKind::Regular) {
        // Set-user and set-group bits are not carried over to new contents.
        access = {replaced_.mode < 0 ? -1 : replaced_.mode & 0777, replaced_.owner,
                  replaced_.group};
    } else {
        const FileStatus folder = files_.Status(FolderOf(path_));
        access.owner = folder.owner;
        access.group = folder.group;
    }
    if (!files_.SetAccess(file_, access)) {
        writeFailed_ = true;
        Fail(errno);
    }
    return true;
}

void FileReplacement::MakeExecutable() {
    if (file_ == nullptr) return;
    int mode = 0755;
    if (replaced_.kind == FileKind::Regular && replaced_.mode >= 0)
        mode = (replaced_.mode & 0777) | ((replaced_.mode & 0444) >> 2);
    if (!files_.SetAccess(file_, {mode, -1, -1})) {
        writeFailed_ = true;
        Fail(errno);
    }
}

void FileReplacement::Write(std::string_view bytes) {
    if (file_ == nullptr || writeFailed_ || bytes.empty()) return;
    if (!files_.Write(file_, bytes.data(), bytes.size())) {
        writeFailed_ = true;
        Fail(errno);
    }
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
        Fail(errno);
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
    bool ok = !writeFailed_;
    if (ok && sync_ && !files_.Sync(file_)) ok = Fail(errno);
    if (!files_.Close(file_) && ok) ok = Fail(errno);
    file_ = nullptr;
    // A device or pipe put in the file's place meanwhile is not replaced either.
    if (ok && !Replaceable(files_.Status(path_).kind)) {
        reason_ = kNotRegularFile;
        ok = false;
    }
    if (ok && !files_.Rename(temporary_, path_)) ok = Fail(errno);
    if (!ok) files_.Remove(temporary_);
    return ok;
}

void FileReplacement::Abandon() {
    if (file_ == nullptr) return;
    files_.Close(file_);
    file_ = nullptr;
    files_.Remove(temporary_);
}

OutputFileOutcome WriteOutputFile(FileSystem& files, const std::string& path,
                                  std::string_view bytes) {
    const FileKind kind = files.Status(path).kind;
    if (kind != FileKind::CharDevice && kind != FileKind::Pipe) {
        FileReplacement file(path, "wb", files);
        file.SkipSync();
        if (file.Open()) {
            file.Write(bytes);
            if (file.Commit()) return {true, false, {}};
        }
        return {false, IsNode(kind), file.Reason()};
    }
    errno = 0;
    std::FILE* node = files.OpenDevice(path, "wb");
    if (node == nullptr) return {false, true, SystemReason(errno)};
    bool ok = bytes.empty() || files.Write(node, bytes.data(), bytes.size());
    int error = errno;
    // What the stream still holds may only fail here (a full device).
    if (!files.Close(node) && ok) {
        ok = false;
        error = errno;
    }
    return {ok, true, ok ? std::string() : SystemReason(error)};
}

}  // namespace mctf
