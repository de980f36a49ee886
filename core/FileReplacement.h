// FileReplacement: rewrites a file so that a failure never leaves it cut.
//
// The new contents go to a temporary of its own in the same folder
// ("<file>.<8 random hex digits>.tmp", created exclusively, so that a link
// planted at a name it might take is never followed); Commit syncs them to
// the disk, closes the file and renames it over the file. A reader sees the
// old file or the new one, never a part. When anything fails on the way (a
// write hits a full disk, the sync, the close or the rename is refused) the
// temporary is removed and the file keeps its previous contents. A
// replacement that is never committed is abandoned the same way when the
// object goes away.
//
// Only a regular file is replaced: a device, a named pipe or a socket at the
// path is refused before anything is made (a folder too). The new file keeps
// the mode of the one it replaces and, run as root, its owner and group; a
// new file made as root belongs to the owner and group of its folder, so
// that the account that owns a game folder can read what root wrote there.
//
// A symbolic link is followed first: the link's target is what gets
// replaced (the temporary lies beside the target), so the link stays a link
// and the file it points to gets the new bytes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/FileSystem.h"

namespace mctf {

class FileReplacement {
public:
    // `mode` is the fopen mode of the temporary: "w" for text, "wb" for bytes.
    explicit FileReplacement(const std::string& path, const char* mode = "w",
                             FileSystem& files = SystemFiles());
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // A new file is made readable and writable by its owner alone (0600), as
    // a file holding passwords must be; call before Open. A file that is
    // replaced keeps its own mode.
    void OwnerOnly() { permissions_ = 0600; }
    // Creates the temporary; false when the file cannot be created at all:
    // its folder is missing or refuses new files, or a folder, device, pipe
    // or socket stands in its place (Reason says which).
    bool Open();
    // Makes the new file a program (0755, or the mode of the file it
    // replaces with the right to run it wherever it may be read); a failure
    // is kept for Commit.
    void MakeExecutable();
    // Writes to the temporary; a failure is kept for Commit.
    void Write(std::string_view bytes);
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Moves the written contents into place; false (nothing replaced) when a
    // write, the sync, the close or the rename failed.
    bool Commit();
    // Commit without the sync, for a file every run makes anew from others
    // (the JSON of a statistics run, like its pages): still replaced whole,
    // but a crash right after may lose the new contents. The sync of a few
    // megabytes cost more than making them.
    void SkipSync() { sync_ = false; }
    // Why Open or Commit failed: the system's words ("Permission denied"), or
    // kNotRegularFile for a device, pipe or socket at the path.
    const std::string& Reason() const { return reason_; }

private:
    bool Fail(int error);
    void Abandon();

    FileSystem& files_;
    std::string path_;  // links followed
    std::string temporary_;
    const char* mode_;
    int permissions_ = 0666;
    FileStatus replaced_;  // what was at path_ when it was opened
    std::FILE* file_ = nullptr;
    bool writeFailed_ = false;
    bool sync_ = true;
    std::string reason_;
};

// How WriteOutputFile ended.
struct OutputFileOutcome {
    bool written = false;
    // Written through (or refused) a device, pipe or socket: no file was
    // there to keep as it was.
    bool throughNode = false;
    std::string reason;  // when not written: the system's words or kNotRegularFile
};

// Writes `bytes` to `path` as its whole contents, as the output of a run: a
// regular file (or none) is replaced as above, without the sync; a character
// device or a named pipe (a terminal, /dev/null, /dev/stdout, a pipe to
// another program) is written through and stays what it is; anything else
// there is refused.
OutputFileOutcome WriteOutputFile(FileSystem& files, const std::string& path,
                                  std::string_view bytes);

}  // namespace mctf
