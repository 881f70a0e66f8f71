#include "tools/quorsim/SocketRunner.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <iterator>
#include <system_error>

namespace quor::tools {

namespace {

// Longer than any datagram of the protocol, so an over-long one is seen whole.
constexpr size_t ReceiveSize = 65536;
const std::string BroadcastText = "255.255.255.255";

[[noreturn]] void ThrowSystem(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

std::string AddressText(in_addr addr)
{
    char text[INET_ADDRSTRLEN];
    return inet_ntop(AF_INET, &addr, text, sizeof text);
}

std::string PeerText(const sockaddr_in& peer)
{
    return AddressText(peer.sin_addr) + ":" + std::to_string(ntohs(peer.sin_port));
}

// The destination address of a datagram, from its IP_PKTINFO control message.
std::optional<in_addr> Destination(msghdr& msg)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info;
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            return info.ipi_addr;
        }
    }
    return std::nullopt;
}

}  // namespace

int64_t SocketRunner::NowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - Start).count();
}

SocketRunner::~SocketRunner()
{
    for (const Listener& l : Listeners)
        close(l.Fd);
}

int SocketRunner::OpenSocket(const std::string& bindIp, bool shared)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(Port);
    if (inet_pton(AF_INET, bindIp.c_str(), &local.sin_addr) != 1)
        throw std::invalid_argument("not an IPv4 address: " + bindIp);
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        ThrowSystem("UDP socket");
    const int on = 1;
    const bool ok = setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0 &&
                    (!shared || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0) &&
                    bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    if (!ok) {
        const int err = errno;
        close(fd);
        errno = err;
        ThrowSystem("UDP " + bindIp + ":" + std::to_string(Port));
    }
    return fd;
}

void SocketRunner::Add(sim::EmuDevice& device, const std::string& ip, const std::string& bindIp, bool shared)
{
    const int fd = OpenSocket(bindIp, shared);
    Listeners.push_back({fd, static_cast<int>(Stations.size())});
    Stations.push_back({&device, ip, fd, std::nullopt, -1});
}

void SocketRunner::AddBroadcastListener()
{
    Listeners.push_back({OpenSocket("0.0.0.0", true), -1});
}

void SocketRunner::Serve(StopSignals& stop)
{
    std::vector<pollfd> fds;
    for (const Listener& l : Listeners)
        fds.push_back({l.Fd, POLLIN, 0});
    while (!stop.Requested()) {
        const int64_t now = NowMs();
        const int flood = FloodWaitMs(now);
        const int held = HeldWaitMs(now);
        const int wait = flood < 0 ? held : held < 0 ? flood : std::min(flood, held);
        if (stop.Wait(fds.data(), fds.size(), wait) > 0) {
            for (size_t i = 0; i < fds.size(); ++i) {
                if (fds[i].revents & POLLIN)
                    Drain(Listeners[i]);
            }
        }
        SendFloods(NowMs());
        SendHeld(NowMs());
    }
    Log.Flush();
}

void SocketRunner::Drain(const Listener& listener)
{
    std::vector<uint8_t> buf(ReceiveSize);
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
    for (;;) {
        sockaddr_in from{};
        iovec iov{buf.data(), buf.size()};
        msghdr msg{};
        msg.msg_name = &from;
        msg.msg_namelen = sizeof from;
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        const ssize_t len = recvmsg(listener.Fd, &msg, 0);
        if (len < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return;
        if (len < 0)
            ThrowSystem("UDP receive");
        const std::vector<uint8_t> data(buf.begin(), buf.begin() + len);
        const auto dest = Destination(msg);
        const std::string destText = dest ? AddressText(*dest) : "?";
        Log.Write(Direction::In, destText, PeerText(from), data);
        const int64_t now = NowMs();
        if (listener.Station >= 0) {
            Deliver(Stations[listener.Station], data, from, now);
        } else if (destText == BroadcastText) {
            for (Station& s : Stations)
                Deliver(s, data, from, now);
        }
    }
}

void SocketRunner::Deliver(Station& station, const std::vector<uint8_t>& data, const sockaddr_in& from,
                           int64_t nowMs)
{
    station.Peer = from;
    const auto replies = station.Device->Handle(data, AddressText(from.sin_addr), nowMs);
    const int delay = station.Device->ReplyDelayMs();
    for (const auto& reply : replies) {
        if (delay > 0)
            Held.push_back({nowMs + delay, static_cast<size_t>(&station - Stations.data()), reply, from});
        else
            SendTo(station, reply, from);
    }
}

void SocketRunner::SendTo(Station& station, const std::vector<uint8_t>& data, const sockaddr_in& to)
{
    Log.Write(Direction::Out, station.Ip, PeerText(to), data);
    if (sendto(station.Fd, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) <
        0)
        std::cerr << "quorsim: " << station.Ip << " to " << PeerText(to) << ": " << std::strerror(errno)
                  << '\n';
}

// Time until the next unprompted datagram is due; -1 when none is.
int SocketRunner::FloodWaitMs(int64_t nowMs)
{
    int64_t wait = -1;
    for (Station& s : Stations) {
        const int period = s.Device->FloodPeriodMs();
        if (period <= 0 || !s.Peer) {
            s.NextFloodMs = -1;
            continue;
        }
        if (s.NextFloodMs < 0)
            s.NextFloodMs = nowMs + period;
        const int64_t left = std::max<int64_t>(s.NextFloodMs - nowMs, 0);
        wait = wait < 0 ? left : std::min(wait, left);
    }
    return static_cast<int>(wait);
}

// Time until the next held-back reply is due; -1 when none is held.
int SocketRunner::HeldWaitMs(int64_t nowMs) const
{
    int64_t wait = -1;
    for (const HeldReply& h : Held) {
        const int64_t left = std::max<int64_t>(h.DueMs - nowMs, 0);
        wait = wait < 0 ? left : std::min(wait, left);
    }
    return static_cast<int>(wait);
}

void SocketRunner::SendHeld(int64_t nowMs)
{
    // In the order they were held, so that replies due together leave in order.
    const auto due = std::stable_partition(Held.begin(), Held.end(),
                                           [nowMs](const HeldReply& h) { return h.DueMs <= nowMs; });
    std::vector<HeldReply> sending(std::make_move_iterator(Held.begin()), std::make_move_iterator(due));
    Held.erase(Held.begin(), due);
    for (const HeldReply& h : sending)
        SendTo(Stations[h.Station], h.Data, h.To);
}

void SocketRunner::SendFloods(int64_t nowMs)
{
    for (Station& s : Stations) {
        if (s.NextFloodMs < 0 || s.NextFloodMs > nowMs)
            continue;
        SendTo(s, s.Device->FloodDatagram(), *s.Peer);
        s.NextFloodMs += s.Device->FloodPeriodMs();
        // A runner that fell behind does not catch up in a burst.
        if (s.NextFloodMs <= nowMs)
            s.NextFloodMs = nowMs + s.Device->FloodPeriodMs();
    }
}

}  // namespace quor::tools
