// A game server's answer to the status query, as any bytes from the
// network: the parser either refuses it with a reason or gives a status
// that holds to its limits (at most 64 players, names without colour codes
// or control characters) and reads back the same from the answer an engine
// would send for it. The same bytes as a server address the operator
// wrote: refused with a reason, or a host and port that AddressText writes
// back to the same.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/ServerStatus.h"

namespace {

using namespace mctf;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_server_status: %s\n", what.c_str());
    __builtin_trap();
}

void CheckClean(std::string_view text) {
    for (char c : text)
        if (c == '^' || static_cast<unsigned char>(c) < 32 || c == 127)
            Fail("a colour code or control character left in [" + std::string(text) + "]");
}

// The answer an engine sends for `status` (its texts hold no backslash or
// line end).
std::string Answer(const ServerStatus& status) {
    std::string answer = "\xff\xff\xff\xffstatusResponse\n\\sv_hostname\\" + status.hostName +
                         "\\mapname\\" + status.map + "\\g_gametype\\" +
                         std::to_string(status.gameType) + "\\sv_maxclients\\" +
                         std::to_string(status.maxClients) + "\n";
    for (const StatusPlayer& player : status.players)
        answer += std::to_string(player.score) + " " + std::to_string(player.ping) + " \"" +
                  player.name + "\"\n";
    return answer;
}

bool Same(const ServerStatus& a, const ServerStatus& b) {
    if (a.hostName != b.hostName || a.map != b.map || a.gameType != b.gameType ||
        a.maxClients != b.maxClients || a.players.size() != b.players.size())
        return false;
    for (std::size_t k = 0; k < a.players.size(); ++k) {
        const StatusPlayer &p = a.players[k], &q = b.players[k];
        if (p.name != q.name || p.score != q.score || p.ping != q.ping) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const StatusParse parse = ParseStatusAnswer(input, "4711");
    if (parse.status.has_value() == !parse.problem.empty()) Fail("a status and a problem, or none");
    if (parse.status) {
        const ServerStatus& status = *parse.status;
        if (input.size() > kMaxStatusAnswer) Fail("an answer above the engine's size taken");
        if (status.players.size() > kMaxStatusPlayers) Fail("more players than slots");
        CheckClean(status.hostName);
        CheckClean(status.map);
        for (const StatusPlayer& player : status.players) CheckClean(player.name);
        const StatusParse again = ParseStatusAnswer(Answer(status), "4711");
        if (!again.status) Fail("its own answer refused: " + again.problem);
        if (!Same(status, *again.status)) Fail("its own answer read otherwise");
    }

    std::string problem;
    const auto address = ParseServerAddress(input, 27960, problem);
    if (address.has_value() == !problem.empty()) Fail("an address and a problem, or none");
    if (address && address->host.find_first_of("[]") == std::string::npos) {
        std::string again;
        const auto back = ParseServerAddress(AddressText(*address), 1, again);
        if (!back || back->host != address->host || back->port != address->port)
            Fail("[" + AddressText(*address) + "] reads back otherwise: " + again);
    }
    return 0;
}
