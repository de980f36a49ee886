// PageWriter: the page a report run is writing (its "current page").
//
// Pages are written as printf-style fragments back to back, in text mode.
// The writer remembers whether any write, flush or close of any page it has
// held failed, so that a full disk is reported instead of a success. One
// writer lives for one report run and holds at most one open file.
#pragma once

#include <cstdio>
#include <string>

#include "core/FileSystem.h"

namespace mctf {

class PageWriter {
public:
    explicit PageWriter(FileSystem& files = SystemFiles()) : files_(files) {}
    ~PageWriter();
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    // Creates or empties `path` and makes it the current page, closing any
    // page still open. False when the file cannot be created.
    bool Open(const std::string& path);

    // One fragment: "%%" is one percent sign, the values follow the format.
    // Ignored when no page is open.
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Ends the current page.
    void Close();

    // True once a write or close of any page of this run has failed.
    bool WriteFailed() const { return writeFailed_; }
    // The last page Open could not create; empty when every one was.
    const std::string& NotCreated() const { return notCreated_; }

private:
    FileSystem& files_;
    std::FILE* file_ = nullptr;
    bool writeFailed_ = false;
    std::string notCreated_;
};

}  // namespace mctf
