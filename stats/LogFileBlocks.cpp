#include "stats/LogFileBlocks.h"

#include <zlib.h>

#include <cstring>

namespace mctf {

namespace {

constexpr std::size_t kGzipInputSize = 64 * 1024;

}  // namespace

struct LogFileBlocks::Inflater {
    // Start: the first member's magic bytes are still to be seen; Between:
    // a member ended and another may follow.
    enum class Place { Start, InMember, Between, Ended };

    z_stream stream{};
    bool ready = false;
    Place place = Place::Start;
    std::unique_ptr<unsigned char[]> input{new unsigned char[kGzipInputSize]};
};

LogFileBlocks::LogFileBlocks(std::FILE* file, LogFormat format)
    : file_(file), buffer_(new char[kLogReadBlockSize]) {
    // The blocks are large already; a second layer of buffering only copies.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (format == LogFormat::Gzip) {
        inflater_ = std::make_unique<Inflater>();
        // 15 + 16: a gzip header and trailer around the deflate data.
        inflater_->ready = inflateInit2(&inflater_->stream, 15 + 16) == Z_OK;
    }
}

LogFileBlocks::~LogFileBlocks() {
    if (inflater_ && inflater_->ready) inflateEnd(&inflater_->stream);
}

std::string_view LogFileBlocks::Next() {
    if (inflater_) return NextInflated();
    std::size_t got = std::fread(buffer_.get(), 1, kLogReadBlockSize, file_);
    fileBytes_ += got;
    return std::string_view(buffer_.get(), got);
}

bool LogFileBlocks::TakeInput(std::size_t needed) {
    z_stream& stream = inflater_->stream;
    unsigned char* input = inflater_->input.get();
    if (stream.avail_in > 0 && stream.next_in != input)
        std::memmove(input, stream.next_in, stream.avail_in);
    stream.next_in = input;
    while (stream.avail_in < needed) {
        const std::size_t got =
            std::fread(input + stream.avail_in, 1, kGzipInputSize - stream.avail_in, file_);
        if (got == 0) break;
        stream.avail_in += static_cast<uInt>(got);
        fileBytes_ += got;
    }
    return stream.avail_in >= needed;
}

std::string_view LogFileBlocks::NextInflated() {
    using Place = Inflater::Place;
    Inflater& z = *inflater_;
    z_stream& stream = z.stream;
    if (!z.ready && z.place != Place::Ended) {
        fault_ = "insufficient memory";
        z.place = Place::Ended;
    }
    stream.next_out = reinterpret_cast<Bytef*>(buffer_.get());
    stream.avail_out = static_cast<uInt>(kLogReadBlockSize);
    // A read that fails ends the data too; ferror tells that apart.
    auto cut = [&](const char* why) {
        if (std::ferror(file_) == 0) fault_ = why;
        z.place = Place::Ended;
    };
    while (stream.avail_out > 0 && z.place != Place::Ended) {
        if (z.place != Place::InMember) {
            const bool magic =
                TakeInput(2) && stream.next_in[0] == 0x1f && stream.next_in[1] == 0x8b;
            if (z.place == Place::Start && !magic) {
                cut(stream.avail_in < 2 ? "unexpected end of file" : "not in gzip format");
                break;
            }
            if (!magic) {  // the end, or bytes after it that gzip ignores as well
                z.place = Place::Ended;
                break;
            }
            if (z.place == Place::Between) inflateReset(&stream);
            z.place = Place::InMember;
        }
        if (stream.avail_in == 0 && !TakeInput(1)) {
            cut("unexpected end of file");
            break;
        }
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            z.place = Place::Between;
        } else if (status != Z_OK) {  // Z_BUF_ERROR with input there: no way on
            cut(stream.msg != nullptr ? stream.msg : zError(status));
        }
    }
    return std::string_view(buffer_.get(), kLogReadBlockSize - stream.avail_out);
}

bool LogFileBlocks::Restart() {
    fileBytes_ = 0;
    fault_.clear();
    std::clearerr(file_);
    if (inflater_) {
        inflater_->stream.avail_in = 0;
        inflater_->place = Inflater::Place::Start;
        if (inflater_->ready) inflateReset(&inflater_->stream);
    }
    return std::fseek(file_, 0, SEEK_SET) == 0;
}

}  // namespace mctf
