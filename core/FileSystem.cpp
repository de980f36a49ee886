#include "core/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace mctf {

namespace {

#ifdef _WIN32
// UTF-8 when the bytes are valid UTF-8, the ANSI code page otherwise.
std::wstring WideName(std::string_view name) {
    if (name.empty()) return {};
    const int size = static_cast<int>(name.size());
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, name.data(), size, wide.data(), length);
    return wide;
}
#endif

// A stream on a descriptor just opened; the descriptor is closed (errno
// kept) when no stream can be made.
std::FILE* Stream(int descriptor, const char* mode) {
    if (descriptor < 0) return nullptr;
#ifdef _WIN32
    std::FILE* file = _fdopen(descriptor, mode);
#else
    std::FILE* file = fdopen(descriptor, mode);
#endif
    if (file == nullptr) {
        const int error = errno;
#ifdef _WIN32
        _close(descriptor);
#else
        close(descriptor);
#endif
        errno = error;
    }
    return file;
}

#ifdef _WIN32
// Tries of a rename refused while another program holds one of the files,
// and the pause between them: a second in all.
constexpr int kRenameAttempts = 20;
constexpr DWORD kRenamePauseMs = 50;

// The errno value for a Windows error code, for SystemReason.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return EACCES;
    }
}

int TextFlag(const char* mode) { return std::strchr(mode, 'b') != nullptr ? _O_BINARY : _O_TEXT; }
#else
FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::Regular;
    if (S_ISDIR(mode)) return FileKind::Folder;
    if (S_ISCHR(mode)) return FileKind::CharDevice;
    if (S_ISBLK(mode)) return FileKind::BlockDevice;
    if (S_ISFIFO(mode)) return FileKind::Pipe;
    if (S_ISSOCK(mode)) return FileKind::Socket;
    return FileKind::Other;
}
#endif

// A file that is not there, as opposed to one that is there but refused.
bool MeansAbsent(int error) { return error == ENOENT || error == ENOTDIR; }

}  // namespace

std::string SystemReason(int error) {
    if (error == 0) error = EIO;  // a failure that left no reason behind
    return std::generic_category().message(error);
}

std::filesystem::path PathFromUtf8(std::string_view name) {
#ifdef _WIN32
    return std::filesystem::path(WideName(name));
#else
    return std::filesystem::path(name);
#endif
}

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

std::FILE* FileSystem::Open(const std::string& path, const char* mode) {
#ifdef _WIN32
    return _wfopen(WideName(path).c_str(), WideName(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

bool FileSystem::Read(std::FILE* file, void* buffer, std::size_t size, std::size_t& got) {
    errno = 0;
    got = std::fread(buffer, 1, size, file);
    return got == size || std::ferror(file) == 0;
}

bool FileSystem::Seek(std::FILE* file, long offset, int origin) {
    return std::fseek(file, offset, origin) == 0;
}

long FileSystem::Tell(std::FILE* file) { return std::ftell(file); }

bool FileSystem::Write(std::FILE* file, const void* data, std::size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

bool FileSystem::Sync(std::FILE* file) {
    if (std::fflush(file) != 0 || std::ferror(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool FileSystem::Close(std::FILE* file) { return std::fclose(file) == 0; }

FileStatus FileSystem::Status(const std::string& path) {
    FileStatus status;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(WideName(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        status.error = ErrnoOf(GetLastError());
        return status;
    }
    status.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    status.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder
                  : (attributes & FILE_ATTRIBUTE_DEVICE) != 0  ? FileKind::CharDevice
                                                               : FileKind::Regular;
#else
    struct stat info {};
    status.link = lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    if (stat(path.c_str(), &info) != 0) {
        status.error = errno;
        return status;
    }
    status.kind = KindOf(info.st_mode);
    status.mode = static_cast<int>(info.st_mode & 07777);
    status.owner = info.st_uid;
    status.group = info.st_gid;
#endif
    return status;
}

std::FILE* FileSystem::Create(const std::string& path, const char* mode,
                              [[maybe_unused]] int permissions) {
#ifdef _WIN32
    const int descriptor = _wopen(WideName(path).c_str(),
                                  _O_WRONLY | _O_CREAT | _O_EXCL | _O_NOINHERIT | TextFlag(mode),
                                  _S_IREAD | _S_IWRITE);
#else
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                static_cast<mode_t>(permissions));
#endif
    return Stream(descriptor, mode);
}

std::FILE* FileSystem::OpenDevice(const std::string& path, const char* mode) {
#ifdef _WIN32
    return Stream(_wopen(WideName(path).c_str(), _O_WRONLY | _O_NOINHERIT | TextFlag(mode)), mode);
#else
    const int descriptor = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || !(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
        close(descriptor);
        errno = ENODEV;  // a file put in the node's place since it was looked at
        return nullptr;
    }
    // Opened without waiting; the writes wait for a slow reader as any do.
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags == -1 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        const int error = errno;
        close(descriptor);
        errno = error;
        return nullptr;
    }
    return Stream(descriptor, mode);
#endif
}

bool FileSystem::SetAccess([[maybe_unused]] std::FILE* file,
                           [[maybe_unused]] const FileAccess& access) {
#ifdef _WIN32
    return true;
#else
    const int descriptor = fileno(file);
    // Only root may give a file away; anyone else's files stay their own.
    if (geteuid() == 0) {
        if ((access.owner >= 0 || access.group >= 0) &&
            fchown(descriptor, static_cast<uid_t>(access.owner),
                   static_cast<gid_t>(access.group)) != 0)
            return false;
    } else if (access.group >= 0) {
        // A member of the group keeps the old file's group (a service's
        // account may read config.dmc through it), or takes the folder's for
        // a new file, as root's writes do; anyone else gets their own group.
        [[maybe_unused]] const int kept =
            fchown(descriptor, static_cast<uid_t>(-1), static_cast<gid_t>(access.group));
    }
    return access.mode < 0 || fchmod(descriptor, static_cast<mode_t>(access.mode)) == 0;
#endif
}

bool FileSystem::Rename(const std::string& from, const std::string& to) {
#ifdef _WIN32
    const std::wstring source = WideName(from), target = WideName(to);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        // A virus scanner or the search indexer may hold a file just written,
        // or a web server the page it replaces, for a moment.
        const DWORD error = GetLastError();
        if (attempt == kRenameAttempts ||
            (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
             error != ERROR_ACCESS_DENIED)) {
            errno = ErrnoOf(error);
            return false;
        }
        Sleep(kRenamePauseMs);
    }
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void FileSystem::Remove(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(PathFromUtf8(path), error);
}

FileSystem& SystemFiles() {
    static FileSystem files;
    return files;
}

std::FILE* OpenForReading(FileSystem& files, const std::string& path, ReadResult& result) {
    result = ReadResult{ReadOutcome::Read, path, {}, false};
    std::error_code error;
    const auto status = std::filesystem::status(PathFromUtf8(path), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        result.outcome = ReadOutcome::Absent;
        result.reason = SystemReason(ENOENT);
        return nullptr;
    }
    if (!error && status.type() != std::filesystem::file_type::regular) {
        result.outcome = ReadOutcome::Absent;
        result.reason = "not a regular file";
        return nullptr;
    }
    if (error && !MeansAbsent(error.value())) {
        result.outcome = ReadOutcome::Unreadable;
        result.reason = SystemReason(error.value());
        return nullptr;
    }
    errno = 0;
    std::FILE* file = files.Open(path, "rb");
    if (file == nullptr) {
        const int openError = errno;
        result.outcome = MeansAbsent(openError) ? ReadOutcome::Absent : ReadOutcome::Unreadable;
        result.reason = SystemReason(openError);
    }
    return file;
}

void SetReadFailure(ReadResult& result, int error) {
    result.outcome = ReadOutcome::Unreadable;
    result.reason = SystemReason(error);
    result.opened = true;
}

}  // namespace mctf
