#include "sim/EmuDevice.h"

#include <algorithm>

#include "sim/EmuFrames.h"

namespace quor::sim {

namespace {

constexpr uint8_t CmdStatus = 'O';
constexpr uint8_t CmdTime = 'T';
constexpr size_t StatusSize = 16;
constexpr uint8_t SessionBit = 0x80;
// Bits 28 to 30 of an identity: 2 for a standard name, and the search takes nothing else.
constexpr uint32_t VariantMask = 0x70000000;
constexpr uint32_t OtherVariant = 0x30000000;
// A command letter the configurator never sends, so no request matches it.
constexpr uint8_t NoticeLetter = 'N';

}  // namespace

EmuDevice::EmuDevice(uint32_t id, uint8_t mode, uint8_t versionDigit)
    : Id(id), Mode(mode), VersionDigit(versionDigit)
{
}

std::vector<Bytes> EmuDevice::Handle(std::span<const uint8_t> in, std::string_view fromIp, int64_t nowMs)
{
    HeldBackMs = 0;
    if (HasSignedTag(in))
        return SignedRequest(in, fromIp, nowMs);
    const auto request = ReadPlain(in);
    if (!request)
        return {};
    const size_t n = request->Payload.size();
    if (request->Cmd == CmdStatus && (request->Id == Id || request->Id == SearchId) && n == 0) {
        ++Received[CmdStatus];
        return PlainReply(CmdStatus, Status(nowMs));
    }
    if (request->Id != Id)
        return {};
    if (request->Cmd == CmdTime && n == 4) {
        ++Received[CmdTime];
        LastTime = GetLe32(request->Payload.data());
        ++TimeAnnouncements;
        return {};
    }
    auto replies = PlainCommand(request->Cmd, request->Payload, fromIp, nowMs);
    if (!replies)
        return {};
    ++Received[request->Cmd];
    return *replies;
}

int EmuDevice::ReplyDelayMs() const
{
    return HeldBackMs;
}

int EmuDevice::FloodPeriodMs() const
{
    return FloodPeriod;
}

// Two kinds of stray traffic by turns: a status reply in another identity
// (one whose name variant the search refuses, so it never adds a device) and
// a frame of the right tag letters with a command letter nobody asked for.
Bytes EmuDevice::FloodDatagram() const
{
    const Bytes status(StatusSize, 0);
    if (FloodCount++ % 2 == 0)
        return PlainFrame(CmdStatus, (Id & ~VariantMask) | OtherVariant, status);
    return PlainFrame(NoticeLetter, Id, status);
}

void EmuDevice::Inject(Fault kind, uint8_t cmd, int count, int after)
{
    if (count != 0)
        Faults.push_back({kind, cmd, count, std::max(after, 0)});
}

void EmuDevice::ClearFaults()
{
    Faults.clear();
}

bool EmuDevice::SessionLive(int64_t) const
{
    return false;
}

std::optional<std::vector<Bytes>> EmuDevice::PlainCommand(uint8_t, std::span<const uint8_t>, std::string_view,
                                                          int64_t)
{
    return std::nullopt;
}

std::vector<Bytes> EmuDevice::SignedRequest(std::span<const uint8_t>, std::string_view, int64_t)
{
    return {};
}

std::vector<Bytes> EmuDevice::PlainReply(uint8_t cmd, Bytes payload)
{
    if (TakeFault(Fault::DropReply, cmd))
        return {};
    TakeLateFault(cmd);
    if (TakeFault(Fault::LongReply, cmd))
        payload.push_back(0x00);
    Bytes frame = PlainFrame(cmd, Id, payload);
    if (TakeFault(Fault::BadCrc, cmd))
        frame.back() ^= 0x01;
    return {frame};
}

bool EmuDevice::TakeFault(Fault kind, uint8_t cmd)
{
    const auto hit = std::find_if(Faults.begin(), Faults.end(), [&](const FaultSwitch& f) {
        return f.Kind == kind && (f.Cmd == 0 || f.Cmd == cmd);
    });
    if (hit == Faults.end())
        return false;
    if (hit->Spare > 0) {
        --hit->Spare;
        return false;
    }
    if (hit->Left > 0 && --hit->Left == 0)
        Faults.erase(hit);
    return true;
}

void EmuDevice::TakeLateFault(uint8_t cmd)
{
    if (TakeFault(Fault::LateReply, cmd))
        HeldBackMs = LateReplyMs;
}

// Byte 2 carries the mode, byte 3 the protocol version digit; the rest is the
// device's own: here the last time it was told, little-endian, at bytes 4 to 7.
Bytes EmuDevice::Status(int64_t nowMs) const
{
    Bytes status(StatusSize, 0);
    status[2] = static_cast<uint8_t>((Mode & ~SessionBit) | (SessionLive(nowMs) ? SessionBit : 0));
    status[3] = VersionDigit;
    for (int i = 0; i < 4; ++i)
        status[4 + i] = static_cast<uint8_t>(LastTime >> (8 * i));
    return status;
}

}  // namespace quor::sim
