#pragma once
// The shapes of the configuration blocks a controller keeps, and their bytes:
// a block is read back as an 8-byte head followed by the body it was written with.

#include <array>
#include <cstdint>
#include <span>

#include "sim/LanHost.h"

namespace quor::sim {

inline constexpr uint8_t DoorBlockType = 1;
inline constexpr uint8_t LiftBlockType = 2;
inline constexpr uint8_t LockersBlockType = 3;
inline constexpr uint8_t CommonBlockType = 16;
inline constexpr uint16_t NoRef = 0xFFFF;
inline constexpr size_t ParamsSize = 64;
inline constexpr size_t BlockHeadSize = 8;

struct BlockShape {
    uint8_t Type;
    uint8_t Outputs;
    uint8_t OutputSets;
    uint8_t Inputs;
    uint8_t Readers;
    bool HasParams;
    uint8_t DataLength;  // a multiple of 8, at most 64

    size_t BodyLength() const;
    size_t ReadLength() const { return BlockHeadSize + BodyLength(); }
};

// nullptr for a type no controller keeps.
const BlockShape* ShapeOf(uint8_t type);

Bytes BlockHead(const BlockShape& shape);
// The read layout: the head, then the body as written.
Bytes ReadLayout(const BlockShape& shape, std::span<const uint8_t> body);

// A block's contents in the order of the body; slots beyond the shape's counts are not sent.
struct BlockContent {
    std::array<uint16_t, 10> Outputs;
    std::array<uint16_t, 16> OutputSets;
    std::array<uint16_t, 10> Inputs;
    std::array<uint16_t, 4> Readers;
    std::array<uint8_t, ParamsSize> Params;
    std::array<uint8_t, 64> Data;

    BlockContent();  // nothing assigned, parameters 0, data 0xFF
};

Bytes BlockBody(const BlockShape& shape, const BlockContent& content);

}  // namespace quor::sim
