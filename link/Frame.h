#pragma once
// Little-endian field access and frame layout shared by the link's units.
#include <cstdint>
#include <cstring>
#include <span>

namespace quor {

inline uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t Get32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline void Put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

// Plain frame: "MMD", command, identity, payload, CRC-32.
inline constexpr int PlainOverhead = 12;
// Signed frame: "MMDC", identity, counter, command, payload, 8-byte signature.
inline constexpr int SignedHead = 11;
inline constexpr int SignatureLen = 8;
inline constexpr int SignedOverhead = SignedHead + SignatureLen;
inline constexpr int MaxFrameLen = SignedOverhead + 1400;

}  // namespace quor
