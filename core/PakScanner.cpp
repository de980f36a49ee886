#include "core/PakScanner.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/ByteStream.h"
#include "core/Desktop.h"

namespace mctf {

namespace {

constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderRest = 42;  // after the signature
constexpr std::size_t kNameLengthOffset = 24;   // within those 42 bytes

constexpr long kEndRecordSize = 22;
constexpr long kEndRecordReach = kEndRecordSize + 0xFFFF;  // the record and the longest comment
constexpr std::size_t kDirectoryOffsetAt = 16;             // within the end record

// Where the end-of-central-directory record, the last one in the file, says
// the central directory starts; 0 (the whole file) without a record or with
// an offset outside the file, as a ZIP64 archive has there.
long CentralDirectoryStart(ByteStream& stream, long length) {
    const long reach = std::min(length, kEndRecordReach);
    std::vector<unsigned char> tail(static_cast<std::size_t>(reach));
    if (!stream.SeekFromEnd(reach) || stream.Read(tail.data(), tail.size()) < tail.size()) return 0;
    static const unsigned char kSignature[4] = {0x50, 0x4B, 0x05, 0x06};
    for (long at = reach - kEndRecordSize; at >= 0; --at) {
        const unsigned char* record = tail.data() + at;
        if (std::memcmp(record, kSignature, sizeof kSignature) != 0) continue;
        const unsigned char* offset = record + kDirectoryOffsetAt;
        const unsigned long start = offset[0] | offset[1] << 8 | offset[2] << 16 |
                                    static_cast<unsigned long>(offset[3]) << 24;
        return start < static_cast<unsigned long>(length) ? static_cast<long>(start) : 0;
    }
    return 0;
}

// Walks the central headers after the stream's position, appending names;
// the progress counts the candidates of `span` bytes.
void SearchCentralDirectory(ByteStream& stream, std::vector<std::string>& names, Desktop& desktop,
                            long span) {
    long long total = 0;
    for (;;) {
        int examined = FindCentralHeader(stream);
        if (examined == 0) break;
        total += examined;
        desktop.SetProgress(static_cast<int>(total * 100 / span));
        // Even a signature ending on the last candidate counts as no match.
        if (examined == kSearchStep) continue;

        unsigned char header[kCentralHeaderRest];
        if (stream.Read(header, sizeof header) < sizeof header) break;
        std::size_t length = header[kNameLengthOffset] | (header[kNameLengthOffset + 1] << 8);
        std::string name(length, '\0');
        if (stream.Read(reinterpret_cast<unsigned char*>(name.data()), length) < length) break;
        // Too long for the name buffer: skipped, not cut to a wrong name.
        if (length >= kNameBufferSize) continue;
        name.resize(std::strlen(name.c_str()));
        if (MapNameFromEntry(name)) names.push_back(name);
    }
}

}  // namespace

namespace {

bool MapNameAfter(std::string& name, const char* separators) {
    if (name.size() < 3 || name.compare(name.size() - 3, 3, "bsp") != 0) return false;
    std::size_t slash = name.find_last_of(separators);
    std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::size_t componentLength = name.size() - start;
    // Removing four characters would cut into the path or leave no name.
    if (componentLength <= 4) return false;
    name = name.substr(start, componentLength - 4);
    return true;
}

}  // namespace

bool MapNameFromPath(std::string& name) { return MapNameAfter(name, "\\/"); }

bool MapNameFromEntry(std::string& name) {
    return MapNameAfter(name, name.find('/') != std::string::npos ? "/" : "\\");
}

int FindCentralHeader(ByteStream& stream) {
    int c = stream.Get();
    if (c == ByteStream::kEnd) return 0;
    for (int counter = 1;; ++counter) {
        if (counter > kSearchStep) return kSearchStep;
        // A broken partial match drops its bytes: they are not retried as 'P'.
        if (c == 0x50) {
            if ((c = stream.Get()) == ByteStream::kEnd) return 0;
            if (c == 0x4B) {
                if ((c = stream.Get()) == ByteStream::kEnd) return 0;
                if (c == 0x01) {
                    if ((c = stream.Get()) == ByteStream::kEnd) return 0;
                    if (c == 0x02) return counter;
                }
            }
        }
        if ((c = stream.Get()) == ByteStream::kEnd) return 0;
    }
}

const char* ScanMessage(ScanStatus status) {
    switch (status) {
    case ScanStatus::CannotOpen:
        return kCannotOpenMessage;
    case ScanStatus::InvalidPak:
        return kInvalidPakMessage;
    default:
        return nullptr;
    }
}

bool IsZipArchive(ByteStream& stream) {
    unsigned char header[kLocalHeaderSize];
    std::size_t count = stream.Read(header, sizeof header);
    static const unsigned char kSignature[4] = {0x50, 0x4B, 0x03, 0x04};
    return count >= sizeof kSignature && std::memcmp(header, kSignature, sizeof kSignature) == 0;
}

ScanStatus ScanMapFile(const std::string& path, std::vector<std::string>& names, Desktop& desktop,
                       FileSystem& files, ScanReach reach) {
    if (path.size() >= kNameBufferSize) return ScanStatus::PathTooLong;
    std::string name = path;
    if (MapNameFromPath(name)) {
        names.push_back(name);
        return ScanStatus::MapFile;
    }

    // Only a regular file (or a link to one) opens: a folder has no bytes, and
    // a named pipe would wait for a writer that never comes.
    ByteStream stream(files);
    const long length = stream.Open(path) ? stream.Length() : -1;
    if (length < 0) return ScanStatus::CannotOpen;
    if (!IsZipArchive(stream)) return ScanStatus::InvalidPak;
    desktop.OpenProgress();
    long span = kScanWindow;
    if (length > kScanWindow) {
        if (reach == ScanReach::CentralDirectory)
            span = std::max(span, length - CentralDirectoryStart(stream, length));
        stream.SeekFromEnd(span);
    }
    SearchCentralDirectory(stream, names, desktop, span);
    stream.Close();
    desktop.CloseProgress();
    return ScanStatus::Scanned;
}

}  // namespace mctf
