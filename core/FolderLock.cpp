#include "core/FolderLock.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include "core/FileSystem.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace mctf {

#ifdef _WIN32

namespace {

// "mctfutil-pages-" and a hash of the folder's full path in lower case (as
// Windows compares names): a kernel object's name takes no backslash.
std::wstring MutexName(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path given = PathFromUtf8(folder.empty() ? "." : folder);
    std::filesystem::path full = std::filesystem::weakly_canonical(given, error);
    if (error) full = std::filesystem::absolute(given, error);
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : full.wstring()) {
        hash ^= static_cast<std::uint64_t>(std::towlower(static_cast<std::wint_t>(c)));
        hash *= 1099511628211ull;
    }
    std::wstring name = L"mctfutil-pages-";
    for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& waiting) {
    const std::wstring name = MutexName(folder);
    // Global: a service and a signed-in user share it; Local when not allowed.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Global\\" + name).c_str());
    if (mutex == nullptr) mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    if (mutex == nullptr) return;
    DWORD got = WaitForSingleObject(mutex, 0);
    if (got == WAIT_TIMEOUT) {
        if (waiting) waiting();
        got = WaitForSingleObject(mutex, INFINITE);
    }
    // Abandoned: its holder ended without letting go; the lock is ours now.
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
        mutex_ = mutex;
    } else {
        CloseHandle(mutex);
    }
}

FolderLock::~FolderLock() {
    if (mutex_ == nullptr) return;
    ReleaseMutex(static_cast<HANDLE>(mutex_));
    CloseHandle(static_cast<HANDLE>(mutex_));
}

#else

FolderLock::FolderLock(const std::string& folder, const std::function<void()>& waiting) {
    // Only a folder is opened: anything else in its place fails at once.
    folder_ = open(folder.empty() ? "." : folder.c_str(),
                   O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (folder_ < 0) return;
    if (flock(folder_, LOCK_EX | LOCK_NB) == 0) return;
    if (errno == EWOULDBLOCK) {
        if (waiting) waiting();
        int result;
        do {
            result = flock(folder_, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        if (result == 0) return;
    }
    close(folder_);
    folder_ = -1;
}

// Closing the folder lets go of the lock.
FolderLock::~FolderLock() {
    if (folder_ >= 0) close(folder_);
}

#endif

}  // namespace mctf
