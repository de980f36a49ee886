// StatusQuery: asks a running game server for its status with the engine's
// own connectionless query, over UDP, and reads the answer (ServerStatus).
//
// The host may be a name, an IPv4 or an IPv6 address; every address it
// resolves to is asked at once and the first good answer counts. The engine
// answers a burst of about ten queries and then one a second per address,
// so a query without an answer is sent once more after a second, and never
// again. Answers that are not good (another program on the port, a server
// that is cut short) are read past while the time lasts; when none was
// good, the last one's problem is the outcome.
#pragma once

#include <chrono>
#include <string>

#include "core/ServerStatus.h"

namespace mctf {

enum class StatusQueryResult {
    Answered,    // status holds the answer
    NoAnswer,    // nothing came within the time
    PortClosed,  // the host said that nothing listens on the port
    BadAnswer,   // answers came, none good: reason says why the last was refused
    NoAddress,   // the host name did not resolve: reason
    NoNetwork,   // no socket could be opened or used: reason
};

struct StatusQueryOutcome {
    StatusQueryResult result = StatusQueryResult::NoAnswer;
    ServerStatus status;
    std::string reason;
};

// The wait before the query is sent again.
inline constexpr std::chrono::milliseconds kStatusRetryAfter{1000};

// Asks `address`, waiting at most `timeout` in all (the name lookup aside).
StatusQueryOutcome QueryServerStatus(const ServerAddress& address,
                                     std::chrono::milliseconds timeout);

}  // namespace mctf
