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
    // Lets everyone read and run the file, only its owner write it (0755);
    // true without doing anything where files carry no such mode (Windows).
    virtual bool MakeExecutable(std::FILE* file);
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
