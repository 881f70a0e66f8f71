// A controller configured from a scenario: the bus table it builds, the blocks
// it stores and reads back, and the bus maintenance commands. Expected tables
// and heads are written by hand from the byte layouts of the bus table
// (6-byte head, 12 bytes per entry) and of the blocks (8-byte head, then the body).

#include <gtest/gtest.h>

#include "sim/Scenario.h"
#include "tests/sim/Driver.h"

namespace quor::sim {
namespace {

using test::Bytes;
using test::HexBytes;
using test::HexText;

// One controller K01_01101 in mode Serwis with the given configuration keys.
std::unique_ptr<EmuController> Controller(const std::string& config)
{
    const std::string json = R"({"devices": [{"ip": "10.45.1.10", "model": 301, "serial": 1101,
        "mode": "Serwis", )" +
                             config + "}]}";
    Scenario scenario = ParseScenario(json, "inline");
    return std::unique_ptr<EmuController>(static_cast<EmuController*>(scenario.Devices.at(0).release()));
}

Bytes Body(size_t length)
{
    Bytes body(length);
    for (size_t i = 0; i < length; ++i)
        body[i] = static_cast<uint8_t>(i * 7 + 3);
    return body;
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ConfiguredController, BusTableIsBuiltFromTheDescribedBus)
{
    auto device = Controller(R"("kind": "doors", "doors": 3, "train": 1, "bus": [
        {"self": true, "conn": "A0", "relay": 2, "oc": 2, "inputs": 4, "readers": 2},
        {"model": 5, "serial": 7, "conn": "B3", "readers": 1, "flags": ["new"]},
        {"model": 702, "serial": 1, "conn": "F2", "sets": 2},
        {"empty": true},
        {"model": 701, "serial": 2, "conn": "A1", "sets": 1, "set_in_d3": true, "inputs": 8,
         "flags": ["inactive", "power"]}])");
    test::Driver pc(*device);
    pc.Open();
    EXPECT_EQ(HexText(pc.Command('D')), "05 00 23 10 00 00 "                    // 5 entries, doors 3, train 1
                                        "4D 04 2D 21 00 00 02 02 04 02 00 00 "  // the controller itself
                                        "07 00 05 24 03 10 00 00 00 01 00 00 "  // reader on B3, new
                                        "01 00 BE A6 02 00 82 00 00 00 00 00 "  // two output sets, on F2
                                        "FF FF FF FF 00 00 00 00 00 00 00 00 "  // empty slot
                                        "02 00 BD 22 01 C0 00 84 08 00 00 00");  // one set told in D3
}

struct ShapeCase {
    const char* Config;
    uint8_t Type;
    uint8_t Index;
    size_t BodyLength;
    const char* Head;
};

const ShapeCase ShapeCases[] = {
    {R"("kind": "doors", "doors": 3, "train": 1)", 16, 0, 8, "10 00 00 00 00 00 00 01"},
    {R"("kind": "doors", "doors": 3, "train": 1)", 1, 2, 100, "01 04 0A 04 00 00 08 00"},
    {R"("kind": "lift")", 2, 0, 100, "02 84 0A 04 00 00 08 00"},
    {R"("kind": "lockers")", 3, 0, 176, "03 90 04 04 00 00 08 08"},
};

TEST(ConfiguredController, WrittenBlockIsReadBackUnderItsHead)
{
    for (const auto& c : ShapeCases) {
        auto device = Controller(c.Config);
        test::Driver pc(*device);
        pc.Open();
        const Bytes body = Body(c.BodyLength);
        EXPECT_EQ(pc.Command('c', Cat({c.Type, c.Index}, body)), HexBytes("06")) << int(c.Type);
        EXPECT_EQ(pc.Command('C', {c.Type, c.Index}), Cat(HexBytes(c.Head), body)) << int(c.Type);
        ASSERT_EQ(device->Writes.size(), 1u);
        EXPECT_EQ(std::get<2>(device->Writes[0]), body);
    }
}

TEST(ConfiguredController, BlocksItHasNoPlaceForAreRefused)
{
    struct Refused {
        uint8_t Type;
        uint8_t Index;
        size_t BodyLength;
    };
    const Refused cases[] = {
        {1, 0, 99},   // one byte short
        {1, 0, 101},  // one byte over
        {1, 3, 100},  // a fourth door on a three-door controller
        {16, 0, 8},   // a common block without the train flag
        {2, 0, 100},  // a lift block on a door controller
        {9, 0, 2},    // no such block type
    };
    auto device = Controller(R"("kind": "doors", "doors": 3)");
    test::Driver pc(*device);
    pc.Open();
    const auto before = device->Blocks;
    for (const auto& c : cases)
        EXPECT_EQ(pc.Command('c', Cat({c.Type, c.Index}, Body(c.BodyLength))), HexBytes("15")) << int(c.Type);
    EXPECT_EQ(device->Blocks, before);
    EXPECT_TRUE(device->Writes.empty());
}

TEST(ConfiguredController, WritingADoorBlockAcceptsNewDevices)
{
    auto device = Controller(R"("kind": "doors", "doors": 1, "train": 1, "bus": [
        {"self": true, "conn": "A0", "relay": 2, "readers": 2},
        {"model": 5, "serial": 7, "conn": "A1", "readers": 1, "flags": ["new", "tamper"]}])");
    test::Driver pc(*device);
    pc.Open();
    constexpr size_t flagsOfEntry1 = 6 + 12 + 5;
    EXPECT_EQ(pc.Command('c', Cat({16, 0}, Body(8))), HexBytes("06"));
    EXPECT_EQ(pc.Command('D').at(flagsOfEntry1), 0x30);  // the common block is not the door configuration
    EXPECT_EQ(pc.Command('c', Cat({1, 0}, Body(100))), HexBytes("06"));
    EXPECT_EQ(pc.Command('D').at(flagsOfEntry1), 0x20);
}

TEST(ConfiguredController, DeleteLostEmptiesTheInactiveEntries)
{
    auto device = Controller(R"("kind": "doors", "bus": [
        {"self": true, "conn": "A0", "relay": 2, "readers": 2},
        {"model": 5, "serial": 7, "conn": "A1", "readers": 1, "flags": ["inactive"]},
        {"model": 5, "serial": 8, "conn": "A2", "readers": 1, "flags": ["new"]},
        {"model": 201, "serial": 9, "conn": "B1", "relay": 1, "inputs": 2, "flags": ["inactive", "tamper"]}])");
    test::Driver pc(*device);
    pc.Open();
    EXPECT_EQ(pc.Command('F'), HexBytes("06"));
    EXPECT_EQ(HexText(pc.Command('D')), "04 00 21 00 00 00 "
                                        "4D 04 2D 21 00 00 02 00 00 02 00 00 "
                                        "FF FF FF FF 00 00 00 00 00 00 00 00 "
                                        "08 00 05 20 02 10 00 00 00 01 00 00 "
                                        "FF FF FF FF 00 00 00 00 00 00 00 00");
    EXPECT_EQ(device->DeleteLostCount, 1);
}

TEST(ConfiguredController, ReplaceMovesTheSuccessorIntoTheOldEntry)
{
    auto device = Controller(R"("kind": "doors", "bus": [
        {"self": true, "conn": "A0", "relay": 2, "readers": 2},
        {"model": 5, "serial": 7, "conn": "A1", "readers": 1, "flags": ["inactive"]},
        {"model": 5, "serial": 8, "conn": "A2", "readers": 1, "flags": ["new"]},
        {"model": 201, "serial": 9, "conn": "B1", "relay": 1, "inputs": 2, "flags": ["new"]}],
        "door_blocks": [{"door": 1, "bolt": "0:Out1", "readers": ["1:Rd1"]}])");
    test::Driver pc(*device);
    pc.Open();
    const auto doorBlock = device->Blocks.at({1, 0});
    EXPECT_EQ(pc.Command('R', HexBytes("01 02"), 1000), HexBytes("06"));
    const std::string moved = "04 00 21 00 00 00 "
                              "4D 04 2D 21 00 00 02 00 00 02 00 00 "
                              "08 00 05 20 02 80 00 00 00 01 00 00 "  // serial 8 on A2, inactive
                              "FF FF FF FF 00 00 00 00 00 00 00 00 "
                              "09 00 C9 24 01 10 01 00 02 00 00 00";
    EXPECT_EQ(HexText(pc.Command('D', {}, 3999)), moved);
    std::string settled = moved;
    settled.replace(settled.find("02 80"), 5, "02 00");
    EXPECT_EQ(HexText(pc.Command('D', {}, 4000)), settled);  // active 3 s after the replacement
    EXPECT_EQ(device->Blocks.at({1, 0}), doorBlock);         // "1:Rd1" now names the successor
    EXPECT_EQ(device->Replacements, std::vector<uint16_t>{0x0201});

    for (const char* pair : {"02 01", "01 01", "01 05", "01 03"})  // empty, itself, beyond, another model
        EXPECT_EQ(pc.Command('R', HexBytes(pair), 5000), HexBytes("15")) << pair;
    EXPECT_EQ(HexText(pc.Command('D', {}, 5000)), settled);
    EXPECT_EQ(device->Replacements.size(), 1u);
}

}  // namespace
}  // namespace quor::sim
