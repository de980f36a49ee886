#include "report/PageWriter.h"

#include <cstdarg>

namespace mctf {

PageWriter::~PageWriter() { Close(); }

bool PageWriter::Open(const std::string& path) {
    Close();
    // Text mode: the one line break of the report becomes the platform's line end.
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void PageWriter::Write(const char* format, ...) {
    if (file_ == nullptr) return;
    std::va_list values;
    va_start(values, format);
    if (std::vfprintf(file_, format, values) < 0) writeFailed_ = true;
    va_end(values);
}

void PageWriter::Close() {
    if (file_ == nullptr) return;
    // Buffered data may only fail to reach the disk here.
    if (std::ferror(file_) != 0) writeFailed_ = true;
    if (std::fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
}

}  // namespace mctf
