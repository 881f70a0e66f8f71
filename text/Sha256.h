#pragma once
// SHA-256 (FIPS 180-4): the fingerprints of controller configurations and of
// the site files a saved plan was made from.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quor {

// Incremental form for data that comes in pieces; after Final the digest
// starts afresh.
class Sha256Digest {
public:
    void Update(std::span<const uint8_t> data);
    void Update(std::string_view data);
    std::array<uint8_t, 32> Final();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> State{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                  0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<uint8_t, 64> Block{};
    uint64_t Length = 0;  // bytes so far; Length % 64 of them wait in Block
};

// SHA-256 of bytes.
std::array<uint8_t, 32> Sha256(std::span<const uint8_t> data);

// The digest in lowercase hex, 64 characters.
std::string Sha256Hex(std::string_view data);

}  // namespace quor
