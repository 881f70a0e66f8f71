// The byte encoding of a configuration block.
#include "model/Cfgset.h"

#include <algorithm>

#include "link/Frame.h"

namespace quor {

namespace {

// The slot groups in the order the block carries them, each bounded by its array.
template <typename Block, typename Fn> void ForEachGroup(Block& b, Fn fn)
{
    const auto first = [](auto& slots, int32_t count) {
        return std::span(slots).first(static_cast<size_t>(std::clamp<int32_t>(count, 0, slots.size())));
    };
    fn(first(b.Outputs, b.OutputCount));
    fn(first(b.OutputSets, b.OutputSetCount));
    fn(first(b.Inputs, b.InputCount));
    fn(first(b.Readers, b.ReaderCount));
}

bool CarriesParams(const CfgBlock& b)
{
    return b.BlockType != BlockCommon;
}

size_t DataBytes(const CfgBlock& b)
{
    return static_cast<size_t>(std::clamp<int32_t>(b.DataLength, 0, MaxDataLen));
}

}  // namespace

CfgBlock::CfgBlock(uint32_t blockType, int outputs, int outputSets, int inputs, int readers, int dataLength)
    : OutputCount(outputs), OutputSetCount(outputSets), InputCount(inputs), ReaderCount(readers),
      DataLength(dataLength), BlockType(blockType)
{
    Init();
}

void CfgBlock::Init()
{
    Outputs.fill(NoRef);
    OutputSets.fill(NoRef);
    Inputs.fill(NoRef);
    Readers.fill(NoRef);
    Data.fill(0xFF);
}

int CfgBlock::ExpectedLength() const
{
    size_t refs = 0;
    ForEachGroup(*this, [&refs](auto g) { refs += g.size(); });
    return static_cast<int>(BlockHeadLen + 2 * refs + (CarriesParams(*this) ? ParamsLen : 0) +
                            DataBytes(*this));
}

int CfgBlock::Decode(std::span<const uint8_t> reply)
{
    if (reply.size() < BlockHeadLen) {
        return 0;
    }
    const int countByte = OutputSetCount != 0 ? 128 + OutputSetCount : OutputCount;
    const int paramsByte = CarriesParams(*this) ? 8 : 0;
    if (reply[0] != BlockType || reply[1] != countByte || reply[2] != InputCount || reply[3] != ReaderCount ||
        reply[6] != paramsByte || reply[7] * 8 != DataLength) {
        return 0;
    }
    const int expected = ExpectedLength();
    // Only a block of exactly the expected length is taken in; the callers
    // reject any other, and nothing past the received bytes is read.
    if (reply.size() != static_cast<size_t>(expected)) {
        return expected;
    }
    const uint8_t* p = reply.data() + BlockHeadLen;
    ForEachGroup(*this, [&p](auto g) {
        for (ResRef& r : g) {
            r = Get16(p);
            p += 2;
        }
    });
    // The controller may hold inputs 8 and 9, but this program never uses them.
    Inputs[8] = NoRef;
    Inputs[9] = NoRef;
    if (CarriesParams(*this)) {
        std::copy_n(p, ParamsLen, Params.begin());
        p += ParamsLen;
        for (int i = 4; i < 8; ++i) {
            Params[i] = std::min<uint8_t>(Params[i], 127);
        }
    }
    std::copy_n(p, DataBytes(*this), Data.begin());
    return expected;
}

int CfgBlock::Encode(BlockBody& out) const
{
    uint8_t* p = out.data();
    ForEachGroup(*this, [&p](auto g) {
        for (ResRef r : g) {
            Put16(p, r);
            p += 2;
        }
    });
    if (CarriesParams(*this)) {
        p = std::copy(Params.begin(), Params.end(), p);
    }
    p = std::copy_n(Data.begin(), DataBytes(*this), p);
    return static_cast<int>(p - out.data());
}

}  // namespace quor
