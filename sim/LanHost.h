#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quor::sim {

using Bytes = std::vector<uint8_t>;

// Something that answers datagrams on port 45389: an emulated device.
// It knows nothing of the transport: the in-memory LAN and the socket
// runner both hand it datagrams and send back what it returns.
class LanHost {
public:
    virtual ~LanHost() = default;
    // One datagram from fromIp, received at nowMs; the result goes back to the sender.
    virtual std::vector<Bytes> Handle(std::span<const uint8_t> in, std::string_view fromIp,
                                      int64_t nowMs) = 0;
    // How long the replies of the last Handle call are held back before they
    // are sent (the late-reply fault), in ms.
    virtual int ReplyDelayMs() const { return 0; }
    // Unprompted traffic (the flood fault): the gap between datagrams in ms, 0 for none.
    virtual int FloodPeriodMs() const { return 0; }
    virtual Bytes FloodDatagram() const { return {}; }
};

}  // namespace quor::sim
