// mctfcli status: asks the running server for its status (StatusQuery) and
// prints its name, map, game type and players, or the same as one JSON
// object; --quiet leaves only the exit status, for a watchdog.
#include <algorithm>
#include <chrono>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/CommandArgs.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "core/ServerSettings.h"
#include "core/StatusQuery.h"
#include "core/Utf8.h"

namespace mctf {

namespace {

constexpr std::string_view kCommand = "status";
constexpr std::string_view kDefaultHost = "127.0.0.1";
constexpr std::string_view kDefaultTimeout = "2";

// --timeout as milliseconds: whole seconds, or with up to three decimals,
// from 0.1 to 60.
std::optional<std::chrono::milliseconds> TimeoutOf(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string fraction(point == text.npos ? "" : text.substr(point + 1));
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == part.npos;
    };
    if (whole.empty() || whole.size() > 2 || fraction.size() > 3 || !digits(whole) ||
        !digits(fraction) || (point != text.npos && fraction.empty()))
        return std::nullopt;
    fraction.resize(3, '0');
    const long milliseconds = std::stol(std::string(whole)) * 1000 + std::stol(fraction);
    if (milliseconds < 100 || milliseconds > 60000) return std::nullopt;
    return std::chrono::milliseconds(milliseconds);
}

// The players as a table, the highest score first.
void PrintStatus(const ServerStatus& status, std::ostream& out) {
    const std::string_view gameType = GameTypeName(status.gameType);
    out << "host name: " << status.hostName << "\nmap:       " << status.map << "\ngame type: "
        << (gameType.empty() ? "g_gametype " + std::to_string(status.gameType)
                             : std::string(gameType))
        << "\nplayers:   " << status.players.size() << " of " << status.maxClients << '\n';
    if (status.players.empty()) return;
    std::vector<StatusPlayer> players = status.players;
    std::ranges::stable_sort(players, std::ranges::greater(), &StatusPlayer::score);
    out << "\nscore  ping  name\n";
    for (const StatusPlayer& player : players)
        out << std::setw(5) << player.score << std::setw(6) << player.ping << "  " << player.name
            << '\n';
}

std::string StatusJson(const ServerStatus& status, const ServerAddress& address) {
    nlohmann::ordered_json players = nlohmann::ordered_json::array();
    for (const StatusPlayer& player : status.players) {
        players.push_back(
            {{"name", Utf8FromBytes(player.name)}, {"score", player.score}, {"ping", player.ping}});
    }
    const std::string_view gameType = GameTypeName(status.gameType);
    nlohmann::ordered_json object = {
        {"address", AddressText(address)},
        {"hostName", Utf8FromBytes(status.hostName)},
        {"map", Utf8FromBytes(status.map)},
        {"gameType", status.gameType},
        {"gameTypeName",
         gameType.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(gameType)},
        {"maxClients", status.maxClients},
        {"players", std::move(players)},
    };
    return object.dump() + "\n";
}

}  // namespace

int RunStatusCommand(const CommandArgs& parsed, CommandContext& context) {
    if (parsed.words.size() > 1)
        return UsageError(context, kCommand, "unexpected argument '" + parsed.words[1] + "'");
    const std::string_view timeoutText = parsed.timeout ? *parsed.timeout : kDefaultTimeout;
    const std::optional<std::chrono::milliseconds> timeout = TimeoutOf(timeoutText);
    if (!timeout) {
        return UsageError(context, kCommand,
                          "--timeout takes 0.1 to 60 seconds, not '" + *parsed.timeout + "'");
    }
    std::string problem;
    std::optional<ServerAddress> address =
        ParseServerAddress(parsed.words.empty() ? kDefaultHost : parsed.words[0], 0, problem);
    if (!address) return UsageError(context, kCommand, problem);
    if (address->port == 0) {  // none given: the server's own
        SettingsStore store;
        if (!LoadSettingsForCommand(store, parsed.config, ConfigUse::Read, context)) return 1;
        const int32_t port = store.settings.netPort;
        if (port < 1 || port > 65535) {
            context.err << "mctfcli: " << ConfigName(parsed.config) << ": netPort " << port
                        << " is no port; give HOST:PORT\n";
            return 1;
        }
        address->port = static_cast<uint16_t>(port);
    }

    const StatusQueryOutcome outcome = QueryServerStatus(*address, *timeout);
    if (parsed.quiet) return outcome.result == StatusQueryResult::Answered ? 0 : 1;
    const std::string where = "mctfcli: " + AddressText(*address) + ": ";
    switch (outcome.result) {
    case StatusQueryResult::Answered:
        if (parsed.json) {
            context.out << StatusJson(outcome.status, *address);
        } else {
            PrintStatus(outcome.status, context.out);
        }
        return 0;
    case StatusQueryResult::NoAnswer:
        context.err << where << "no answer within " << timeoutText << " s\n";
        break;
    case StatusQueryResult::PortClosed:
        context.err << where << "no answer: nothing listens on that port\n";
        break;
    case StatusQueryResult::BadAnswer:
        context.err << where << "a bad answer: " << outcome.reason << '\n';
        break;
    case StatusQueryResult::NoAddress:
        context.err << "mctfcli: " << address->host << ": cannot find that host: " << outcome.reason
                    << '\n';
        break;
    case StatusQueryResult::NoNetwork:
        context.err << where << "cannot ask: " << outcome.reason << '\n';
        break;
    }
    return 1;
}

}  // namespace mctf
