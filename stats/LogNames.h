// LogNames: which file names of a log folder the statistics read, and in what
// order.
//
// A server log is NAME.log (".log" in any case). logrotate keeps its history
// beside it as NAME.log.N (1 the newest) or, with dateext, NAME.log-DATE
// (-YYYYMMDD, maybe with -HH or seconds: digits and dashes), either of them
// also gzip-compressed as .gz. A history must count once and in the order it
// was played, so every rotated copy is read right before its live log, oldest
// first: the numbered copies from the highest number down, then the dated
// ones from the earliest date (a history that changed from numbers to dates
// took the numbers first, as Debian's logrotate numbers by default). Copies
// whose live log is gone (renamed, or not written since) stand where it
// would. The plain logs keep the byte order of their names.
//
// A rotated copy there twice, plain and as .gz (a compression that was cut
// short, or gzip -k), is read once, from the plain file: the .gz may be the
// half-written one. The names of a log and its copies are compared as the
// file system compares them (kFileNamesIgnoreCase).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/FolderFiles.h"

namespace mctf {

// Whether `name` is a log or a rotated copy of one.
bool IsLogFileName(std::string_view name);

// Whether the file at `path` is read through gzip: its name ends in ".gz" in
// any case.
bool IsGzipFileName(std::string_view path);

// The log names among `names` (bare file names) in reading order, a .gz
// left out where its plain twin is there. `ignoreCase`: whether names that
// differ only in ASCII case are one file.
std::vector<std::string> OrderLogNames(std::vector<std::string> names,
                                       bool ignoreCase = kFileNamesIgnoreCase);

}  // namespace mctf
