// Moving one configuration block between the controller and its record.
#include <algorithm>

#include "link/Udpdev.h"
#include "model/Cfgset.h"

namespace quor {

bool ReadCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, CfgBlock& block)
{
    BlockArea area;
    const int len = std::clamp(dev.ReadBlock(type, index, area), 0, BlockAreaSize);
    // An empty reply fails as well: no block is shorter than its head.
    return len > 0 && block.Decode(std::span<const uint8_t>(area.data(), len)) == len;
}

void WriteCfgBlock(UdpDev& dev, uint8_t type, uint8_t index, const CfgBlock& block)
{
    BlockBody body;
    const int len = block.Encode(body);
    dev.WriteBlock(type, index, std::span<const uint8_t>(body.data(), len));
}

}  // namespace quor
