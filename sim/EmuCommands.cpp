// The signed command set of a controller, once the frame and its signature
// have been checked.

#include "sim/BlockShape.h"
#include "sim/EmuDevice.h"
#include "sim/EmuFrames.h"

namespace quor::sim {

namespace {

constexpr uint8_t CmdKeepAlive = 'S';
constexpr uint8_t CmdClose = 's';
constexpr uint8_t CmdReadTable = 'D';
constexpr uint8_t CmdReadBlock = 'C';
constexpr uint8_t CmdWriteBlock = 'c';
constexpr uint8_t CmdDeleteLost = 'F';
constexpr uint8_t CmdReplace = 'R';
// Modes Blokada and Konfiguracja keep the bus and door configuration closed.
constexpr uint8_t ModeIndexMask = 0x03;
constexpr uint8_t FirstOpenMode = 2;

}  // namespace

std::optional<Bytes> EmuController::Command(uint8_t cmd, std::span<const uint8_t> payload, int64_t nowMs)
{
    if (cmd == CmdKeepAlive || cmd == CmdClose) {
        if (!payload.empty())
            return std::nullopt;
        return Bytes{AckByte};
    }
    return ConfigCommand(cmd, payload, nowMs);
}

// A refused read answers with nothing, a refused change with the byte 0x15.
std::optional<Bytes> EmuController::ConfigCommand(uint8_t cmd, std::span<const uint8_t> payload,
                                                  int64_t nowMs)
{
    const bool open = (Mode & ModeIndexMask) >= FirstOpenMode;
    switch (cmd) {
    case CmdReadTable:
        if (!payload.empty())
            return std::nullopt;
        if (!open)
            return Bytes{};
        return Bus ? Bus->TableBytes() : BusTable;
    case CmdReadBlock: {
        if (payload.size() != 2)
            return std::nullopt;
        const auto block = Blocks.find({payload[0], payload[1]});
        if (!open || block == Blocks.end())
            return Bytes{};
        return block->second;
    }
    case CmdWriteBlock:
        if (payload.size() < 2 || payload.size() > LongestPayload)
            return std::nullopt;
        if (!open)
            return Bytes{NakByte};
        return WriteBlock(payload[0], payload[1], payload.subspan(2));
    case CmdDeleteLost:
        if (!payload.empty())
            return std::nullopt;
        if (!open)
            return Bytes{NakByte};
        ++DeleteLostCount;
        if (Bus)
            Bus->DeleteLost();
        return Bytes{AckByte};
    case CmdReplace:
        if (payload.size() != 2)
            return std::nullopt;
        if (!open)
            return Bytes{NakByte};
        return Replace(payload, nowMs);
    default:
        return std::nullopt;
    }
}

// A block of a known shape is kept in the layout it is read back in; a
// configured controller refuses a block it has no place for.
Bytes EmuController::WriteBlock(uint8_t type, uint8_t index, std::span<const uint8_t> body)
{
    const BlockShape* shape = ShapeOf(type);
    const bool fits = shape && body.size() == shape->BodyLength();
    if (Bus && (!fits || !Bus->HoldsBlock(type, index)))
        return {NakByte};
    Blocks[{type, index}] = fits ? ReadLayout(*shape, body) : Bytes(body.begin(), body.end());
    Writes.emplace_back(type, index, Bytes(body.begin(), body.end()));
    if (Bus && type == DoorBlockType)
        Bus->AcceptNew();
    if (AfterWrite)
        AfterWrite(type, index);
    return {AckByte};
}

// Low byte: the entry of the device being replaced; high byte: its successor.
Bytes EmuController::Replace(std::span<const uint8_t> pair, int64_t nowMs)
{
    if (Bus && !Bus->Replace(pair[0], pair[1], nowMs))
        return {NakByte};
    Replacements.push_back(GetLe16(pair.data()));
    return {AckByte};
}

}  // namespace quor::sim
