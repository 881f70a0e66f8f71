#include "link/Crc32.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quor {
namespace {

using test::HexBytes;

std::span<const uint8_t> Ascii(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

struct CrcCase {
    std::string_view input;
    uint32_t crc;
};

const CrcCase CrcCases[] = {
    {"123456789", 0x0376E6E7},  // CRC catalogue, CRC-32/MPEG-2 check value
    {"abc", 0x9B73448C},        // worked example of the frame checksum
    {"", CrcInit},              // no bytes: the register is left as started, no final XOR
};

TEST(Crc32, KnownValues)
{
    for (const CrcCase& c : CrcCases)
        EXPECT_EQ(Crc32(Ascii(c.input)), c.crc) << '"' << c.input << '"';
}

// The register straight from its definition: each byte into the top eight bits, then eight
// MSB-first shifts with the polynomial XORed in after each carry-out.
uint32_t BitwiseCrc(uint8_t byte, uint32_t reg)
{
    reg ^= uint32_t{byte} << 24;
    for (int bit = 0; bit < 8; ++bit)
        reg = (reg & 0x80000000u) ? (reg << 1) ^ 0x04C11DB7u : reg << 1;
    return reg;
}

TEST(Crc32, EveryTableEntryMatchesTheBitwiseDefinition)
{
    for (int b = 0; b < 256; ++b) {
        const uint8_t byte = static_cast<uint8_t>(b);
        EXPECT_EQ(Crc32(&byte, 1, 0), BitwiseCrc(byte, 0)) << "byte " << b;
        EXPECT_EQ(Crc32(&byte, 1, CrcInit), BitwiseCrc(byte, CrcInit)) << "byte " << b;
    }
}

TEST(Crc32, ContinuesFromTheGivenInitialValue)
{
    const auto whole = Ascii("123456789");
    EXPECT_EQ(Crc32(whole.subspan(4), Crc32(whole.first(4))), 0x0376E6E7u);
}

// How a receiver checks a frame: the CRC of the covered bytes equals the four bytes behind
// them read little-endian.
TEST(Crc32, StoredLittleEndianBehindTheCoveredBytes)
{
    const std::vector<uint8_t> frame = HexBytes("61 62 63  8C 44 73 9B");  // "abc" + CRC
    const auto covered = std::span(frame).first(3);
    const uint32_t stored = frame[3] | frame[4] << 8 | frame[5] << 16 | uint32_t{frame[6]} << 24;
    EXPECT_EQ(Crc32(covered), stored);
}

}  // namespace
}  // namespace quor
