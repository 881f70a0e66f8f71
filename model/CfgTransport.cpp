// Moving configuration blocks between the controller and their records.
#include <algorithm>

#include "link/Udpdev.h"
#include "model/Cfgset.h"

namespace quor {

namespace {

std::vector<uint8_t> ReadBytes(UdpDev& dev, BlockId block)
{
    BlockArea area;
    const int len = std::clamp(dev.ReadBlock(block.Type, block.Index, area), 0, BlockAreaSize);
    return {area.begin(), area.begin() + len};
}

// An empty reply fails as well: no block is shorter than its head.
bool Fits(std::span<const uint8_t> bytes, CfgBlock& record)
{
    return !bytes.empty() && record.Decode(bytes) == static_cast<int>(bytes.size());
}

}  // namespace

bool ReadCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, CfgBlock& block)
{
    return Fits(ReadBytes(dev, {type, index}), block);
}

bool ReadBlocks(UdpDev& dev, std::span<const BlockRecord> blocks, std::vector<RawBlock>& read)
{
    if (!dev.Alive || !ConfigOpen(dev.Mode)) {
        return false;
    }
    dev.EnsureSession();
    for (const BlockRecord& b : blocks) {
        std::vector<uint8_t> bytes = ReadBytes(dev, b.Block);
        if (!Fits(bytes, *b.Record)) {
            return false;
        }
        read.push_back({b.Block, std::move(bytes)});
    }
    return true;
}

void WriteCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, const CfgBlock& block)
{
    BlockBody body;
    const int len = block.Encode(body);
    dev.WriteBlock(type, index, std::span<const uint8_t>(body.data(), len));
}

}  // namespace quor
