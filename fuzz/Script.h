#pragma once
// A fuzz input read as a run of datagrams, and the repairs that let a
// datagram past the checks a fuzzer could hardly satisfy by chance.
//
// Each datagram is one control byte, a 16-bit little-endian length and that
// many bytes (fewer where the input ends). Control bits:
//   bit 0  Match: the frame head is made to fit (tag, identity, echo byte)
//   bit 1  Seal: the last 4 bytes become the CRC-32, or for a signed frame
//          ("MMDC") the last 8 bytes the signature under the session key
//   bit 2  the datagram comes from the second address
//   bits 3-7  a delay: how long after the previous datagram it arrives

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "link/Crc32.h"
#include "sim/EmuFrames.h"

namespace quor::fuzz {

using Bytes = std::vector<uint8_t>;

struct ScriptedDatagram {
    uint8_t Control = 0;
    Bytes Data;

    bool Matched() const { return Control & 1; }
    bool Sealed() const { return Control & 2; }
    bool FromSecond() const { return Control & 4; }
    int Delay() const { return Control >> 3; }
};

inline std::vector<ScriptedDatagram> ReadScript(FuzzInput& in)
{
    std::vector<ScriptedDatagram> script;
    while (!in.Empty()) {
        ScriptedDatagram d;
        d.Control = in.Byte();
        const auto bytes = in.Take(in.Word());
        d.Data.assign(bytes.begin(), bytes.end());
        script.push_back(std::move(d));
    }
    return script;
}

inline bool IsSigned(std::span<const uint8_t> frame)
{
    return sim::HasSignedTag(frame);
}

// Tag letters and command byte from `head`, identity `id`.
inline void MatchHead(Bytes& d, std::span<const uint8_t, 4> head, uint32_t id)
{
    std::copy_n(head.begin(), std::min<size_t>(4, d.size()), d.begin());
    for (size_t i = 4; i < 8 && i < d.size(); ++i)
        d[i] = static_cast<uint8_t>(id >> (8 * (i - 4)));
}

inline void Seal(Bytes& d, const sim::SessionKeyBytes& key)
{
    if (IsSigned(d) && d.size() > sim::SignatureSize) {
        const size_t covered = d.size() - sim::SignatureSize;
        const auto signature = sim::Signature(key, std::span(d).first(covered));
        std::copy(signature.begin(), signature.end(), d.begin() + static_cast<std::ptrdiff_t>(covered));
    } else if (!IsSigned(d) && d.size() > 4) {
        const size_t covered = d.size() - 4;
        const uint32_t crc = Crc32(std::span<const uint8_t>(d).first(covered));
        for (size_t i = 0; i < 4; ++i)
            d[covered + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
}

}  // namespace quor::fuzz
