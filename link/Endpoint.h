#pragma once
// The datagram endpoint and the clock that every exchange with a device runs on.
// The link holds a plain pointer to one endpoint; the real one sits on a UDP
// socket, the in-memory one connects the link to emulated devices.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quor {

inline constexpr uint16_t QuorPort = 45389;

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a monotonic clock; only differences matter.
    virtual int64_t NowMs() = 0;
    // Microseconds of the same clock, for pacing a run of datagrams.
    virtual int64_t NowUs() { return NowMs() * 1000; }
    // Waits that long, to the microsecond where the clock can: a pause of a
    // few tens of µs must not round up to a sleep's granularity.
    virtual void PauseUs(int64_t) {}
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual uint32_t UtcSeconds() = 0;
};

class Endpoint {
public:
    virtual ~Endpoint() = default;
    // Sends never wait for room: a datagram the system cannot take at once
    // is a failure (thrown) here, ...
    virtual void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) = 0;
    // Sends to the limited broadcast address 255.255.255.255.
    virtual void Broadcast(uint16_t port, std::span<const uint8_t> data) = 0;
    // ... and false here, where a search asks many addresses and one that
    // cannot be taken now (the send queue is full, or holds datagrams for
    // addresses still being resolved) is skipped. Other failures throw as above.
    virtual bool TrySend(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
    {
        Send(ip, port, data);
        return true;
    }
    virtual bool TryBroadcast(uint16_t port, std::span<const uint8_t> data)
    {
        Broadcast(port, data);
        return true;
    }
    // Asks for room for at least this many bytes of received datagrams not
    // yet read, as the system counts them; datagrams beyond it are dropped.
    virtual void ReserveReceive(int /*bytes*/) {}
    // Waits at most waitMs for one datagram (0 takes only what is queued).
    // Returns its length, 0 when the wait ran out. A datagram longer than buf
    // is cut to buf's size. senderIp, when given, receives the dotted address.
    virtual int Receive(std::span<uint8_t> buf, int waitMs = 200, std::string* senderIp = nullptr) = 0;
    // The clock that times this endpoint's waits.
    virtual Clock& Time() = 0;
};

}  // namespace quor
