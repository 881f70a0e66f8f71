#include "sim/BlockShape.h"

#include "sim/EmuFrames.h"

namespace quor::sim {

namespace {

constexpr BlockShape Shapes[] = {
    {CommonBlockType, 0, 0, 0, 0, false, 8},
    {DoorBlockType, 4, 0, 10, 4, true, 0},
    {LiftBlockType, 0, 4, 10, 4, true, 0},
    {LockersBlockType, 0, 16, 4, 4, true, 64},
};

constexpr uint8_t SetsMarker = 0x80;  // head byte 1 counts output sets, not outputs
constexpr uint8_t ParamsMarker = 8;

void PutRefs(Bytes& out, std::span<const uint16_t> refs, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        PutLe16(out, refs[i]);
}

}  // namespace

size_t BlockShape::BodyLength() const
{
    return 2 * static_cast<size_t>(Outputs + OutputSets + Inputs + Readers) + (HasParams ? ParamsSize : 0) +
           DataLength;
}

const BlockShape* ShapeOf(uint8_t type)
{
    for (const auto& shape : Shapes)
        if (shape.Type == type)
            return &shape;
    return nullptr;
}

// Bytes 4 and 5 carry nothing the configurator reads; this controller leaves them 0.
Bytes BlockHead(const BlockShape& shape)
{
    return {shape.Type,
            static_cast<uint8_t>(shape.OutputSets != 0 ? SetsMarker + shape.OutputSets : shape.Outputs),
            shape.Inputs,
            shape.Readers,
            0,
            0,
            static_cast<uint8_t>(shape.HasParams ? ParamsMarker : 0),
            static_cast<uint8_t>(shape.DataLength / 8)};
}

Bytes ReadLayout(const BlockShape& shape, std::span<const uint8_t> body)
{
    const auto head = BlockHead(shape);
    Bytes block(head.size() + body.size());
    std::copy(head.begin(), head.end(), block.begin());
    std::copy(body.begin(), body.end(), block.begin() + head.size());
    return block;
}

BlockContent::BlockContent()
{
    Outputs.fill(NoRef);
    OutputSets.fill(NoRef);
    Inputs.fill(NoRef);
    Readers.fill(NoRef);
    Params.fill(0);
    Data.fill(0xFF);
}

Bytes BlockBody(const BlockShape& shape, const BlockContent& content)
{
    Bytes body;
    PutRefs(body, content.Outputs, shape.Outputs);
    PutRefs(body, content.OutputSets, shape.OutputSets);
    PutRefs(body, content.Inputs, shape.Inputs);
    PutRefs(body, content.Readers, shape.Readers);
    if (shape.HasParams)
        body.insert(body.end(), content.Params.begin(), content.Params.end());
    body.insert(body.end(), content.Data.begin(), content.Data.begin() + shape.DataLength);
    return body;
}

}  // namespace quor::sim
