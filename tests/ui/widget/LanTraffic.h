#pragma once
// What the window sent to an emulated device, read from the LAN's trace.

#include <string>
#include <string_view>
#include <vector>

#include "sim/VirtualLan.h"

namespace quor::test {

// A signed frame: "MMDC", identity, counter, command, payload, 8-byte signature.
inline bool IsSigned(const sim::Bytes& frame)
{
    return frame.size() >= 19 && frame[3] == 'C';
}

// The command letters of the frames sent to ip from trace index `from` on:
// a plain frame carries its letter after "MMD", a signed one at offset 10.
inline std::string Commands(const sim::VirtualLan& lan, const std::string& ip, size_t from)
{
    std::string letters;
    for (const sim::Frame& f : lan.SentTo(ip, from)) {
        letters += static_cast<char>(IsSigned(f.Data) ? f.Data[10] : f.Data[3]);
    }
    return letters;
}

// Commands() of only the command letters among letters, in order.
inline std::string CommandsAmong(const sim::VirtualLan& lan, const std::string& ip, size_t from,
                                 std::string_view letters)
{
    std::string kept;
    for (const char c : Commands(lan, ip, from)) {
        if (letters.find(c) != std::string_view::npos) {
            kept += c;
        }
    }
    return kept;
}

// The payloads of the signed frames with command cmd sent to ip from trace index `from` on.
inline std::vector<sim::Bytes> SignedPayloads(const sim::VirtualLan& lan, const std::string& ip, uint8_t cmd,
                                              size_t from)
{
    std::vector<sim::Bytes> payloads;
    for (const sim::Frame& f : lan.SentTo(ip, from)) {
        if (IsSigned(f.Data) && f.Data[10] == cmd) {
            payloads.emplace_back(f.Data.begin() + 11, f.Data.end() - 8);
        }
    }
    return payloads;
}

}  // namespace quor::test
