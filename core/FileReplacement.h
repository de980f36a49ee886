// FileReplacement: rewrites a file so that a failure never leaves it cut.
//
// The new contents go to "<path>.tmp" in the same folder; Commit flushes and
// syncs them to the disk, closes the file and renames it over <path>. When
// anything fails on the way (the temporary cannot be created, a write hits a
// full disk, the rename is refused) the temporary is removed and <path> keeps
// its previous contents. A replacement that is never committed is abandoned
// the same way when the object goes away.
#pragma once

#include <cstdio>
#include <string>

namespace mctf {

class FileReplacement {
public:
    // `mode` is the fopen mode of the temporary: "w" for text, "wb" for bytes.
    explicit FileReplacement(std::string path, const char* mode = "w");
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary; false when it cannot be created.
    bool Open();
    // The open temporary, for formatted writing; null before Open.
    std::FILE* file() const { return file_; }
    // Moves the written contents into place; false (nothing replaced) when a
    // write, the flush, the sync, the close or the rename failed.
    bool Commit();

private:
    void Abandon();

    std::string path_;
    std::string temporary_;
    const char* mode_;
    std::FILE* file_ = nullptr;
};

}  // namespace mctf
