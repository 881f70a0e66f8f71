#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace quor {

// CRC-32/MPEG-2: polynomial 0x04C11DB7, MSB first, no reflection, no final XOR.
// Every frame of the protocol starts from CrcInit and stores the result little-endian.
inline constexpr uint32_t CrcInit = 0xFFFFFFFF;

uint32_t Crc32(const uint8_t* data, size_t len, uint32_t init);

inline uint32_t Crc32(std::span<const uint8_t> data, uint32_t init = CrcInit)
{
    return Crc32(data.data(), data.size(), init);
}

}  // namespace quor
