// FileSystem: every open, read, seek, write, sync, close and rename of the
// program.
//
// Names are UTF-8 throughout. On Windows a file is opened by its wide name,
// since the narrow calls take the ANSI code page and would not find a log
// called "sérver.log"; a name that is not valid UTF-8 (a path stored by an
// older Windows program) is taken in the ANSI code page there.
//
// The real file system is SystemFiles(). Code that touches files takes a
// FileSystem so that tests can make one chosen call fail, as a failing disk,
// a full disk or a file readable only by another user would.
//
// Writing never replaces a device, a named pipe or a socket with a file:
// Status tells what stands at a path (and whether the name is a link) before
// anything is opened, and Create makes a new file exclusively, so that a link
// planted at its name is never followed.
//
// Reading distinguishes a file that is absent (no such file, or not a regular
// file: a folder has no bytes, a named pipe would block) from one that is
// there but cannot be read (permission, I/O error, a read that fails
// part-way). Only an absent file may be treated as "not there yet".
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace mctf {

enum class ReadOutcome { Read, Absent, Unreadable };

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::Read;
    std::string path;     // the file concerned
    std::string reason;   // why, when not Read: the system's words, or "not a regular file"
    bool opened = false;  // Unreadable: the open worked, a read failed

    bool Unreadable() const { return outcome == ReadOutcome::Unreadable; }
};

// What stands at a path, its links followed.
enum class FileKind { Missing, Regular, Folder, CharDevice, BlockDevice, Pipe, Socket, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    bool link = false;  // the name itself is a symbolic link
    int error = 0;      // errno when nothing could be found there (ENOENT: nothing is)
    int mode = -1;      // the permission bits; -1 where files carry none (Windows)
    long long owner = -1, group = -1;  // user and group ids; -1 on Windows
};

// The words for a path that holds something other than a regular file.
inline constexpr const char* kNotRegularFile = "not a regular file";

// Who may use a file and whose it is; -1 leaves a value as the file was
// created.
struct FileAccess {
    int mode = -1;
    long long owner = -1, group = -1;
};

// The system's words for an errno value ("Permission denied").
std::string SystemReason(int error);

// A path object for a UTF-8 name, and back.
std::filesystem::path PathFromUtf8(std::string_view name);
std::string Utf8FromPath(const std::filesystem::path& path);

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // fopen of a UTF-8 name; null with errno set when it fails.
    virtual std::FILE* Open(const std::string& path, const char* mode);
    // Reads up to `size` bytes, `got` of them; false (errno set) when the
    // read failed rather than reached the end of the file.
    virtual bool Read(std::FILE* file, void* buffer, std::size_t size, std::size_t& got);
    // fseek; false (errno set) when the position cannot be set.
    virtual bool Seek(std::FILE* file, long offset, int origin);
    // ftell: the position in bytes, or -1 (errno set).
    virtual long Tell(std::FILE* file);
    // Writes all `size` bytes; false (errno set) when they did not all go.
    virtual bool Write(std::FILE* file, const void* data, std::size_t size);
    // Flushes the stream and pushes its data to the disk.
    virtual bool Sync(std::FILE* file);
    virtual bool Close(std::FILE* file);
    // What stands at `path` (stat, links followed; lstat for `link`).
    virtual FileStatus Status(const std::string& path);
    // Creates `path` for writing (fopen mode "w" or "wb") with `permissions`
    // less the umask; fails with EEXIST when anything is there, a symbolic
    // link included (O_CREAT|O_EXCL never follows one).
    virtual std::FILE* Create(const std::string& path, const char* mode, int permissions);
    // Opens the character device or named pipe at `path` for writing: never
    // creates, truncates or waits for a reader (a pipe without one fails with
    // ENXIO), and fails when something else is there by then.
    virtual std::FILE* OpenDevice(const std::string& path, const char* mode);
    // Sets the mode bits and, run as root, the owner and group of an open
    // file; true without doing anything where files carry none (Windows).
    virtual bool SetAccess(std::FILE* file, const FileAccess& access);
    // Moves `from` over `to`, replacing it.
    virtual bool Rename(const std::string& from, const std::string& to);
    // Best effort: a file left behind is no failure of the caller's.
    virtual void Remove(const std::string& path);
};

// The real file system; it holds no state.
FileSystem& SystemFiles();

// Opens a file the program only reads, as raw bytes. Null with result set to
// Absent or Unreadable (path and reason filled in) when it cannot be opened.
std::FILE* OpenForReading(FileSystem& files, const std::string& path, ReadResult& result);

// Marks `result` Unreadable after a failed read of an open file.
void SetReadFailure(ReadResult& result, int error);

}  // namespace mctf
