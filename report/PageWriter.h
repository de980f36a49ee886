// PageWriter: the page a report run is writing (its "current page").
//
// Pages are written as printf-style fragments back to back, in text mode,
// each made whole under a temporary name and renamed over the old page when
// it is closed (FileReplacement, without the sync: every run makes them
// anew), so that a web server reading the folder meanwhile serves the old
// page or the new one, never a part. The writer remembers whether any write,
// flush, close or rename of any page it has held failed, so that a full disk
// is reported instead of a success. One writer lives for one report run and
// holds at most one open page.
#pragma once

#include <memory>
#include <string>

#include "core/FileReplacement.h"
#include "core/FileSystem.h"

namespace mctf {

class PageWriter {
public:
    explicit PageWriter(FileSystem& files = SystemFiles()) : files_(files) {}
    // Closes the current page, as Close does.
    ~PageWriter();
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    // Starts the new contents of `path` and makes it the current page,
    // closing any page still open. False when the page cannot be created: its
    // folder is missing or closed, or a folder, device or pipe stands in its
    // place.
    bool Open(const std::string& path);

    // One fragment: "%%" is one percent sign, the values follow the format.
    // Ignored when no page is open.
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Ends the current page: it replaces the old one.
    void Close();

    // True once a write, close or rename of any page of this run has failed.
    bool WriteFailed() const { return writeFailed_; }
    // The last page Open could not create, and why (the system's words or
    // kNotRegularFile); empty when every one was created.
    const std::string& NotCreated() const { return notCreated_; }
    const std::string& NotCreatedReason() const { return notCreatedReason_; }

private:
    FileSystem& files_;
    std::unique_ptr<FileReplacement> page_;
    bool writeFailed_ = false;
    std::string notCreated_;
    std::string notCreatedReason_;
};

}  // namespace mctf
