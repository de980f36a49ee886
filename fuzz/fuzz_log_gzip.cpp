// A rotated log as logrotate leaves it compressed (NAME.log.1.gz) through the
// statistics' reader. The first byte picks the form: the rest of the input
// as the .gz itself, or that rest as a log gzip-compressed in two members,
// whole (it must count exactly as the plain log does) or with one byte
// changed or the data cut (read whole, or skipped with a reason and nothing
// of it counted; never a crash).
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/Paths.h"
#include "fuzz/FuzzSupport.h"
#include "stats/LogReader.h"

namespace {

class NoProgress : public mctf::ReadProgress {
public:
    void MatchStarted(const mctf::ReadStatus&) override {}
    void BlockRead(const mctf::ReadStatus&) override {}
};

std::string Gzip(std::string_view bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) abort();
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) abort();
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// What the lines counted, field by field (padding bytes may differ).
bool SameCounts(const mctf::StatsTables& a, const mctf::StatsTables& b) {
    if (a.matchesCounted != b.matchesCounted || a.playerCount != b.playerCount ||
        a.clanCount != b.clanCount)
        return false;
    for (int i = 0; i < a.playerCount; ++i) {
        const mctf::PlayerStats &p = a.players[i], &q = b.players[i];
        if (std::memcmp(p.name, q.name, sizeof p.name) != 0 || p.frags != q.frags ||
            p.secondsPlayed != q.secondsPlayed ||
            std::memcmp(p.weaponKills, q.weaponKills, sizeof p.weaponKills) != 0)
            return false;
    }
    for (int i = 0; i < a.clanCount; ++i) {
        const mctf::ClanStats &c = a.clans[i], &d = b.clans[i];
        if (std::memcmp(c.tag, d.tag, sizeof c.tag) != 0 || c.memberCount != d.memberCount ||
            std::memcmp(c.members, d.members, sizeof c.members) != 0)
            return false;
    }
    return true;
}

mctf::ReadResult Read(mctf::StatsTables& tables, const std::string& path, std::string_view bytes) {
    mctf::fuzz::WriteFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    NoProgress progress;
    mctf::ResetLogTables(tables);
    return mctf::ReadLogFiles(tables, {path}, progress)[0].read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto plain = std::make_unique<mctf::StatsTables>();
    static auto inflated = std::make_unique<mctf::StatsTables>();
    static auto empty = [] {
        auto tables = std::make_unique<mctf::StatsTables>();
        mctf::ResetLogTables(*tables);
        return tables;
    }();
    mctf::fuzz::FuzzReader input(data, size);
    const uint8_t form = input.Byte() % 3;
    const uint16_t split = input.Raw<uint16_t>();
    const uint32_t at = input.Raw<uint32_t>();
    const uint8_t change = input.Byte();
    std::string text(input.Left(), '\0');
    input.Bytes(text.data(), text.size());
    const std::string& folder = mctf::fuzz::ScratchFolder();

    std::string gz = text;
    if (form != 0) {
        const size_t first = split % (text.size() + 1);
        gz = Gzip(std::string_view(text).substr(0, first)) +
             Gzip(std::string_view(text).substr(first));
    }
    if (form == 2 && change == 0) gz.resize(at % gz.size());
    if (form == 2 && change != 0)
        gz[at % gz.size()] = static_cast<char>(gz[at % gz.size()] ^ change);

    const mctf::ReadResult read = Read(*inflated, mctf::JoinPath(folder, "games.log.1.gz"), gz);
    if (read.outcome == mctf::ReadOutcome::Absent) abort();
    if (read.Unreadable()) {
        // A broken archive is skipped whole, with gzip's words for why.
        if (read.opened || read.reason.empty()) abort();
        if (std::memcmp(inflated.get(), empty.get(), sizeof(mctf::StatsTables)) != 0) abort();
    }
    if (form == 1) {
        if (read.Unreadable()) abort();
        Read(*plain, mctf::JoinPath(folder, "games.log"), text);
        if (!SameCounts(*inflated, *plain)) abort();
    }
    return 0;
}
