// What the tests need of the operating system beyond plain files, in one
// place so the test sources stay free of POSIX-only calls.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace mctf::testing {

// Named pipes in the file system exist on POSIX systems only.
#ifdef _WIN32
inline constexpr bool kHasNamedPipes = false;
#else
inline constexpr bool kHasNamedPipes = true;
#endif

// mingw-w64's std::filesystem cannot make symbolic links ("Function not
// implemented"), on Windows and under Wine alike.
#ifdef _WIN32
inline constexpr bool kHasSymbolicLinks = false;
#else
inline constexpr bool kHasSymbolicLinks = true;
#endif

// A device that takes no byte (a full disk): /dev/full, Linux only.
#ifdef _WIN32
inline constexpr bool kHasFullDevice = false;
#else
inline constexpr bool kHasFullDevice = true;
#endif

// mkfifo with mode 0644; false when it fails or on Windows.
bool MakeNamedPipe(const std::filesystem::path& path);

// The read end of a pipe that holds `bytes` and has no writer left: a stream
// that cannot seek. Null when the pipe cannot be made.
std::FILE* PipeHolding(std::string_view bytes);

// fmemopen exists on POSIX systems only.
#ifdef _WIN32
inline constexpr bool kHasMemoryStreams = false;
#else
inline constexpr bool kHasMemoryStreams = true;
#endif

// A stream reading `bytes` in memory (fmemopen); null on Windows.
std::FILE* MemoryStream(std::string& bytes);

// Makes the C library's local time UTC for the rest of the process.
void UseUtcClock();

}  // namespace mctf::testing
