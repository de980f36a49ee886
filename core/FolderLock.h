// FolderLock: one statistics run at a time writes into a pages folder.
//
// Two runs writing the same pages (cron runs that overlap, a timer and the
// window) would leave some pages of one and some of the other; the second
// run waits until the first has finished. The lock leaves no file behind:
// on POSIX it is an flock on the folder itself, which the system lets go when
// its holder ends, crashed or not; on Windows a named mutex made from the
// folder's full path. A folder that cannot be opened or locked (missing, or
// on a file system without locks) is written without it: the pages that
// cannot be created there then say why.
#pragma once

#include <functional>
#include <string>

namespace mctf {

class FolderLock {
public:
    // Takes the lock on `folder`, waiting as long as another holds it;
    // `waiting`, when given, is called once before such a wait, never when
    // the folder is free.
    FolderLock(const std::string& folder, const std::function<void()>& waiting);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int folder_ = -1;
#endif
};

}  // namespace mctf
