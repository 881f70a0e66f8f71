#include "text/Sha256.h"

#include <algorithm>
#include <bit>

namespace quor {

namespace {

constexpr std::array<uint32_t, 64> RoundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

}  // namespace

void Sha256Digest::Compress(const uint8_t* block)
{
    std::array<uint32_t, 64> w;
    for (int t = 0; t < 16; ++t)
        w[t] = uint32_t{block[4 * t]} << 24 | uint32_t{block[4 * t + 1]} << 16 |
               uint32_t{block[4 * t + 2]} << 8 | uint32_t{block[4 * t + 3]};
    for (int t = 16; t < 64; ++t) {
        const uint32_t s0 = std::rotr(w[t - 15], 7) ^ std::rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
        const uint32_t s1 = std::rotr(w[t - 2], 17) ^ std::rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
        w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    auto [a, b, c, d, e, f, g, h] = State;
    for (int t = 0; t < 64; ++t) {
        const uint32_t sum1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
        const uint32_t t1 = h + sum1 + ((e & f) ^ (~e & g)) + RoundConstants[t] + w[t];
        const uint32_t sum0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
        const uint32_t t2 = sum0 + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const std::array<uint32_t, 8> worked = {a, b, c, d, e, f, g, h};
    for (int i = 0; i < 8; ++i)
        State[i] += worked[i];
}

void Sha256Digest::Update(std::span<const uint8_t> data)
{
    const size_t waiting = Length % 64;
    Length += data.size();
    if (waiting + data.size() < 64) {
        std::copy(data.begin(), data.end(), Block.begin() + waiting);
        return;
    }
    size_t used = 0;
    if (waiting > 0) {
        used = 64 - waiting;
        std::copy(data.begin(), data.begin() + used, Block.begin() + waiting);
        Compress(Block.data());
    }
    for (; data.size() - used >= 64; used += 64)
        Compress(data.data() + used);
    std::copy(data.begin() + used, data.end(), Block.begin());
}

void Sha256Digest::Update(std::string_view data)
{
    Update(std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
}

std::array<uint8_t, 32> Sha256Digest::Final()
{
    // A one bit, zeros up to 8 bytes short of a block end, the length in bits big-endian.
    const uint64_t bits = Length * 8;
    const std::array<uint8_t, 64> padding{0x80};
    Update(std::span(padding).first((119 - Length % 64) % 64 + 1));
    std::array<uint8_t, 8> length;
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
    Update(length);

    std::array<uint8_t, 32> digest;
    for (int i = 0; i < 32; ++i)
        digest[i] = static_cast<uint8_t>(State[i / 4] >> (24 - 8 * (i % 4)));
    *this = Sha256Digest();
    return digest;
}

std::array<uint8_t, 32> Sha256(std::span<const uint8_t> data)
{
    Sha256Digest digest;
    digest.Update(data);
    return digest.Final();
}

std::string Sha256Hex(std::string_view data)
{
    Sha256Digest digest;
    digest.Update(data);
    // HexText writes upper case with blanks between bytes; fingerprints are one lowercase word.
    constexpr std::string_view Digits = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : digest.Final()) {
        hex += Digits[byte >> 4];
        hex += Digits[byte & 15];
    }
    return hex;
}

}  // namespace quor
