// Listing the maps inside a Quake 3 pak (a ZIP archive) or naming a .bsp file.
//
// The reader is deliberately small: it checks the local-header signature at
// the start, then searches the last 320000 bytes for central-directory
// headers and takes each entry's name; nothing is decompressed (a map check
// may search further back, see ScanReach). Its quirks (a search gives up
// after 8092 candidate bytes, upper-case BSP is no map) are kept because the
// Maps page has always listed exactly these names.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/FileSystem.h"

namespace mctf {

class ByteStream;
class Desktop;

inline constexpr long kScanWindow = 320000;          // bytes searched at the end
inline constexpr int kSearchStep = 8092;             // candidates per search
inline constexpr std::size_t kNameBufferSize = 128;  // paths and entry names
inline constexpr const char* kCannotOpenMessage = "ERROR Cannot open file";
inline constexpr const char* kInvalidPakMessage = "ERROR Invalid pk3 file";

enum class ScanStatus {
    MapFile,      // the path itself named a map; the file was not opened
    Scanned,      // an archive was read (possibly without maps)
    PathTooLong,  // the path does not fit the 127-character name buffer
    CannotOpen,   // the window says "ERROR Cannot open file"
    InvalidPak,   // the window says "ERROR Invalid pk3 file"
};

inline bool ScanSucceeded(ScanStatus status) {
    return status == ScanStatus::MapFile || status == ScanStatus::Scanned;
}

// How much of an archive larger than kScanWindow is searched.
enum class ScanReach {
    Window,  // its last kScanWindow bytes: what the Maps page lists
    // Also the whole central directory, from where the end record places it
    // (the whole file when the record is missing or places it nowhere): a
    // pak of tens of thousands of files holds maps the window never sees.
    CentralDirectory,
};

// Appends to names the map of a .bsp path, or the maps listed in the archive
// at path, in the order found, reading the archive through files. The
// desktop's "Reading Data" progress runs from 0 to 100 while an archive is
// searched; failures are returned, for the caller to say (ScanMessage).
ScanStatus ScanMapFile(const std::string& path, std::vector<std::string>& names, Desktop& desktop,
                       FileSystem& files = SystemFiles(), ScanReach reach = ScanReach::Window);

// The window's message for a failed scan; null for the others.
const char* ScanMessage(ScanStatus status);

// When name ends in lower-case "bsp", rewrites it to its last path component
// without the four-character extension and returns true. A component of four
// characters or fewer gives no map; name is then left as it was.
bool MapNameFromPath(std::string& name);
// The same for the name of a pak entry. ZIP separates folders with '/', so a
// backslash after the last '/' is part of the map's name ("maps/oa\dm1.bsp"
// is the map oa\dm1, which the server loads by that name); only a pak
// without any '/' in the name, as old Windows tools wrote them, separates
// with '\'.
bool MapNameFromEntry(std::string& name);

// Searches forward for the central-header signature 50 4B 01 02. Returns the
// number of candidate bytes examined (the stream then stands after the
// signature), kSearchStep when it gave up without a match, 0 at the end.
int FindCentralHeader(ByteStream& stream);

// Reads the first 30 bytes; true when they begin with 50 4B 03 04.
bool IsZipArchive(ByteStream& stream);

}  // namespace mctf
