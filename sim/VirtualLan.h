#pragma once
// An in-memory LAN with a virtual millisecond clock. Configurator endpoints and
// emulated devices attach to it; a receive that waits advances the clock, so
// time-outs are exact and cost no real time.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "LanHost.h"
#include "link/Endpoint.h"

namespace quor::sim {

class VirtualLan;

class VirtualClock : public Clock {
public:
    int64_t NowMs() override { return Ms; }
    int64_t NowUs() override { return Ms * 1000 + Us; }
    void PauseUs(int64_t us) override
    {
        const int64_t until = NowUs() + us;
        Ms = until / 1000;
        Us = until % 1000;
    }
    uint32_t UtcSeconds() override { return Utc + static_cast<uint32_t>(Ms / 1000); }

    int64_t Ms = 0;
    int64_t Us = 0;                // the microseconds past Ms, advanced by pauses only
    uint32_t Utc = 1'780'000'000;  // a fixed start keeps tests repeatable
};

// One datagram as it crossed the LAN, for tests that check the traffic.
struct Frame {
    int64_t At;
    std::string From;
    std::string To;  // "255.255.255.255" for a broadcast
    Bytes Data;
    int64_t AtUs = 0;  // the same time in microseconds, for frames the configurator sent
};

// A configurator's endpoint on the virtual LAN. Like a socket in the Linux
// kernel it holds a bounded receive queue: a datagram that arrives while the
// queue's room is used up is dropped. Room and cost follow the kernel: 212,992
// bytes unless the configurator asks for more (ReserveReceive; the kernel
// doubles the size asked for), and each datagram counted at 768 bytes plus
// its length in 64-byte steps (832 for a 28-byte reply: 256 fit by default).
class LanEndpoint : public Endpoint {
public:
    LanEndpoint(VirtualLan& lan, std::string ip) : Lan(lan), Ip(std::move(ip)) {}
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override;
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override;
    int Receive(std::span<uint8_t> buf, int waitMs = 200, std::string* senderIp = nullptr) override;
    void ReserveReceive(int bytes) override;
    Clock& Time() override;

    VirtualLan& Lan;
    const std::string Ip;
    int64_t ReceiveRoom = 212'992;  // bytes
    int64_t Dropped = 0;            // datagrams that found the queue full

private:
    friend class VirtualLan;
    struct Pending {
        int64_t At;
        std::string From;
        Bytes Data;
    };
    // Takes what has arrived by atMs into the queue, while there is room.
    void Arrive(int64_t atMs);

    std::deque<Pending> OnTheWay;  // ordered by arrival
    std::deque<Pending> Queue;     // arrived, not yet received
    int64_t Queued = 0;            // the bytes Queue is counted at
};

class VirtualLan {
public:
    // A configurator on the LAN; the first one gets 10.45.0.1, the next .2 and so on.
    LanEndpoint& AddPc();
    // Attaches a device at ip; the LAN does not own it.
    void Attach(const std::string& ip, LanHost& host);
    void Detach(const std::string& ip);

    VirtualClock Clock;
    int LatencyMs = 1;    // one way, device to configurator
    bool Tracing = true;  // false: Trace stays empty (a benchmark's thousands of datagrams)
    // false: no host floods. Every receive asks each host whether it floods;
    // a benchmark of thousands of hosts that never do spares itself that.
    bool Floods = true;
    // Every datagram, in the order it was handed to the LAN; a reply held back
    // by its device carries the later time at which it left.
    std::vector<Frame> Trace;
    // Frames sent to ip since the trace index `from`.
    std::vector<Frame> SentTo(const std::string& ip, size_t from = 0) const;

private:
    friend class LanEndpoint;
    void Deliver(LanEndpoint& from, std::string_view to, std::span<const uint8_t> data);
    void DeliverToPc(LanEndpoint& pc, const std::string& from, Bytes data, int64_t at);
    void QueueFloods(LanEndpoint& pc, int64_t until);

    // The order in which a broadcast reaches the hosts.
    std::map<std::string, LanHost*> Hosts;
    // The same hosts found by the address a datagram is sent to, in constant
    // time and with no string made for it: a search of thousands of devices
    // sends each its own datagram.
    struct IpHash {
        using is_transparent = void;
        size_t operator()(std::string_view ip) const { return std::hash<std::string_view>{}(ip); }
    };
    std::unordered_map<std::string, LanHost*, IpHash, std::equal_to<>> HostAt;
    std::map<std::string, int64_t> NextFlood;
    std::vector<std::unique_ptr<LanEndpoint>> Pcs;
};

}  // namespace quor::sim
