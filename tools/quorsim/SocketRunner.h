#pragma once
// Emulated devices on real UDP sockets. Each device answers from a socket of
// its own, so its replies leave from its own address; a device's replies go
// back to the sender's address and port.
//
// Broadcasts: Linux hands a datagram sent to 255.255.255.255 only to sockets
// bound to the wildcard address, never to one bound to a unicast address.
// A device alone in its namespace therefore binds 0.0.0.0. Devices that share
// a namespace bind their own addresses, and one more socket on the wildcard
// address (all of them with SO_REUSEADDR, which lets a wildcard and specific
// bindings share the port) takes the limited broadcast in for all of them;
// unicast still goes to the most specific binding only.

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/EmuDevice.h"
#include "tools/quorsim/FrameLog.h"
#include "tools/quorsim/StopSignals.h"

namespace quor::tools {

class SocketRunner {
public:
    SocketRunner(FrameLog& log, uint16_t port) : Log(log), Port(port) {}
    ~SocketRunner();
    SocketRunner(const SocketRunner&) = delete;
    SocketRunner& operator=(const SocketRunner&) = delete;

    // `ip` is the device's address, `bindIp` the socket's (0.0.0.0 to take
    // broadcasts as well); `shared` when other sockets use the same port.
    void Add(sim::EmuDevice& device, const std::string& ip, const std::string& bindIp, bool shared);
    // The wildcard socket that hands the limited broadcast to every device.
    void AddBroadcastListener();
    // Answers datagrams and sends floods until a stop signal.
    void Serve(StopSignals& stop);

private:
    struct Station {
        sim::EmuDevice* Device;
        std::string Ip;
        int Fd;
        std::optional<sockaddr_in> Peer;  // the last sender: where unprompted datagrams go
        int64_t NextFloodMs = -1;
    };
    struct Listener {
        int Fd;
        int Station;  // -1: the broadcast listener
    };
    // A reply its device holds back (the late-reply fault).
    struct HeldReply {
        int64_t DueMs;
        size_t Station;
        std::vector<uint8_t> Data;
        sockaddr_in To;
    };

    int OpenSocket(const std::string& bindIp, bool shared);
    void Drain(const Listener& listener);
    void Deliver(Station& station, const std::vector<uint8_t>& data, const sockaddr_in& from, int64_t nowMs);
    void SendTo(Station& station, const std::vector<uint8_t>& data, const sockaddr_in& to);
    int FloodWaitMs(int64_t nowMs);
    void SendFloods(int64_t nowMs);
    int HeldWaitMs(int64_t nowMs) const;
    void SendHeld(int64_t nowMs);

    // The devices' own clock: steady, in ms from the runner's start, which is
    // time 0 of the scenario (a session held at time 0 is fresh at start).
    int64_t NowMs() const;

    FrameLog& Log;
    uint16_t Port;
    std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
    std::vector<Station> Stations;
    std::vector<Listener> Listeners;
    std::vector<HeldReply> Held;
};

}  // namespace quor::tools
