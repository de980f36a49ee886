#include "core/ServerStatus.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <iterator>

namespace mctf {

namespace {

constexpr std::string_view kOutOfBand = "\xff\xff\xff\xff";
constexpr std::string_view kAnswerHead = "\xff\xff\xff\xffstatusResponse\n";

StatusParse Refused(std::string problem) { return {std::nullopt, std::move(problem)}; }

// A whole decimal number (with a '-' before it, when `low` is below zero)
// within [low, high]; nothing else before or after it.
std::optional<int> Number(std::string_view text, int low = INT_MIN, int high = INT_MAX) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        return std::nullopt;
    return value;
}

bool SameKey(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

// The info string "\key\value..." as its pairs; the problem when it is not one.
std::optional<std::vector<std::pair<std::string_view, std::string_view>>> InfoPairs(
    std::string_view info, std::string& problem) {
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    if (!info.starts_with('\\')) {
        problem = "server info that does not start with a backslash";
        return std::nullopt;
    }
    info.remove_prefix(1);
    while (true) {
        const std::size_t keyEnd = info.find('\\');
        const std::string_view key = info.substr(0, keyEnd);
        if (keyEnd == std::string_view::npos) {
            problem =
                "the key '" + WithoutColourCodes(key) + "' without a value in the server info";
            return std::nullopt;
        }
        if (key.empty()) {
            problem = "an empty key in the server info";
            return std::nullopt;
        }
        info.remove_prefix(keyEnd + 1);
        const std::size_t valueEnd = info.find('\\');
        pairs.emplace_back(key, info.substr(0, valueEnd));
        if (valueEnd == std::string_view::npos) return pairs;
        info.remove_prefix(valueEnd + 1);
    }
}

// One player line without its line end: SCORE PING "NAME".
std::optional<StatusPlayer> PlayerLine(std::string_view line) {
    const std::size_t scoreEnd = line.find(' ');
    const std::size_t pingEnd = line.find(' ', scoreEnd + 1);
    if (pingEnd == std::string_view::npos) return std::nullopt;
    const std::optional<int> score = Number(line.substr(0, scoreEnd));
    const std::optional<int> ping = Number(line.substr(scoreEnd + 1, pingEnd - scoreEnd - 1), 0);
    const std::string_view name = line.substr(pingEnd + 1);
    if (!score || !ping || name.size() < 2 || !name.starts_with('"') || !name.ends_with('"'))
        return std::nullopt;
    return StatusPlayer{WithoutColourCodes(name.substr(1, name.size() - 2)), *score, *ping};
}

}  // namespace

std::string StatusQueryDatagram(std::string_view challenge) {
    return std::string(kOutOfBand) + "getstatus " + std::string(challenge);
}

StatusParse ParseStatusAnswer(std::string_view datagram, std::string_view challenge) {
    if (datagram.size() > kMaxStatusAnswer)
        return Refused("an answer of " + std::to_string(datagram.size()) +
                       " bytes, more than an engine sends (" + std::to_string(kMaxStatusAnswer) +
                       ")");
    if (!datagram.starts_with(kAnswerHead)) {
        return Refused(kAnswerHead.starts_with(datagram) ? "an answer cut short"
                                                         : "an answer that is no status answer");
    }
    if (datagram.find('\0') != std::string_view::npos) return Refused("a NUL byte in the answer");
    datagram.remove_prefix(kAnswerHead.size());
    const std::size_t infoEnd = datagram.find('\n');
    if (infoEnd == std::string_view::npos) return Refused("an answer cut short in the server info");
    std::string problem;
    const auto pairs = InfoPairs(datagram.substr(0, infoEnd), problem);
    if (!pairs) return Refused(problem);
    datagram.remove_prefix(infoEnd + 1);

    auto value = [&](std::string_view key) -> std::optional<std::string_view> {
        for (const auto& [name, text] : *pairs)
            if (SameKey(name, key)) return text;
        return std::nullopt;
    };
    ServerStatus status;
    const struct {
        std::string_view key;
        std::string* text;
        int* number;
        int high;
    } fields[] = {
        {"sv_hostname", &status.hostName, nullptr, 0},
        {"mapname", &status.map, nullptr, 0},
        {"g_gametype", nullptr, &status.gameType, INT_MAX},
        {"sv_maxclients", nullptr, &status.maxClients, static_cast<int>(kMaxStatusPlayers)}};
    for (const auto& field : fields) {
        const std::optional<std::string_view> text = value(field.key);
        if (!text) return Refused("no " + std::string(field.key) + " in the server info");
        if (field.text) {
            *field.text = WithoutColourCodes(*text);
        } else if (const std::optional<int> number = Number(*text, 0, field.high)) {
            *field.number = *number;
        } else {
            return Refused(std::string(field.key) + " '" + WithoutColourCodes(*text) +
                           "' is not a number of 0 to " + std::to_string(field.high));
        }
    }
    if (const auto echoed = value("challenge"); echoed && *echoed != challenge)
        return Refused("the answer to another query (challenge '" + WithoutColourCodes(*echoed) +
                       "')");

    while (!datagram.empty()) {
        const std::string line = "player line " + std::to_string(status.players.size() + 1);
        if (status.players.size() == kMaxStatusPlayers)
            return Refused("more than " + std::to_string(kMaxStatusPlayers) + " players");
        const std::size_t end = datagram.find('\n');
        if (end == std::string_view::npos) return Refused("an answer cut short in the " + line);
        const std::optional<StatusPlayer> player = PlayerLine(datagram.substr(0, end));
        if (!player) return Refused("the " + line + " is not SCORE PING \"NAME\"");
        status.players.push_back(*player);
        datagram.remove_prefix(end + 1);
    }
    return {std::move(status), ""};
}

std::string WithoutColourCodes(std::string_view text) {
    std::string clean;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '^') {
            ++i;
        } else if (c >= 32 && c != 127) {
            clean += static_cast<char>(c);
        }
    }
    return clean;
}

std::optional<ServerAddress> ParseServerAddress(std::string_view text, uint16_t defaultPort,
                                                std::string& problem) {
    ServerAddress address{std::string(text), defaultPort};
    std::optional<std::string_view> port;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        const std::string_view after = text.substr(close == text.npos ? 0 : close + 1);
        if (close == text.npos || (!after.empty() && !after.starts_with(':'))) {
            problem = "'" + std::string(text) + "' is not HOST, HOST:PORT or [IPv6]:PORT";
            return std::nullopt;
        }
        address.host = text.substr(1, close - 1);
        if (!after.empty()) port = after.substr(1);
    } else if (const std::size_t colon = text.find(':');
               colon != text.npos && text.find(':', colon + 1) == text.npos) {
        // One colon parts host and port; more make an IPv6 address.
        address.host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (address.host.empty()) {
        problem = "'" + std::string(text) + "' names no host";
        return std::nullopt;
    }
    if (port) {
        const std::optional<int> number = Number(*port, 1, 65535);
        if (!number) {
            problem = "the port '" + std::string(*port) + "' is not 1 to 65535";
            return std::nullopt;
        }
        address.port = static_cast<uint16_t>(*number);
    }
    return address;
}

std::string AddressText(const ServerAddress& address) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

}  // namespace mctf
