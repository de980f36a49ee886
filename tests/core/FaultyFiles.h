// FaultyFiles: the real file system with chosen calls failing, as a failing
// disk, a full disk or a file readable only by another user would make them
// fail. Works the same on every platform and for root (who passes every
// permission check).
//
// Two kinds of faults, each limited to the files whose path contains `name`
// (empty: every file):
// - FailCall: the nth open, read, write, sync, close or rename fails with
//   the given errno (a failing close still closes the file);
// - LimitWrites / LimitReads: each file takes (or yields) that many bytes,
//   after which a write fails with ENOSPC (a full device) or a read fails
//   with EIO (a disk that stops answering). A file shorter than the read
//   limit reads to its end as usual.
// Pretend: Status sees a device, pipe or socket there; PlantLink: a racer's link at a new name;
// FakeStatus: Status sees the given owner, group and mode at exactly that path.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <utility>

#include "core/FileSystem.h"

namespace mctf::testing {

class FaultyFiles : public FileSystem {
public:
    enum class Call { Open, Read, Write, Sync, Close, Rename };
    static constexpr Call kCalls[] = {Call::Open, Call::Read,  Call::Write,
                                      Call::Sync, Call::Close, Call::Rename};
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    static const char* Name(Call call) {
        const char* names[] = {"open", "read", "write", "sync", "close", "rename"};
        return names[static_cast<int>(call)];
    }

    void FailCall(Call call, int nth, int error = EIO, std::string name = {}) {
        failCall_ = call;
        failNth_ = nth;
        error_ = error;
        name_ = std::move(name);
    }
    void LimitWrites(std::size_t bytes, std::string name = {}) {
        writeLimit_ = bytes;
        name_ = std::move(name);
    }
    void LimitReads(std::size_t bytes, std::string name = {}) {
        readLimit_ = bytes;
        name_ = std::move(name);
    }
    void Pretend(FileKind kind, std::string name) {
        pretend_ = kind;
        name_ = std::move(name);
    }
    void PlantLink(std::filesystem::path target) { plant_ = std::move(target); }
    void FakeStatus(const std::string& path, FileStatus status) { fakes_[path] = status; }
    // Whether a fault was reached.
    bool failed() const { return failed_; }
    // The bytes handed to the last file whose path contains `name` (before
    // any CR LF conversion), or the most any one file took for "".
    std::size_t BytesWritten(const std::string& name = {}) const {
        std::size_t most = 0;
        for (const auto& [path, bytes] : written_) {
            if (name.empty())
                most = std::max(most, bytes);
            else if (path.find(name) != std::string::npos)
                most = bytes;
        }
        return most;
    }

    std::FILE* Open(const std::string& path, const char* mode) override {
        if (Fails(Call::Open, path)) return nullptr;
        std::FILE* file = FileSystem::Open(path, mode);
        if (file != nullptr) open_[file] = {path, 0, mode[0] != 'r'};
        return file;
    }
    std::FILE* Create(const std::string& path, const char* mode, int permissions) override {
        if (!plant_.empty()) std::filesystem::create_symlink(std::exchange(plant_, {}), path);
        if (Fails(Call::Open, path)) return nullptr;
        std::FILE* file = FileSystem::Create(path, mode, permissions);
        if (file != nullptr) open_[file] = {path, 0, true};
        return file;
    }
    FileStatus Status(const std::string& path) override {
        if (const auto fake = fakes_.find(path); fake != fakes_.end()) return fake->second;
        FileStatus status = FileSystem::Status(path);
        if (pretend_ != FileKind::Missing && Matches(path)) status.kind = pretend_;
        return status;
    }

    bool Read(std::FILE* file, void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        OpenFile& state = open_[file];
        if (Fails(Call::Read, state.path)) return false;
        if (readLimit_ == kNoLimit || !Matches(state.path))
            return FileSystem::Read(file, buffer, size, got);
        const std::size_t allowed = readLimit_ - std::min(readLimit_, state.bytes);
        const bool ok = FileSystem::Read(file, buffer, std::min(size, allowed), got);
        state.bytes += got;
        if (!ok || size <= allowed || got < allowed) return ok;
        // The caller wants bytes past the limit: fail if there are any.
        unsigned char probe;
        std::size_t more = 0;
        FileSystem::Read(file, &probe, 1, more);
        if (more == 0) return true;
        return Fail(EIO);
    }

    bool Write(std::FILE* file, const void* data, std::size_t size) override {
        OpenFile& state = open_[file];
        if (Fails(Call::Write, state.path)) return false;
        if (writeLimit_ == kNoLimit || !Matches(state.path)) {
            const bool ok = FileSystem::Write(file, data, size);
            if (ok) state.bytes += size;
            return ok;
        }
        const std::size_t allowed = writeLimit_ - std::min(writeLimit_, state.bytes);
        const std::size_t part = std::min(size, allowed);
        const bool ok = FileSystem::Write(file, data, part);
        state.bytes += part;
        if (!ok || part == size) return ok;
        return Fail(ENOSPC);
    }

    // Flushes but spares the disk: the sweeps sync thousands of files, and
    // tests do not survive power cuts.
    bool Sync(std::FILE* file) override {
        if (Fails(Call::Sync, open_[file].path)) return false;
        return std::fflush(file) == 0 && std::ferror(file) == 0;
    }

    bool Close(std::FILE* file) override {
        const OpenFile state = open_[file];
        const std::string& path = state.path;
        if (state.writing) written_[path] = state.bytes;
        open_.erase(file);
        const bool ok = FileSystem::Close(file);
        if (Fails(Call::Close, path)) return false;
        return ok;
    }

    bool Rename(const std::string& from, const std::string& to) override {
        if (Fails(Call::Rename, to)) return false;
        return FileSystem::Rename(from, to);
    }

private:
    struct OpenFile {
        std::string path;
        std::size_t bytes = 0;  // read or written so far
        bool writing = false;
    };

    bool Matches(const std::string& path) const {
        return name_.empty() || path.find(name_) != std::string::npos;
    }
    bool Fail(int error) {
        failed_ = true;
        errno = error;
        return false;
    }
    // Counts the call; true (errno set) when it is the one to fail.
    bool Fails(Call call, const std::string& path) {
        if (call != failCall_ || failNth_ <= 0 || !Matches(path)) return false;
        if (++count_ != failNth_) return false;
        return !Fail(error_);
    }

    Call failCall_ = Call::Open;
    int failNth_ = 0;
    int count_ = 0;
    int error_ = EIO;
    std::string name_;
    std::size_t writeLimit_ = kNoLimit;
    std::size_t readLimit_ = kNoLimit;
    bool failed_ = false;
    FileKind pretend_ = FileKind::Missing;
    std::filesystem::path plant_;
    std::map<std::string, FileStatus> fakes_;
    std::map<std::FILE*, OpenFile> open_;
    std::map<std::string, std::size_t> written_;
};

}  // namespace mctf::testing
