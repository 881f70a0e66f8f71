// Configuration blocks: decoding and encoding the four shapes, the assign
// operations and their taken masks, and the lockers' own fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "tests/model/BlockCaptures.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using namespace test;

struct Shape {
    const char* name;
    CfgBlock (*make)();
    const char* reply;
    int readLength;
};

const Shape Shapes[] = {
    {"common", [] { return CfgBlock(BlockCommon, 0, 0, 0, 0, 8); }, CommonReply, 16},
    {"door", [] { return CfgBlock(DoorCfg()); }, DoorReply, 108},
    {"lift", [] { return CfgBlock(OutSetCfg::Lift()); }, LiftReply, 108},
    {"lockers", [] { return CfgBlock(OutSetCfg::Lockers()); }, LockersReply, 184},
};

std::vector<uint8_t> Encoded(const CfgBlock& b)
{
    BlockBody body;
    const int n = b.Encode(body);
    return {body.begin(), body.begin() + n};
}

TEST(CfgBlockCodec, ShapesDecodeTheirFullLength)
{
    for (const Shape& s : Shapes) {
        SCOPED_TRACE(s.name);
        CfgBlock b = s.make();
        const std::vector<uint8_t> reply = HexBytes(s.reply);
        ASSERT_EQ(reply.size(), static_cast<size_t>(s.readLength));
        EXPECT_EQ(b.ExpectedLength(), s.readLength);
        EXPECT_EQ(b.Decode(reply), s.readLength);
        EXPECT_EQ(Encoded(b).size(), static_cast<size_t>(s.readLength - 8));
    }
}

TEST(CfgBlockCodec, RoundTripKeepsEveryByte)
{
    for (const Shape& s : Shapes) {
        if (s.reply == DoorReply) {
            continue;  // changed on the way in, below
        }
        SCOPED_TRACE(s.name);
        CfgBlock b = s.make();
        const std::vector<uint8_t> reply = HexBytes(s.reply);
        ASSERT_EQ(b.Decode(reply), s.readLength);
        EXPECT_EQ(Encoded(b), std::vector<uint8_t>(reply.begin() + 8, reply.end()));
    }
}

TEST(CfgBlockCodec, DoorBlockDropsInputs8And9AndLimitsTimes)
{
    DoorCfg b;
    ASSERT_EQ(b.Decode(HexBytes(DoorReply)), 108);
    EXPECT_EQ(b.Outputs[1], 0x0083);
    EXPECT_EQ(b.Outputs[3], 0x0103);
    EXPECT_EQ(b.Inputs[5], 0x0003);  // carried unchanged
    EXPECT_EQ(b.Inputs[8], NoRef);
    EXPECT_EQ(b.Inputs[9], NoRef);
    EXPECT_EQ(b.Readers[1], 0x0001);
    EXPECT_EQ(b.Params[ParBoltPulse], 127);  // 200 on the controller: 63.5 s
    EXPECT_EQ(b.Params[8], 0x10);            // bytes past 7 are not limited
    EXPECT_EQ(b.Params[63], 0xFF);
    EXPECT_EQ(Encoded(b), HexBytes(DoorBody));
}

TEST(CfgBlockCodec, EncodeWritesWhatTheRecordHolds)
{
    DoorCfg b;
    b.Inputs[8] = 0x0005;
    b.Params[ParBoltPulse] = 200;
    b.Outputs[4] = 0x0001;  // beyond the four output slots of a door: not carried
    const std::vector<uint8_t> body = Encoded(b);
    ASSERT_EQ(body.size(), 100u);
    EXPECT_EQ(body[8 + 16], 0x05);
    EXPECT_EQ(body[8 + 17], 0x00);
    EXPECT_EQ(body[36 + ParBoltPulse], 200);
    EXPECT_EQ(std::vector<uint8_t>(body.begin(), body.begin() + 8), HexBytes("FF FF FF FF FF FF FF FF"));
}

TEST(CfgBlockCodec, LockersBlockFields)
{
    OutSetCfg b = OutSetCfg::Lockers();
    ASSERT_EQ(b.Decode(HexBytes(LockersReply)), 184);
    EXPECT_EQ(b.OutputSets[0], 0x0300);
    EXPECT_EQ(b.OutputSets[2], 0x0400);
    EXPECT_EQ(b.OutputSets[15], NoRef);
    EXPECT_EQ(b.Inputs[1], 0x0081);
    EXPECT_EQ(b.Readers[3], 0x0001);
    EXPECT_EQ(b.Params[ParPulseTime], 6);
    EXPECT_EQ(b.TestStart(), 1000);
    EXPECT_EQ(b.RoomName(), "Szatnia");
    EXPECT_EQ(b.LockerFirst(0), 1);
    EXPECT_EQ(b.LockerLast(0), 32);
    EXPECT_EQ(b.LockerFirst(1), 33);
    EXPECT_EQ(b.LockerLast(1), 64);
    EXPECT_EQ(b.LockerFirst(2), NoLocker);
    EXPECT_EQ(b.LockerFirst(16), NoLocker);
}

TEST(CfgBlockCodec, MismatchedHeadLeavesTheRecordAlone)
{
    // Bytes 4 and 5 carry no meaning; every other head byte must match.
    for (const Shape& s : Shapes) {
        for (int offset : {0, 1, 2, 3, 6, 7}) {
            SCOPED_TRACE(std::string(s.name) + " byte " + std::to_string(offset));
            std::vector<uint8_t> reply = HexBytes(s.reply);
            reply[offset] ^= offset == 1 ? 0x80 : 0x08;
            CfgBlock b = s.make();
            const CfgBlock before = b;
            EXPECT_EQ(b.Decode(reply), 0);
            EXPECT_EQ(b, before);
        }
    }
    std::vector<uint8_t> reply = HexBytes(DoorReply);
    reply[4] = 0x55;
    reply[5] = 0xAA;
    DoorCfg b;
    EXPECT_EQ(b.Decode(reply), 108);
}

TEST(CfgBlockCodec, DoorHeadEdgeCases)
{
    struct Case {
        const char* why;
        int offset;
        uint8_t value;
    };
    const Case cases[] = {
        {"no parameter area announced", 6, 0x00},
        {"three outputs", 1, 0x03},
        {"four output sets instead of outputs", 1, 0x84},
        {"eight data bytes", 7, 0x01},
        {"lift type", 0, 0x02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<uint8_t> reply = HexBytes(DoorReply);
        reply[c.offset] = c.value;
        DoorCfg b;
        EXPECT_EQ(b.Decode(reply), 0);
    }
}

TEST(CfgBlockCodec, WrongLengthsAreNeverTakenIn)
{
    for (const Shape& s : Shapes) {
        const std::vector<uint8_t> full = HexBytes(s.reply);
        const std::vector<std::vector<uint8_t>> replies = {
            std::vector<uint8_t>(full.begin(), full.end() - 1),  // 107 bytes for a door
            [&] {
                auto r = full;
                r.push_back(0);
                return r;
            }(),                                                   // 109 bytes for a door
            std::vector<uint8_t>(full.begin(), full.begin() + 8),  // the head alone
        };
        for (const auto& reply : replies) {
            SCOPED_TRACE(std::string(s.name) + " " + std::to_string(reply.size()) + " bytes");
            CfgBlock b = s.make();
            const CfgBlock before = b;
            // The expected length comes back; it differs from what was received.
            EXPECT_EQ(b.Decode(reply), s.readLength);
            EXPECT_EQ(b, before);
        }
        for (size_t n : {0, 1, 7}) {
            CfgBlock b = s.make();
            EXPECT_EQ(b.Decode(std::span(full).first(n)), 0) << s.name << " " << n;
        }
    }
}

TEST(CfgBlockCodec, EveryCutOfABlockIsRefused)
{
    for (const Shape& s : Shapes) {
        const std::vector<uint8_t> full = HexBytes(s.reply);
        for (size_t n = 0; n < full.size(); ++n) {
            const std::vector<uint8_t> cut(full.begin(), full.begin() + n);
            CfgBlock b = s.make();
            const CfgBlock before = b;
            // An empty reply decodes to 0, which the callers refuse as well.
            const int got = b.Decode(cut);
            EXPECT_TRUE(n == 0 ? got == 0 : got != static_cast<int>(n)) << s.name << " " << n;
            EXPECT_EQ(b, before) << s.name << " " << n;
        }
    }
}

BusDevTable SampleTable()
{
    // e0 K01_12345: 2 relay + 2 OC outputs, 4 inputs, 2 readers; e3 D05_00016: 2 output sets.
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes("04 00 22 10 00 00"
                                 "39 30 2D 21  00 00 02 02 04 02 00 00"
                                 "07 00 05 20  03 00 00 00 01 01 00 00"
                                 "00 00 FF FF  00 00 00 00 00 00 00 00"
                                 "10 00 C1 26  01 00 82 00 00 00 00 00")));
    return t;
}

TEST(CfgBlockAssign, OutputsKeepTakenMasksAndNcRules)
{
    struct Step {
        const char* what;
        int slot;
        ResRef r;
        bool nc;
        ResRef stored;     // slot 0 afterwards
        uint32_t outMask;  // e0's taken outputs afterwards
    };
    const Step steps[] = {
        {"relay with NC: no flag", 0, 0x0000, true, 0x0000, 0b0001},
        {"OC with NC: flag", 0, 0x0002, true, 0x0082, 0b0100},
        {"OC without NC: flag cleared", 0, 0x0083, false, 0x0003, 0b1000},
        {"relay with a flag given: kept as given", 0, 0x0081, false, 0x0081, 0b0010},
        {"slot 10 ignored", 10, 0x0000, false, 0x0081, 0b0010},
        {"slot -1 ignored", -1, 0x0000, false, 0x0081, 0b0010},
        {"none releases", 0, NoRef, true, NoRef, 0b0000},
        {"bit 15: stored, no mask touched", 0, 0x8002, true, 0x8002, 0b0000},
        {"leaving bit 15 touches no mask", 0, 0x0001, false, 0x0001, 0b0010},
    };
    BusDevTable t = SampleTable();
    DoorCfg b;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        b.AssignOutput(s.slot, s.r, s.nc, t);
        EXPECT_EQ(b.Outputs[0], s.stored);
        EXPECT_EQ(t.Dev[0].Taken[ResOutput], s.outMask);
    }
    for (int e = 1; e < MaxBusDevs; ++e) {
        EXPECT_EQ(t.Dev[e].Taken, (std::array<uint32_t, 4>{})) << e;
    }
}

TEST(CfgBlockAssign, InputsReadersAndOutputSets)
{
    BusDevTable t = SampleTable();
    OutSetCfg lift = OutSetCfg::Lift();
    lift.AssignInput(1, 0x0001, true, t);
    EXPECT_EQ(lift.Inputs[1], 0x0081);
    lift.AssignInput(1, 0x0082, false, t);
    EXPECT_EQ(lift.Inputs[1], 0x0002);
    lift.AssignInput(3, 0x0103, true, t);
    EXPECT_EQ(t.Dev[0].Taken[ResInput], 0b0100u);
    EXPECT_EQ(t.Dev[1].Taken[ResInput], 0b1000u);
    lift.AssignInput(10, 0x0000, false, t);
    EXPECT_EQ(t.Dev[0].Taken[ResInput], 0b0100u);

    lift.AssignReader(3, 0x0181, t);  // readers and output sets are stored as given
    EXPECT_EQ(lift.Readers[3], 0x0181);
    EXPECT_EQ(t.Dev[1].Taken[ResReader], 0b10u);
    lift.AssignReader(4, 0x0000, t);
    EXPECT_EQ(t.Dev[0].Taken[ResReader], 0u);

    OutSetCfg lockers = OutSetCfg::Lockers();
    lockers.AssignOutputSet(15, 0x0301, t);
    lockers.AssignOutputSet(16, 0x0300, t);
    EXPECT_EQ(lockers.OutputSets[15], 0x0301);
    EXPECT_EQ(t.Dev[3].Taken[ResOutputSet], 0b10u);
    lockers.AssignOutputSet(15, NoRef, t);
    EXPECT_EQ(t.Dev[3].Taken[ResOutputSet], 0u);
}

TEST(CfgBlockAssign, MarkTakenSetsOnlyCarriedSlots)
{
    BusDevTable t = SampleTable();
    DoorCfg b;
    b.Outputs[3] = 0x0083;
    b.Outputs[4] = 0x0000;  // not carried by a door record
    b.Inputs[7] = 0x0101;   // no editor, still carried
    b.Inputs[9] = 0x0003;
    b.Readers[0] = 0x0101;
    b.OutputSets[0] = 0x0300;  // doors carry no output sets
    b.Inputs[0] = 0x9000;      // outside the table
    b.MarkTaken(t);
    EXPECT_EQ(t.Dev[0].Taken, (std::array<uint32_t, 4>{0b1000, 0b1000, 0, 0}));
    EXPECT_EQ(t.Dev[1].Taken, (std::array<uint32_t, 4>{0, 0b10, 0b10, 0}));
    EXPECT_EQ(t.Dev[3].Taken, (std::array<uint32_t, 4>{}));

    // A common block never marks readers, whatever slots it were given.
    CfgBlock common(BlockCommon, 0, 0, 0, 1, 8);
    common.Readers[0] = 0x0001;
    common.MarkTaken(t);
    EXPECT_EQ(t.Dev[0].Taken[ResReader], 0u);

    // Marking only sets bits.
    DoorCfg empty;
    empty.MarkTaken(t);
    EXPECT_EQ(t.Dev[0].Taken[ResOutput], 0b1000u);
}

TEST(LockersFields, RoomNameAndRanges)
{
    OutSetCfg b = OutSetCfg::Lockers();
    b.SetRoomName("Szatnia damska1");  // exactly 15 characters
    EXPECT_EQ(b.Params[ParRoomName + 14], '1');
    EXPECT_EQ(b.Params[63], 0);
    EXPECT_EQ(b.RoomName(), "Szatnia damska1");
    b.SetRoomName("Hala sportowa nr 2");  // cut to 15
    EXPECT_EQ(b.RoomName(), "Hala sportowa n");
    b.SetRoomName("\xA3\xF3\x64\xBC");  // "Łódź" in Windows-1250
    EXPECT_EQ(b.RoomName(), "\xA3\xF3\x64\xBC");
    EXPECT_EQ(b.Params[ParRoomName + 4], 0);
    EXPECT_EQ(b.Params[63], 0);

    EXPECT_EQ(b.LockerFirst(0), NoLocker);  // Data starts as 0xFF: every range none
    b.SetLockerFirst(3, 100);
    b.SetLockerLast(3, 131);
    b.SetLockerLast(16, 5);  // no module 16
    EXPECT_EQ(std::vector<uint8_t>(b.Data.begin() + 12, b.Data.begin() + 16), HexBytes("64 00 83 00"));
    b.SetTestStart(9999);
    EXPECT_EQ(b.Params[30], 0x0F);
    EXPECT_EQ(b.Params[31], 0x27);
    EXPECT_EQ(Encoded(b).size(), 176u);
}

}  // namespace
}  // namespace quor
