// The controller command set: configuration blocks, the bus-device table, bus maintenance.
#include <algorithm>
#include <stdexcept>

#include "link/Udpdev.h"

namespace quor {

int UdpDev::ReadBlock(uint8_t type, uint8_t index, BlockArea& out)
{
    const uint8_t payload[] = {type, index};
    return SignedExchange(CmdReadBlock, payload, out);
}

void UdpDev::WriteBlock(uint8_t type, uint8_t index, std::span<const uint8_t> block)
{
    if (block.size() > MaxBlockLen) {
        throw std::length_error("configuration block too long");
    }
    BlockArea payload;
    const size_t n = block.size();
    payload[0] = type;
    payload[1] = index;
    std::copy_n(block.begin(), n, payload.begin() + 2);
    SignedCommand(CmdWriteBlock, std::span(payload.data(), n + 2));
}

int UdpDev::ReadBusTable(BlockArea& out)
{
    if (!Alive || !ConfigOpen(Mode)) {
        return 0;
    }
    EnsureSession();
    return SignedExchange(CmdReadTable, {}, out);
}

bool UdpDev::TryReadBusTable(BlockArea& out, int* length)
{
    const bool foreignSession = (Mode & ModeSessionBit) && !SessionOpen;
    if (Version != ProtocolVersion || !Alive || !ConfigOpen(Mode) || foreignSession) {
        return false;
    }
    if (!SessionOpen) {
        OpenSession();
    }
    const int len = SignedExchange(CmdReadTable, {}, out);
    if (length) {
        *length = len;
    }
    return len > 0;
}

void UdpDev::DeleteLost()
{
    EnsureSession();
    SignedCommand(CmdDeleteLost, {});
}

void UdpDev::ReplaceDevice(uint16_t pair)
{
    EnsureSession();
    const uint8_t payload[] = {static_cast<uint8_t>(pair), static_cast<uint8_t>(pair >> 8)};
    SignedCommand(CmdReplace, payload);
}

}  // namespace quor
