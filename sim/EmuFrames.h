#pragma once
// Frames as a device builds and checks them: the plain frame with its CRC-32
// and the signed frame with its CMAC signature. Written from the byte layout
// of the wire, independently of the configurator's link code.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "sim/LanHost.h"

namespace quor::sim {

using SessionKeyBytes = std::array<uint8_t, 16>;

inline constexpr uint32_t SearchId = 0xFFFFFFFF;  // the identity a search is addressed to
inline constexpr uint8_t AckByte = 0x06;
inline constexpr uint8_t NakByte = 0x15;
inline constexpr size_t PlainOverhead = 12;   // tag, command, identity, CRC
inline constexpr size_t SignedOverhead = 19;  // tag, identity, counter, command, signature
inline constexpr size_t SignatureSize = 8;
inline constexpr size_t LongestPayload = 1400;

void PutLe16(Bytes& out, uint16_t value);
void PutLe32(Bytes& out, uint32_t value);
uint16_t GetLe16(const uint8_t* p);
uint32_t GetLe32(const uint8_t* p);

// "MMD", the command byte, the identity, the payload and the CRC of all before it.
Bytes PlainFrame(uint8_t cmd, uint32_t id, std::span<const uint8_t> payload);

struct PlainRequest {
    uint8_t Cmd;
    uint32_t Id;
    std::span<const uint8_t> Payload;
};
// A plain frame whose tag, length and CRC hold; nullopt for anything else.
std::optional<PlainRequest> ReadPlain(std::span<const uint8_t> in);

// Signed frames carry the fixed tag "MMDC"; the letter C never travels plain.
bool HasSignedTag(std::span<const uint8_t> in);

// The first 8 bytes of the AES-128 CMAC of `covered` under `key`.
std::array<uint8_t, SignatureSize> Signature(const SessionKeyBytes& key, std::span<const uint8_t> covered);
// The signature at the end of `frame` is that of the bytes before it.
bool SignatureHolds(const SessionKeyBytes& key, std::span<const uint8_t> frame);
Bytes SignedFrame(const SessionKeyBytes& key, uint32_t id, uint16_t counter, uint8_t cmdByte,
                  std::span<const uint8_t> payload);

// The session key is the 16 session bytes encrypted under themselves.
SessionKeyBytes SessionKeyFrom(const SessionKeyBytes& sessionBytes);

}  // namespace quor::sim
