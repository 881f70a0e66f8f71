#pragma once
// Test support for the link: hex frames, a scripted host, a LAN with one configurator.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "link/Crc32.h"
#include "link/Udpdev.h"
#include "sim/VirtualLan.h"
#include "tests/support/HexBytes.h"

namespace quor::test {

using sim::Bytes;

// The given bytes followed by their CRC-32, little-endian.
inline Bytes WithCrc(Bytes frame)
{
    const uint32_t crc = Crc32(frame);
    for (int i = 0; i < 4; ++i) {
        frame.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    }
    return frame;
}

// A host whose answers the test decides; it keeps every datagram it got.
class ScriptHost : public sim::LanHost {
public:
    std::vector<Bytes> Handle(std::span<const uint8_t> in, std::string_view, int64_t) override
    {
        Requests.emplace_back(in.begin(), in.end());
        return Reply ? Reply(Requests.back()) : std::vector<Bytes>{};
    }
    int FloodPeriodMs() const override { return FloodPeriod; }
    Bytes FloodDatagram() const override { return Flood; }

    std::function<std::vector<Bytes>(const Bytes&)> Reply;
    std::vector<Bytes> Requests;
    int FloodPeriod = 0;
    Bytes Flood;
};

// The command letters of the frames sent to ip since trace index `from`, in order:
// "OKD" is a poll, a session request and a signed table read.
inline std::string Commands(const sim::VirtualLan& lan, const std::string& ip, size_t from = 0)
{
    std::string letters;
    for (const auto& f : lan.SentTo(ip, from)) {
        const bool isSigned = f.Data.size() >= 11 && f.Data[3] == 'C';
        letters += static_cast<char>(isSigned ? f.Data[10] : f.Data[3]);
    }
    return letters;
}

class LanTest : public ::testing::Test {
protected:
    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();
    int64_t Now() const { return Lan.Clock.Ms; }
};

}  // namespace quor::test
