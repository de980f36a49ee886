// mctfcli status against a stand-in server on loopback that answers, stays
// silent, drops the first query, answers garbage or another query; the port
// of the settings; and what the command refuses.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "tests/cli/CliHarness.h"

#ifndef _WIN32
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mctf::testing {
namespace {

// Answers its n-th getstatus query (from 1) with answer(n, its challenge), if not empty.
struct StandIn {
    using Answer = std::function<std::string(int, std::string)>;
    int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    std::atomic<int> queries = 0;
    std::string port;
    std::thread thread;

    explicit StandIn(const Answer& answer) {
        sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof at;
        bind(socket, reinterpret_cast<sockaddr*>(&at), size);
        getsockname(socket, reinterpret_cast<sockaddr*>(&at), &size);
        port = std::to_string(ntohs(at.sin_port));
        thread = std::thread([this, answer, at]() mutable {
            char query[2048];
            for (socklen_t size = sizeof at;; size = sizeof at) {
                const auto got = recvfrom(socket, query, sizeof query, 0,
                                          reinterpret_cast<sockaddr*>(&at), &size);
                const std::string_view text(query, std::max<ssize_t>(got, 0)),
                    head = "\xff\xff\xff\xffgetstatus ";
                if (!text.starts_with(head)) return;  // shut down
                const std::string reply = answer(++queries, std::string(text.substr(head.size())));
                if (!reply.empty())
                    sendto(socket, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&at),
                           size);
            }
        });
    }
    ~StandIn() {
        shutdown(socket, SHUT_RDWR);
        thread.join();
        close(socket);
    }
};

std::string Good(const std::string& challenge) {
    return "\xff\xff\xff\xffstatusResponse\n\\sv_hostname\\^1Frag Hall\\mapname\\q3dm17"
           "\\challenge\\" +
           challenge + "\\g_gametype\\4\\sv_maxclients\\12\n3 48 \"^1Red^3Fox\"\n12 0 \"Sarge\"\n";
}

TEST(StatusCommand, SaysWhatTheServerAnsweredOrWhyNothing) {
    const StandIn::Answer good = [](int, std::string c) { return Good(c); };
    const StandIn::Answer none = [](int, std::string) { return ""; };
    const std::string table =
        "host name: Frag Hall\nmap:       q3dm17\ngame type: Capture The Flag\nplayers:   2 of "
        "12\n\nscore  ping  name\n   12     0  Sarge\n    3    48  RedFox\n";
    const std::string json =
        "{\"address\":\"127.0.0.1:@\",\"hostName\":\"Frag Hall\",\"map\":\"q3dm17\",\"gameType\":4,"
        "\"gameTypeName\":\"Capture The Flag\",\"maxClients\":12,\"players\":[{\"name\":\"RedFox\","
        "\"score\":3,\"ping\":48},{\"name\":\"Sarge\",\"score\":12,\"ping\":0}]}\n";
    const std::string usage = "\nTry 'mctfcli status --help'.\n",
                      timeout = "mctfcli: status: --timeout takes 0.1 to 60 seconds, not ";
    const struct {
        StandIn::Answer answer;
        Args args;  // '@': the stand-in's port, '%': the home folder
        int status, queries;
        std::string out, err;  // err: its start
    } cases[] = {
        // clang-format off
        {good, {"127.0.0.1:@"}, 0, 1, table, ""},
        {good, {"--json", "127.0.0.1:@"}, 0, 1, json, ""},
        {good, {"127.0.0.1:@", "-q", "--json"}, 0, 1, "", ""},
        {good, {"--config", "%/@.dmc"}, 0, 1, table, ""},  // 127.0.0.1, the record's netPort
        {[](int n, std::string c) { return n == 1 ? "" : Good(c); }, {"127.0.0.1:@"}, 0, 2, table, ""},
        {none, {"--timeout", "1.5", "127.0.0.1:@"}, 1, 2, "", "mctfcli: 127.0.0.1:@: no answer within 1.5 s\n"},
        {none, {"-q", "--timeout=0.2", "127.0.0.1:@"}, 1, 1, "", ""},
        {[](int, std::string) { return "\xff\xff\xff\xffstatusResponse\n\\mapname"; },
         {"127.0.0.1:@", "--timeout", "0.3"}, 1, 1, "",
         "mctfcli: 127.0.0.1:@: a bad answer: an answer cut short in the server info\n"},
        {[](int, std::string c) { return Good(c + "1"); }, {"127.0.0.1:@", "--timeout", "0.3"}, 1, 1,
         "", "mctfcli: 127.0.0.1:@: a bad answer: the answer to another query (challenge '"},
        {none, {"--timeout", "0.05"}, 2, 0, "", timeout + "'0.05'" + usage},
        {none, {"--timeout=61"}, 2, 0, "", timeout + "'61'" + usage},
        {none, {"a", "b"}, 2, 0, "", "mctfcli: status: unexpected argument 'b'" + usage},
        {none, {"host:70000"}, 2, 0, "", "mctfcli: status: the port '70000' is not 1 to 65535" + usage},
        // clang-format on
    };
    CliHarness cli;
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        StandIn server(c.answer);
        const auto fill = [&](std::string text) {
            for (std::size_t at; (at = text.find_first_of("@%")) != text.npos;)
                text.replace(at, 1, text[at] == '@' ? server.port : cli.home.str());
            return text;
        };
        ServerSettings record = DefaultSettings;
        record.netPort = std::stoi(server.port);
        WriteFileBytes(cli.home / (server.port + ".dmc"),
                       std::string_view(reinterpret_cast<char*>(&record), sizeof record));
        Args args = {"status"};
        for (const std::string& arg : c.args) args.push_back(fill(arg));
        EXPECT_EQ(cli.Run(args), c.status);
        EXPECT_EQ(cli.out.str(), fill(c.out));
        EXPECT_TRUE(cli.err.str().starts_with(fill(c.err))) << cli.err.str();
        EXPECT_EQ(server.queries, c.queries);
    }
}

}  // namespace
}  // namespace mctf::testing
#endif
