#pragma once
// An in-memory endpoint whose received datagrams come from a fuzz input. A
// receive that finds nothing due advances the virtual clock by its wait, so
// every wait of the link ends however the script runs.

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

#include "fuzz/FuzzTarget.h"
#include "fuzz/Script.h"
#include "link/Endpoint.h"
#include "link/Frame.h"
#include "link/Udpdev.h"
#include "sim/VirtualLan.h"

namespace quor::fuzz {

class ScriptedEndpoint : public Endpoint {
public:
    explicit ScriptedEndpoint(std::vector<ScriptedDatagram> script) : Script(script.begin(), script.end()) {}

    void Send(std::string_view, uint16_t port, std::span<const uint8_t> data) override { Sent(port, data); }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override { Sent(port, data); }

    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        const int wait = std::max(waitMs, 0);
        if (Script.empty() || Script.front().Delay() * DelayStepMs - Waited > wait) {
            Waited += wait;
            VirtualTime.Ms += wait;
            return 0;
        }
        ScriptedDatagram d = std::move(Script.front());
        Script.pop_front();
        VirtualTime.Ms += d.Delay() * DelayStepMs - Waited;
        Waited = 0;
        Repair(d);
        const size_t len = std::min(d.Data.size(), buf.size());
        std::copy_n(d.Data.begin(), len, buf.begin());
        if (senderIp)
            *senderIp = d.FromSecond() ? "10.45.1.11" : "10.45.1.10";
        return static_cast<int>(len);
    }

    Clock& Time() override { return VirtualTime; }

    static constexpr int DelayStepMs = 20;  // delays up to 620 ms: past the reply window and the wait limit

    sim::VirtualClock VirtualTime;
    const UdpDev* Signer = nullptr;  // whose session key seals signed replies
    Bytes LastRequest;

private:
    void Sent(uint16_t port, std::span<const uint8_t> data)
    {
        // The link sends only whole frames of the protocol, to its one port.
        FUZZ_CHECK(port == QuorPort);
        FUZZ_CHECK(data.size() >= PlainOverhead && data.size() <= MaxFrameLen);
        FUZZ_CHECK(std::memcmp(data.data(), "MMD", 3) == 0);
        LastRequest.assign(data.begin(), data.end());
    }

    // Makes the reply fit the request last sent, as the fuzz input asks.
    void Repair(ScriptedDatagram& d) const
    {
        if (d.Matched() && LastRequest.size() >= 11) {
            const std::span<const uint8_t, 4> head(LastRequest.data(), 4);
            const uint32_t id = Get32(&LastRequest[4]);
            // A search goes to every device: a status reply keeps its own identity.
            MatchHead(d.Data, head, id == AllDevices && d.Data.size() >= 8 ? Get32(&d.Data[4]) : id);
            // A signed reply echoes the command with bit 7 set.
            if (IsSigned(LastRequest) && d.Data.size() > 10)
                d.Data[10] = static_cast<uint8_t>(LastRequest[10] | 0x80);
        }
        if (d.Sealed())
            Seal(d.Data, Signer ? Signer->SessionKey : sim::SessionKeyBytes{});
    }

    std::deque<ScriptedDatagram> Script;
    int Waited = 0;  // of the next datagram's delay, already spent in empty receives
};

}  // namespace quor::fuzz
