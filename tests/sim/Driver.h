#pragma once
// Drives one emulated controller frame by frame as a configurator would, with
// the cipher and CRC of tests/sim/SimOracle.h.

#include <algorithm>
#include <stdexcept>
#include <string>

#include "sim/EmuDevice.h"
#include "tests/sim/SimOracle.h"

namespace quor::sim::test {

struct Driver {
    explicit Driver(EmuController& device) : Device(device) { Peer.Id = device.Id; }

    std::vector<Bytes> Send(const Bytes& frame, int64_t nowMs = 0)
    {
        return Device.Handle(frame, From, nowMs);
    }

    void Open(int64_t nowMs = 0)
    {
        const auto replies = Send(OraclePlainFrame('K', Device.Id), nowMs);
        if (replies.size() != 1 || replies[0].size() != 28)
            throw std::runtime_error("session refused");
        Block16 sessionBytes{};
        std::copy_n(replies[0].begin() + 8, 16, sessionBytes.begin());
        Peer.Key = OracleAes(sessionBytes, sessionBytes);
        Peer.Counter = 0;
    }

    // The payload of the one signed reply to cmd; throws when there is none or it does not verify.
    Bytes Command(uint8_t cmd, const Bytes& payload = {}, int64_t nowMs = 0)
    {
        const auto replies = Send(Peer.Request(cmd, payload), nowMs);
        if (replies.size() != 1)
            throw std::runtime_error("no reply");
        return Peer.Payload(replies[0], cmd);
    }

    EmuController& Device;
    OraclePeer Peer;
    std::string From = "10.45.0.1";
};

}  // namespace quor::sim::test
