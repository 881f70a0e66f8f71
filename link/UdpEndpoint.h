#pragma once
#include "link/Endpoint.h"

namespace quor {

// Wall and monotonic time of the machine.
class SystemClock : public Clock {
public:
    int64_t NowMs() override;
    uint32_t UtcSeconds() override;
};

// The endpoint on a real UDP socket: broadcast permitted, bound to port 45389
// on all local addresses, opened on first use. Datagrams are read into 8192-byte
// buffers by the callers. Socket failures are thrown as
// std::system_error carrying the system's message.
class UdpEndpoint : public Endpoint {
public:
    explicit UdpEndpoint(uint16_t localPort = QuorPort) : LocalPort(localPort) {}
    ~UdpEndpoint() override;
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override;
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override;
    int Receive(std::span<uint8_t> buf, int waitMs = 200, std::string* senderIp = nullptr) override;
    Clock& Time() override { return SysClock; }

private:
    int Socket();
    void SendTo(uint32_t addr, uint16_t port, std::span<const uint8_t> data);

    uint16_t LocalPort;
    int Fd = -1;
    SystemClock SysClock;
};

}  // namespace quor
