#include "site/KeptSession.h"

#include <algorithm>
#include <stdexcept>

#include "model/KindConfig.h"
#include "site/DeviceSearch.h"

namespace quor::site {

void OpenKept(UdpDev& dev)
{
    if (dev.SessionOpen)
        return;
    if (dev.Mode & ModeSessionBit)
        throw UErr{&dev, ErrForeignSession, 0};
    dev.OpenSession();
}

void EndKept(UdpDev& dev) noexcept
{
    if (!dev.SessionOpen)
        return;
    try {
        dev.SignedCommand(CmdClose, {});
    } catch (const std::exception&) {
    }
    dev.SessionOpen = false;
}

void KeepKept(UdpDev& dev)
{
    if (dev.SessionOpen)
        dev.SignedCommand(CmdKeepAlive, {});
}

namespace {

// Half the time a controller keeps an idle session.
constexpr int64_t KeepAliveAfterMs = 15000;

}  // namespace

KeptSessions::~KeptSessions()
{
    for (const auto& [id, _] : LastUsed)
        if (UdpDev* dev = FindById(Devices, id))
            EndKept(*dev);
}

int64_t KeptSessions::Now() const
{
    return Devices.Udp->Time().NowMs();
}

void KeptSessions::Used(uint32_t id)
{
    for (auto& [own, used] : LastUsed)
        if (own == id) {
            used = Now();
            return;
        }
    LastUsed.emplace_back(id, Now());
}

void KeptSessions::End(uint32_t id)
{
    if (UdpDev* dev = FindById(Devices, id))
        EndKept(*dev);
    Keep(id);
}

void KeptSessions::Keep(uint32_t id)
{
    std::erase_if(LastUsed, [id](const auto& entry) { return entry.first == id; });
}

void KeptSessions::Sweep()
{
    for (auto& [id, used] : LastUsed) {
        UdpDev* dev = FindById(Devices, id);
        if (dev == nullptr || !dev->SessionOpen || Now() - used < KeepAliveAfterMs)
            continue;
        try {
            KeepKept(*dev);
        } catch (const UErr&) {
            // Its own turn opens a session again, or tells why it cannot.
        }
        used = Now();
    }
}

void ReadTableKept(UdpDev& dev, Controller& c)
{
    RequireProtocolVersion(dev);
    if (!ConfigOpen(dev.Mode))
        throw UErr{&dev, ErrModeRefuses, 0};
    OpenKept(dev);
    BlockArea area;
    const int length = std::clamp(dev.SignedExchange(CmdReadTable, {}, area), 0, BlockAreaSize);
    c.Table.Forget();
    c.Table.Parse(std::span(area.data(), static_cast<size_t>(length)));
    if (c.Table.DoorCount == 0)
        throw std::runtime_error(DevName(dev.Id) + ": the bus-device table holds no configuration");
}

std::vector<uint8_t> ReadBlockKept(UdpDev& dev, BlockId block)
{
    BlockArea area;
    const int length = std::clamp(dev.ReadBlock(block.Type, block.Index, area), 0, BlockAreaSize);
    return {area.begin(), area.begin() + length};
}

Backup ReadControllerKept(UdpDev& dev, Controller& c)
{
    ReadTableKept(dev, c);
    Backup read = BackupHead(dev, c.Table);
    for (const BlockRecord& b : KindBlocks(c))
        read.Blocks.push_back({b.Block, ReadBlockKept(dev, b.Block)});
    if (!DecodeBlocks(read.Blocks, c))
        throw UErr{&dev, ErrConfigRead, 0};
    return read;
}

}  // namespace quor::site
