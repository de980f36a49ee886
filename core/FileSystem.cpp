#include "core/FileSystem.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
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

bool FileSystem::MakeExecutable([[maybe_unused]] std::FILE* file) {
#ifdef _WIN32
    return true;
#else
    return fchmod(fileno(file), 0755) == 0;
#endif
}

bool FileSystem::Rename(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (MoveFileExW(WideName(from).c_str(), WideName(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = EACCES;
    return false;
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
