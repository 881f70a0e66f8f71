#include <random>

#include "sim/EmuDevice.h"
#include "sim/EmuFrames.h"

namespace quor::sim {

namespace {

constexpr uint8_t CmdSession = 'K';
constexpr uint8_t EchoBit = 0x80;

}  // namespace

std::vector<Bytes> EmuController::Handle(std::span<const uint8_t> in, std::string_view fromIp, int64_t nowMs)
{
    if (!SessionPeer.empty() && !SessionLive(nowMs))
        SessionPeer.clear();
    if (!SessionPeer.empty() && fromIp == SessionPeer)
        LastPeerMs = nowMs;
    if (Bus)
        Bus->Tick(nowMs);
    return EmuDevice::Handle(in, fromIp, nowMs);
}

bool EmuController::SessionLive(int64_t nowMs) const
{
    return !SessionPeer.empty() && nowMs - LastPeerMs < SessionLapseMs;
}

void EmuController::HoldForeignSession(int64_t nowMs, std::string peer)
{
    SessionPeer = std::move(peer);
    SessionKey = SessionKeyFrom(Random());
    Counter = 0;
    LastPeerMs = nowMs;
}

std::function<std::array<uint8_t, 16>()> EmuController::SeededRandom(uint32_t seed)
{
    return [engine = std::mt19937(seed)]() mutable {
        std::array<uint8_t, 16> bytes{};
        for (auto& b : bytes)
            b = static_cast<uint8_t>(engine());
        return bytes;
    };
}

std::optional<std::vector<Bytes>> EmuController::PlainCommand(uint8_t cmd, std::span<const uint8_t> payload,
                                                              std::string_view fromIp, int64_t nowMs)
{
    if (cmd != CmdSession || !payload.empty())
        return std::nullopt;
    return OpenSession(fromIp, nowMs);
}

// While another configurator's session is live, the request is refused with
// an empty payload; the same peer asking again gets a fresh session.
std::vector<Bytes> EmuController::OpenSession(std::string_view fromIp, int64_t nowMs)
{
    if (SessionLive(nowMs) && SessionPeer != fromIp)
        return PlainReply(CmdSession, {});
    const auto sessionBytes = Random();
    SessionPeer = std::string(fromIp);
    SessionKey = SessionKeyFrom(sessionBytes);
    Counter = 0;
    LastPeerMs = nowMs;
    return PlainReply(CmdSession, Bytes(sessionBytes.begin(), sessionBytes.end()));
}

// Frames that fail any test are ignored without a word, as a device does with
// traffic it cannot trust.
std::vector<Bytes> EmuController::SignedRequest(std::span<const uint8_t> in, std::string_view fromIp,
                                                int64_t nowMs)
{
    if (in.size() < SignedOverhead || GetLe32(in.data() + 4) != Id || !SessionLive(nowMs) ||
        fromIp != SessionPeer || !SignatureHolds(SessionKey, in))
        return {};
    const uint8_t cmd = in[10];
    const auto payload = in.subspan(11, in.size() - SignedOverhead);
    auto reply = Command(cmd, payload, nowMs);
    if (!reply)
        return {};
    ++Received[cmd];
    if (cmd == 's')
        SessionPeer.clear();
    return SignedReply(cmd, std::move(*reply));
}

std::vector<Bytes> EmuController::SignedReply(uint8_t cmd, Bytes payload)
{
    const uint16_t counter = ++Counter;  // a lost reply still used its number
    if (TakeFault(Fault::DropReply, cmd))
        return {};
    TakeLateFault(cmd);
    if (payload.size() == 1 && payload[0] == AckByte && TakeFault(Fault::BadAck, cmd))
        payload[0] = NakByte;
    if (TakeFault(Fault::LongReply, cmd))
        payload.push_back(0x00);
    const uint8_t echo = TakeFault(Fault::BadEcho, cmd) ? cmd : static_cast<uint8_t>(cmd | EchoBit);
    Bytes frame = SignedFrame(SessionKey, Id, counter, echo, payload);
    if (TakeFault(Fault::BadSignature, cmd))
        frame[frame.size() - SignatureSize] ^= 0x01;
    return {frame};
}

}  // namespace quor::sim
