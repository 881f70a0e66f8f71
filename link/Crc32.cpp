#include "link/Crc32.h"

#include <array>

namespace quor {

namespace {

constexpr uint32_t CrcPoly = 0x04C11DB7;

// Entry b is the register change caused by byte b entering the top eight bits:
// eight MSB-first shifts, XORing the polynomial after each one that pushes out a 1 bit.
constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t reg = b << 24;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ CrcPoly : reg << 1;
        table[b] = reg;
    }
    return table;
}

constexpr std::array<uint32_t, 256> CrcTable = MakeCrcTable();

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t len, uint32_t init)
{
    uint32_t reg = init;
    for (size_t i = 0; i < len; ++i)
        reg = (reg << 8) ^ CrcTable[(reg >> 24) ^ data[i]];
    return reg;
}

}  // namespace quor
