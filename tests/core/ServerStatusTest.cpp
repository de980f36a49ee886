// A server's answer to the status query, read or refused with the reason,
// and the server addresses an operator writes.
#include <gtest/gtest.h>

#include "core/ServerStatus.h"

namespace mctf::testing {
namespace {

const std::string kHead = "\xff\xff\xff\xffstatusResponse\n";
const std::string kInfo =
    "\\sv_hostname\\^1Frag ^7Hall\\mapname\\q3dm17\\g_gametype\\4\\sv_maxclients\\12";

TEST(ServerStatus, AnAnswerIsReadOrRefusedWithItsReason) {
    std::string bots;
    for (int n = 0; n < 65; ++n) bots += "0 0 \"bot\"\n";
    const struct {
        std::string answer, problem;  // no problem: read
    } cases[] = {
        {kHead + kInfo + "\\challenge\\42\n3 48 \"^1Red^3\033Fox\"\n-2 999 \"a\"b\"\n", ""},
        {kHead.substr(0, 9), "an answer cut short"},
        {"\xff\xff\xff\xffprint\nbad rcon\n", "an answer that is no status answer"},
        {kHead + kInfo + "\n" + std::string(16385 - kHead.size() - kInfo.size() - 1, 'x'),
         "an answer of 16385 bytes, more than an engine sends (16384)"},
        {kHead + kInfo, "an answer cut short in the server info"},
        {kHead + kInfo + std::string("\n3 0 \"a\0b\"\n", 11), "a NUL byte in the answer"},
        {kHead + "sv_hostname\\x\n", "server info that does not start with a backslash"},
        {kHead + kInfo + "\\^1motd\n", "the key 'motd' without a value in the server info"},
        {kHead + kInfo + "\\\\x\n", "an empty key in the server info"},
        {kHead + "\\mapname\\x\n", "no sv_hostname in the server info"},
        {kHead + "\\G_GAMETYPE\\ctf" + kInfo + "\n",
         "g_gametype 'ctf' is not a number of 0 to 2147483647"},
        {kHead + kInfo + "0\n", "sv_maxclients '120' is not a number of 0 to 64"},
        {kHead + kInfo + "\\challenge\\41\n", "the answer to another query (challenge '41')"},
        {kHead + kInfo + "\n3 48 \"x\"", "an answer cut short in the player line 1"},
        {kHead + kInfo + "\n3 48 x\n", "the player line 1 is not SCORE PING \"NAME\""},
        {kHead + kInfo + "\n1 2 \"a\"\n3 -1 \"x\"\n",
         "the player line 2 is not SCORE PING \"NAME\""},
        {kHead + kInfo + "\n99999999999 0 \"x\"\n", "the player line 1 is not SCORE PING \"NAME\""},
        {kHead + kInfo + "\n\n", "the player line 1 is not SCORE PING \"NAME\""},
        {kHead + kInfo + "\n" + bots, "more than 64 players"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        const StatusParse got = ParseStatusAnswer(c.answer, "42");
        EXPECT_EQ(got.problem, c.problem);
        EXPECT_EQ(got.status.has_value(), c.problem.empty());
    }
    const std::optional<ServerStatus> status = ParseStatusAnswer(cases[0].answer, "42").status;
    ASSERT_TRUE(status);
    std::string seen = status->hostName + "|" + status->map + "|" +
                       std::to_string(status->gameType) + "|" + std::to_string(status->maxClients);
    for (const StatusPlayer& p : status->players)
        seen += "|" + p.name + " " + std::to_string(p.score) + " " + std::to_string(p.ping);
    EXPECT_EQ(seen, "Frag Hall|q3dm17|4|12|RedFox 3 48|a\"b -2 999");
}

TEST(ServerStatus, AnAddressIsHostAndPort) {
    const struct {
        std::string text, address;  // as AddressText gives it, or the problem
    } cases[] = {
        {"example.org", "example.org:27960"},
        {"10.0.0.1:27961", "10.0.0.1:27961"},
        {"[::1]:27961", "[::1]:27961"},
        {"[fe80::1%eth0]", "[fe80::1%eth0]:27960"},
        {"::1", "[::1]:27960"},
        {"host:0", "the port '0' is not 1 to 65535"},
        {"host:", "the port '' is not 1 to 65535"},
        {":27960", "':27960' names no host"},
        {"[::1]x", "'[::1]x' is not HOST, HOST:PORT or [IPv6]:PORT"},
        {"[::1", "'[::1' is not HOST, HOST:PORT or [IPv6]:PORT"},
    };
    for (const auto& c : cases) {
        std::string problem;
        const std::optional<ServerAddress> address = ParseServerAddress(c.text, 27960, problem);
        EXPECT_EQ(address ? AddressText(*address) : problem, c.address) << c.text;
    }
}

}  // namespace
}  // namespace mctf::testing
