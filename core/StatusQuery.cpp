#include "core/StatusQuery.h"

#include <algorithm>
#include <memory>
#include <random>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace mctf {

namespace {

using Clock = std::chrono::steady_clock;
// More addresses than a name usually has (one IPv4, one IPv6, a few more).
constexpr std::size_t kMaxAddresses = 8;

#ifdef _WIN32
using Socket = SOCKET;
using AddressLength = int;
constexpr Socket kNoSocket = INVALID_SOCKET;
int LastError() { return WSAGetLastError(); }
// Windows says so on the next receive as a reset.
bool SaysPortClosed(int error) { return error == WSAECONNRESET || error == WSAECONNREFUSED; }
void CloseSocket(Socket socket) { closesocket(socket); }
#else
using Socket = int;
using AddressLength = socklen_t;
constexpr Socket kNoSocket = -1;
int LastError() { return errno; }
bool SaysPortClosed(int error) { return error == ECONNREFUSED; }
void CloseSocket(Socket socket) { close(socket); }
#endif

std::string Reason(int error) { return std::system_category().message(error); }

// Winsock is started for the query and stopped after it; nothing to do
// elsewhere.
class Network {
public:
#ifdef _WIN32
    Network() {
        WSADATA data;
        error_ = WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Network() {
        if (error_ == 0) WSACleanup();
    }
#endif
    int Error() const { return error_; }

private:
    int error_ = 0;
};

// The sockets of the query, one per address, each connected to its
// address, so that only that address's datagrams arrive and a closed port
// is reported.
class Sockets {
public:
    ~Sockets() {
        for (Socket socket : open_)
            if (socket != kNoSocket) CloseSocket(socket);
    }
    void Add(Socket socket) { open_.push_back(socket); }
    std::vector<Socket>& Open() { return open_; }
    bool AnyOpen() const {
        for (Socket socket : open_)
            if (socket != kNoSocket) return true;
        return false;
    }
    void Drop(Socket& socket) {
        CloseSocket(socket);
        socket = kNoSocket;
    }

private:
    std::vector<Socket> open_;
};

}  // namespace

StatusQueryOutcome QueryServerStatus(const ServerAddress& address,
                                     std::chrono::milliseconds timeout) {
    using Result = StatusQueryResult;
    const Network network;
    if (network.Error() != 0) return {Result::NoNetwork, {}, Reason(network.Error())};

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* found = nullptr;
    if (const int error =
            getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found);
        error != 0) {
        return {Result::NoAddress, {}, gai_strerror(error)};
    }
    const std::unique_ptr<addrinfo, void (*)(addrinfo*)> addresses(found, freeaddrinfo);
    Sockets sockets;
    int lastError = 0;
    for (const addrinfo* at = found; at && sockets.Open().size() < kMaxAddresses;
         at = at->ai_next) {
        const Socket socket = ::socket(at->ai_family, at->ai_socktype, at->ai_protocol);
        if (socket == kNoSocket) {
            lastError = LastError();  // an address family this system has not
        } else if (connect(socket, at->ai_addr, static_cast<AddressLength>(at->ai_addrlen)) != 0) {
            lastError = LastError();
            CloseSocket(socket);
        } else {
            sockets.Add(socket);
        }
    }
    if (sockets.Open().empty()) return {Result::NoNetwork, {}, Reason(lastError)};

    // Echoed by the server: an answer to another query is not taken.
    const std::string challenge = std::to_string(std::random_device()() % 1000000000);
    const std::string query = StatusQueryDatagram(challenge);
    bool portClosed = false;
    auto sendAll = [&] {
        for (Socket& socket : sockets.Open()) {
            if (socket == kNoSocket) continue;
            if (send(socket, query.data(), static_cast<int>(query.size()), 0) < 0) {
                lastError = LastError();
                portClosed |= SaysPortClosed(lastError);
                sockets.Drop(socket);
            }
        }
    };

    const Clock::time_point start = Clock::now(), deadline = start + timeout;
    const Clock::time_point retry = start + kStatusRetryAfter;
    bool retried = timeout <= kStatusRetryAfter;
    std::string badAnswer;
    std::vector<char> buffer(65536);  // the largest datagram there is
    sendAll();
    while (sockets.AnyOpen()) {
        const Clock::time_point now = Clock::now();
        if (!retried && now >= retry) {
            retried = true;
            sendAll();
            continue;
        }
        if (now >= deadline) break;
        const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(
            (retried ? deadline : std::min(deadline, retry)) - now);
        timeval time{};
        time.tv_sec = static_cast<decltype(time.tv_sec)>(wait.count() / 1000000);
        time.tv_usec = static_cast<decltype(time.tv_usec)>(wait.count() % 1000000);
        fd_set readable;
        FD_ZERO(&readable);
        Socket highest = 0;
        for (Socket socket : sockets.Open()) {
            if (socket == kNoSocket) continue;
            FD_SET(socket, &readable);
            highest = std::max(highest, socket);
        }
        if (select(static_cast<int>(highest) + 1, &readable, nullptr, nullptr, &time) < 0) {
#ifndef _WIN32
            if (errno == EINTR) continue;
#endif
            return {Result::NoNetwork, {}, Reason(LastError())};
        }
        for (Socket& socket : sockets.Open()) {
            if (socket == kNoSocket || !FD_ISSET(socket, &readable)) continue;
            const auto got = recv(socket, buffer.data(), static_cast<int>(buffer.size()), 0);
            if (got < 0) {
                lastError = LastError();
                portClosed |= SaysPortClosed(lastError);
                sockets.Drop(socket);
                continue;
            }
            StatusParse answer =
                ParseStatusAnswer(std::string_view(buffer.data(), std::size_t(got)), challenge);
            if (answer.status) return {Result::Answered, std::move(*answer.status), ""};
            badAnswer = std::move(answer.problem);
        }
    }
    if (!badAnswer.empty()) return {Result::BadAnswer, {}, badAnswer};
    if (sockets.AnyOpen()) return {Result::NoAnswer, {}, ""};
    if (portClosed) return {Result::PortClosed, {}, ""};
    return {Result::NoNetwork, {}, Reason(lastError)};
}

}  // namespace mctf
