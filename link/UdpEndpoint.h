#pragma once
#include <string>
#include <utility>

#include "link/Endpoint.h"

namespace quor {

// Wall and monotonic time of the machine.
class SystemClock : public Clock {
public:
    int64_t NowMs() override;
    int64_t NowUs() override;
    void PauseUs(int64_t us) override;
    uint32_t UtcSeconds() override;
};

// The endpoint on a real UDP socket: broadcast permitted, bound to port 45389
// on all local addresses, opened on first use. Datagrams are read into 8192-byte
// buffers by the callers. Socket failures are thrown as EndpointError
// (a std::system_error) carrying the step, its subject and the system's reason.
// Sends never block: a datagram for an address the system is still
// resolving waits in the system, not in the caller.
//
// Given an interface name, the socket is tied to that interface
// (SO_BINDTODEVICE): the search broadcast and every datagram leave through it
// whatever the routes say, and only datagrams that came in on it are read.
// A PC with Wi-Fi and a wired port reaches the controllers on the wired port
// this way, where a broadcast would otherwise leave by the default route only.
class UdpEndpoint : public Endpoint {
public:
    explicit UdpEndpoint(uint16_t localPort = QuorPort, std::string interfaceName = {})
        : LocalPort(localPort), InterfaceName(std::move(interfaceName))
    {
    }
    ~UdpEndpoint() override;
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override;
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override;
    bool TrySend(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override;
    bool TryBroadcast(uint16_t port, std::span<const uint8_t> data) override;
    int Receive(std::span<uint8_t> buf, int waitMs = 200, std::string* senderIp = nullptr) override;
    void ReserveReceive(int bytes) override;
    Clock& Time() override { return SysClock; }
    // Opens the socket now rather than on first use, so that a port another
    // program holds is known before anything else is done.
    void Open() { Socket(); }

private:
    int Socket();
    // False when the system cannot take the datagram now and busyIsFalse.
    bool SendTo(uint32_t addr, uint16_t port, std::span<const uint8_t> data, bool busyIsFalse);

    uint16_t LocalPort;
    std::string InterfaceName;
    int Fd = -1;
    int ReceiveBytes = 0;  // the largest room asked for
    SystemClock SysClock;
};

}  // namespace quor
