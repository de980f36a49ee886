#include "report/PageWriter.h"

#include <cstdarg>
#include <vector>

namespace mctf {

PageWriter::~PageWriter() { Close(); }

bool PageWriter::Open(const std::string& path) {
    Close();
    // Text mode: the one line break of the report becomes the platform's line end.
    file_ = files_.Open(path, "w");
    if (file_ == nullptr) notCreated_ = path;
    return file_ != nullptr;
}

void PageWriter::Write(const char* format, ...) {
    if (file_ == nullptr) return;
    std::va_list values;
    va_start(values, format);
    std::va_list again;
    va_copy(again, values);
    char small[1024];
    const int length = std::vsnprintf(small, sizeof small, format, values);
    va_end(values);
    if (length < 0) {
        writeFailed_ = true;
    } else if (static_cast<std::size_t>(length) < sizeof small) {
        if (!files_.Write(file_, small, static_cast<std::size_t>(length))) writeFailed_ = true;
    } else {
        std::vector<char> large(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        if (!files_.Write(file_, large.data(), static_cast<std::size_t>(length)))
            writeFailed_ = true;
    }
    va_end(again);
}

void PageWriter::Close() {
    if (file_ == nullptr) return;
    // Buffered data may only fail to reach the disk here.
    if (std::ferror(file_) != 0) writeFailed_ = true;
    if (!files_.Close(file_)) writeFailed_ = true;
    file_ = nullptr;
}

}  // namespace mctf
