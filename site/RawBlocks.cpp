#include "site/RawBlocks.h"

#include <algorithm>

namespace quor::site {

std::string BlockText(BlockId block)
{
    return std::to_string(block.Type) + "/" + std::to_string(block.Index);
}

std::string BlocksText(std::span<const BlockId> blocks, std::string_view separator)
{
    std::string text;
    for (const BlockId block : blocks) {
        if (!text.empty())
            text += separator;
        text += BlockText(block);
    }
    return text;
}

bool SameBody(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    return std::ranges::equal(BodyOf(a), BodyOf(b));
}

std::span<const uint8_t> BodyOf(const std::vector<uint8_t>& bytes)
{
    return std::span(bytes).subspan(std::min<size_t>(BlockHeadLen, bytes.size()));
}

void WriteRawBlocks(UdpDev& dev, std::span<const RawBlock> blocks,
                    const std::function<void(const RawBlock&)>& written)
{
    dev.EnsureSession();
    for (const RawBlock& raw : blocks) {
        dev.WriteBlock(raw.Block.Type, raw.Block.Index, BodyOf(raw.Bytes));
        written(raw);
    }
}

std::vector<RefSlot> RefSlotsOf(const CfgBlock& shape)
{
    std::vector<RefSlot> slots;
    size_t offset = BlockHeadLen;
    const auto group = [&](SlotGroup g, int count, size_t capacity) {
        for (int slot = 0; slot < std::clamp<int>(count, 0, static_cast<int>(capacity)); ++slot) {
            slots.push_back({g, slot, offset});
            offset += 2;
        }
    };
    group(SlotGroup::Outputs, shape.OutputCount, shape.Outputs.size());
    group(SlotGroup::OutputSets, shape.OutputSetCount, shape.OutputSets.size());
    group(SlotGroup::Inputs, shape.InputCount, shape.Inputs.size());
    group(SlotGroup::Readers, shape.ReaderCount, shape.Readers.size());
    return slots;
}

size_t ParamsOffset(const CfgBlock& shape)
{
    return BlockHeadLen + 2 * RefSlotsOf(shape).size();
}

}  // namespace quor::site
