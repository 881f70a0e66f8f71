#pragma once
// Test support for the emulator: byte strings written the way a capture shows
// them, and the configurator's side of a session built on OpenSSL, so that the
// emulator's cipher use is checked against an outside implementation.

#include <openssl/core_names.h>
#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/HexBytes.h"

namespace quor::sim::test {

using Bytes = std::vector<uint8_t>;

using quor::test::HexBytes;
using quor::test::HexText;

// CRC-32/MPEG-2, bitwise: polynomial 04C11DB7, initial FFFFFFFF, no reflection, no final XOR.
inline uint32_t OracleCrc(const uint8_t* data, size_t length)
{
    uint32_t reg = 0xFFFFFFFF;
    for (size_t i = 0; i < length; ++i) {
        reg ^= static_cast<uint32_t>(data[i]) << 24;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 0x80000000u) ? (reg << 1) ^ 0x04C11DB7u : reg << 1;
    }
    return reg;
}

inline bool CrcHolds(const Bytes& frame)
{
    if (frame.size() < 4)
        return false;
    const size_t at = frame.size() - 4;
    const uint32_t stored =
        frame[at] | frame[at + 1] << 8 | frame[at + 2] << 16 | uint32_t(frame[at + 3]) << 24;
    return OracleCrc(frame.data(), at) == stored;
}

inline Bytes OraclePlainFrame(uint8_t cmd, uint32_t id)
{
    Bytes frame = {'M', 'M', 'D', cmd};
    for (int i = 0; i < 4; ++i)
        frame.push_back(static_cast<uint8_t>(id >> (8 * i)));
    const uint32_t crc = OracleCrc(frame.data(), frame.size());
    for (int i = 0; i < 4; ++i)
        frame.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    return frame;
}

using Block16 = std::array<uint8_t, 16>;

// AES-128 of one block (OpenSSL, ECB without padding).
inline Block16 OracleAes(const Block16& key, const Block16& block)
{
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    Block16 out{};
    int length = 0;
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_128_ecb(), nullptr, key.data(), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_EncryptUpdate(ctx.get(), out.data(), &length, block.data(), 16) != 1)
        throw std::runtime_error("OpenSSL AES failed");
    return out;
}

// The first 8 bytes of the AES-128 CMAC (OpenSSL).
inline Bytes OracleSignature(const Block16& key, const uint8_t* data, size_t length)
{
    std::unique_ptr<EVP_MAC, decltype(&EVP_MAC_free)> mac(EVP_MAC_fetch(nullptr, "CMAC", nullptr),
                                                          EVP_MAC_free);
    std::unique_ptr<EVP_MAC_CTX, decltype(&EVP_MAC_CTX_free)> ctx(mac ? EVP_MAC_CTX_new(mac.get()) : nullptr,
                                                                  EVP_MAC_CTX_free);
    char cipher[] = "AES-128-CBC";
    OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, cipher, 0),
                           OSSL_PARAM_construct_end()};
    Bytes tag(16);
    size_t tagLength = 0;
    if (!ctx || EVP_MAC_init(ctx.get(), key.data(), key.size(), params) != 1 ||
        EVP_MAC_update(ctx.get(), data, length) != 1 ||
        EVP_MAC_final(ctx.get(), tag.data(), &tagLength, tag.size()) != 1)
        throw std::runtime_error("OpenSSL CMAC failed");
    tag.resize(8);
    return tag;
}

// The configurator's half of a session: signs requests and checks replies.
struct OraclePeer {
    Block16 Key{};
    uint32_t Id = 0;
    uint16_t Counter = 0;

    Bytes Request(uint8_t cmd, const Bytes& payload = {})
    {
        ++Counter;
        Bytes frame = {'M', 'M', 'D', 'C'};
        for (int i = 0; i < 4; ++i)
            frame.push_back(static_cast<uint8_t>(Id >> (8 * i)));
        frame.push_back(static_cast<uint8_t>(Counter));
        frame.push_back(static_cast<uint8_t>(Counter >> 8));
        frame.push_back(cmd);
        frame.insert(frame.end(), payload.begin(), payload.end());
        const Bytes signature = OracleSignature(Key, frame.data(), frame.size());
        frame.insert(frame.end(), signature.begin(), signature.end());
        return frame;
    }

    bool SignatureHolds(const Bytes& reply) const
    {
        if (reply.size() < 19)
            return false;
        const Bytes expected = OracleSignature(Key, reply.data(), reply.size() - 8);
        return std::equal(expected.begin(), expected.end(), reply.end() - 8);
    }

    // The payload of a well-formed signed reply to cmd, or throws.
    Bytes Payload(const Bytes& reply, uint8_t cmd) const
    {
        if (reply.size() < 19 || reply[10] != (cmd | 0x80) || !SignatureHolds(reply))
            throw std::runtime_error("not a signed reply to the command: " + HexText(reply));
        return Bytes(reply.begin() + 11, reply.end() - 8);
    }
};

}  // namespace quor::sim::test
