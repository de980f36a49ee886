#include "report/PageWriter.h"

#include <cstdarg>
#include <vector>

namespace mctf {

PageWriter::~PageWriter() { Close(); }

bool PageWriter::Open(const std::string& path) {
    Close();
    // Text mode: the one line break of the report becomes the platform's line end.
    page_ = std::make_unique<FileReplacement>(path, "w", files_);
    page_->SkipSync();
    if (page_->Open()) return true;
    notCreated_ = path;
    notCreatedReason_ = page_->Reason();
    page_.reset();
    return false;
}

void PageWriter::Write(const char* format, ...) {
    if (!page_) return;
    std::va_list values;
    va_start(values, format);
    std::va_list again;
    va_copy(again, values);
    char small[1024];
    const int length = std::vsnprintf(small, sizeof small, format, values);
    va_end(values);
    if (length < 0) {
        writeFailed_ = true;
        page_.reset();  // abandoned: the old page stays
    } else if (static_cast<std::size_t>(length) < sizeof small) {
        page_->Write(std::string_view(small, static_cast<std::size_t>(length)));
    } else {
        std::vector<char> large(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        page_->Write(std::string_view(large.data(), static_cast<std::size_t>(length)));
    }
    va_end(again);
}

void PageWriter::Close() {
    if (!page_) return;
    // A write that failed on the way fails the commit, and the old page stays.
    if (!page_->Commit()) writeFailed_ = true;
    page_.reset();
}

}  // namespace mctf
