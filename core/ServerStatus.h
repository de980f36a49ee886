// ServerStatus: what a running game server says about itself when asked
// with the engine's connectionless "getstatus" query, read from the bytes of
// its answer.
//
// The answer is one datagram: four 0xFF bytes, "statusResponse\n", the
// server's info string ("\key\value\key\value...") and a line end, then one
// line per player, `SCORE PING "NAME"`. It comes from the network, so
// anything may arrive: every answer that is not of that form (cut short,
// too large, a key without its value, a number that is none, a challenge
// that is not ours) is refused with the reason, and nothing in it is
// trusted beyond its own length.
//
// The address of a server as the operator writes it (HOST, HOST:PORT,
// [IPv6]:PORT) is read here too; asking the server is StatusQuery's job.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mctf {

// The engine's largest message: an answer above it is no engine's.
inline constexpr std::size_t kMaxStatusAnswer = 16384;
// The engine's player slots (MAX_CLIENTS).
inline constexpr std::size_t kMaxStatusPlayers = 64;

struct StatusPlayer {
    std::string name;  // colour codes and control characters removed
    int score = 0;
    int ping = 0;  // 999 while connecting
};

struct ServerStatus {
    std::string hostName;               // sv_hostname, cleaned as player names are
    std::string map;                    // mapname
    int gameType = 0;                   // g_gametype
    int maxClients = 0;                 // sv_maxclients
    std::vector<StatusPlayer> players;  // in the server's order
};

struct StatusParse {
    std::optional<ServerStatus> status;
    std::string problem;  // why the answer was refused, when status is empty
};

// The query the answer belongs to; `challenge` is sent along and echoed
// back, so an answer to somebody else's query is told apart.
std::string StatusQueryDatagram(std::string_view challenge);

// Reads one datagram. An answer that echoes a challenge must echo
// `challenge`; one without any is taken (older engines send none).
StatusParse ParseStatusAnswer(std::string_view datagram, std::string_view challenge);

// A name without the game's colour codes ('^' and the character after it)
// and without control characters.
std::string WithoutColourCodes(std::string_view text);

struct ServerAddress {
    std::string host;  // a name, an IPv4 or an IPv6 address (without brackets)
    uint16_t port = 0;
};

// HOST, HOST:PORT, [IPV6] or [IPV6]:PORT (an IPv6 address alone, without a
// port, needs no brackets); a missing port is `defaultPort`. Nullopt with
// `problem` set when the text is none of these or the port is not 1 to 65535.
std::optional<ServerAddress> ParseServerAddress(std::string_view text, uint16_t defaultPort,
                                                std::string& problem);

// HOST:PORT, an IPv6 address in brackets, as messages name the server.
std::string AddressText(const ServerAddress& address);

}  // namespace mctf
