// FileReplacement: rewrites a file so that a failure never leaves it cut.
//
// The new contents go to "<file>.tmp" in the same folder; Commit syncs them
// to the disk, closes the file and renames it over the file. When anything
// fails on the way (a write hits a full disk, the sync, the close or the
// rename is refused) the temporary is removed and the file keeps its
// previous contents. A replacement that is never committed is abandoned the
// same way when the object goes away.
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

    // Creates the temporary; false when the file cannot be created at all:
    // its folder is missing or refuses new files, or a folder stands in its
    // place.
    bool Open();
    // Makes the new file a program anyone may run (0755), as a script must
    // be; a failure is kept for Commit.
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

private:
    void Abandon();

    FileSystem& files_;
    std::string path_;  // links followed
    std::string temporary_;
    const char* mode_;
    std::FILE* file_ = nullptr;
    bool writeFailed_ = false;
    bool sync_ = true;
};

}  // namespace mctf
