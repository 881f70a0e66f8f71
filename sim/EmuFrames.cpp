#include "sim/EmuFrames.h"

#include <algorithm>

#include "link/Cipher.h"
#include "link/Crc32.h"

namespace quor::sim {

namespace {

constexpr uint8_t Tag[3] = {'M', 'M', 'D'};
constexpr uint8_t SignedLetter = 'C';

}  // namespace

void PutLe16(Bytes& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLe32(Bytes& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint16_t GetLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t GetLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

Bytes PlainFrame(uint8_t cmd, uint32_t id, std::span<const uint8_t> payload)
{
    Bytes frame(std::begin(Tag), std::end(Tag));
    frame.push_back(cmd);
    PutLe32(frame, id);
    frame.insert(frame.end(), payload.begin(), payload.end());
    PutLe32(frame, Crc32(frame));
    return frame;
}

std::optional<PlainRequest> ReadPlain(std::span<const uint8_t> in)
{
    if (in.size() < PlainOverhead || !std::equal(std::begin(Tag), std::end(Tag), in.begin()) ||
        in[3] == SignedLetter)
        return std::nullopt;
    const size_t covered = in.size() - 4;
    if (Crc32(in.first(covered)) != GetLe32(in.data() + covered))
        return std::nullopt;
    return PlainRequest{in[3], GetLe32(in.data() + 4), in.subspan(8, covered - 8)};
}

bool HasSignedTag(std::span<const uint8_t> in)
{
    return in.size() >= 4 && std::equal(std::begin(Tag), std::end(Tag), in.begin()) && in[3] == SignedLetter;
}

std::array<uint8_t, SignatureSize> Signature(const SessionKeyBytes& key, std::span<const uint8_t> covered)
{
    // A cipher of its own: the device must not disturb the key the configurator
    // holds loaded in the shared one while it waits for this reply. It is kept
    // from frame to frame, so that the frames of one session reuse its key schedule.
    thread_local AES128 aes;
    thread_local Cmac mac(&aes);
    aes.SetKey(key.data());
    mac.Reset();
    mac.Update(covered.data(), covered.size());
    std::array<uint8_t, 16> tag{};
    mac.Final(tag.data());
    std::array<uint8_t, SignatureSize> signature{};
    std::copy_n(tag.begin(), SignatureSize, signature.begin());
    return signature;
}

bool SignatureHolds(const SessionKeyBytes& key, std::span<const uint8_t> frame)
{
    if (frame.size() < SignedOverhead)
        return false;
    const size_t covered = frame.size() - SignatureSize;
    const auto expected = Signature(key, frame.first(covered));
    return SameSignature(expected.data(), frame.data() + covered, SignatureSize);
}

Bytes SignedFrame(const SessionKeyBytes& key, uint32_t id, uint16_t counter, uint8_t cmdByte,
                  std::span<const uint8_t> payload)
{
    Bytes frame(std::begin(Tag), std::end(Tag));
    frame.push_back(SignedLetter);
    PutLe32(frame, id);
    PutLe16(frame, counter);
    frame.push_back(cmdByte);
    frame.insert(frame.end(), payload.begin(), payload.end());
    const auto signature = Signature(key, frame);
    frame.insert(frame.end(), signature.begin(), signature.end());
    return frame;
}

SessionKeyBytes SessionKeyFrom(const SessionKeyBytes& sessionBytes)
{
    AES128 aes;
    aes.SetKey(sessionBytes.data());
    SessionKeyBytes key = sessionBytes;
    aes.Encrypt(key.data());
    return key;
}

}  // namespace quor::sim
