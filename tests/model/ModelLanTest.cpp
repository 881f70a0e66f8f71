// The model against an emulated controller on the in-memory LAN: reading the
// bus-device table, loading and storing the door configuration, reading and
// writing the lift and lockers records, and the exact blocks on the wire.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Hardres.h"
#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"
#include "tests/model/BlockCaptures.h"
#include "tests/support/HexBytes.h"
#include "tests/support/Raised.h"

namespace quor {
namespace {

using namespace test;
using sim::Bytes;
using sim::Fault;

constexpr uint32_t CtrlId = 0x212D3039;  // K01_12345
const std::string CtrlIp = "10.45.1.1";

// A read-table reply: byte 2 (kind and door count) and byte 3 (train flag) as
// given; e0 the controller with 2 relay + 2 OC outputs, e1 a reader.
Bytes TableReply(const std::string& kindDoors, const std::string& train)
{
    return HexBytes("02 00 " + kindDoors + " " + train + " 00 00" +
                    "39 30 2D 21  00 00 02 02 04 02 00 00"
                    "07 00 05 20  03 00 00 00 01 01 00 00");
}

Bytes Cut(const char* reply, int drop)
{
    Bytes b = HexBytes(reply);
    b.resize(b.size() - drop);
    return b;
}

Bytes Body(const char* reply)
{
    const Bytes b = HexBytes(reply);
    return Bytes(b.begin() + 8, b.end());
}

class ModelLan : public ::testing::Test {
protected:
    void SetUp() override { Lan.Attach(CtrlIp, Emu); }

    size_t Mark() const { return Lan.Trace.size(); }

    // What went to the controller since `from`: "O K C16.0 c1.1" is a poll, a
    // session request, a read of block (16, 0) and a write of block (1, 1).
    std::string Wire(size_t from) const
    {
        std::string text;
        for (const sim::Frame& f : Lan.SentTo(CtrlIp, from)) {
            const bool isSigned = f.Data.size() >= 19 && f.Data[3] == 'C';
            const char cmd = static_cast<char>(isSigned ? f.Data[10] : f.Data[3]);
            text += text.empty() ? "" : " ";
            text += cmd;
            if (isSigned && (cmd == 'C' || cmd == 'c')) {
                text += std::to_string(f.Data[11]) + "." + std::to_string(f.Data[12]);
            }
        }
        return text;
    }

    // Takes in a table without touching the LAN.
    void HoldTable(const std::string& kindDoors, const std::string& train)
    {
        Table = BusDevTable{};
        ASSERT_TRUE(Table.Parse(TableReply(kindDoors, train)));
    }

    void DoorBlocks(int doors)
    {
        for (int i = 0; i < doors; ++i) {
            Emu.Blocks[{1, static_cast<uint8_t>(i)}] = HexBytes(DoorReply);
        }
    }

    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();
    sim::EmuController Emu{CtrlId, 2};
    UdpDev Dev{Pc, CtrlId, ParseIp(CtrlIp), 2, 2};
    BusDevTable Table;
};

TEST_F(ModelLan, FetchReadsTheTableInASession)
{
    Emu.BusTable = TableReply("22", "10");
    EXPECT_TRUE(Table.Fetch(Dev));
    EXPECT_EQ(Wire(0), "O K D");
    EXPECT_EQ(Table.PresentCount, 2);
    EXPECT_EQ(Table.DoorCount, 2);
    EXPECT_EQ(Table.TrainFlag, 1);
}

TEST_F(ModelLan, FetchRefusals)
{
    struct Case {
        const char* what;
        Bytes reply;
        uint16_t mode;
        const char* wire;
    };
    const Case cases[] = {
        {"mode Konfiguracja: nothing read", TableReply("22", "10"), 1, ""},
        {"more entries announced than sent", Cut("03 00 21 00 00 00 39 30 2D 21 00 00 02 02 04 02 00 00", 0),
         2, "O K D"},
        {"lift with two doors", TableReply("42", "00"), 2, "O K D"},
        {"empty reply", {}, 2, "O K D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dev.CloseSession();
        Dev.Mode = c.mode;
        Emu.Mode = static_cast<uint8_t>(c.mode);
        Emu.BusTable = c.reply;
        Lan.Trace.clear();
        HoldTable("22", "10");
        EXPECT_FALSE(Table.Fetch(Dev));
        EXPECT_EQ(Table.PresentCount, 0);
        EXPECT_EQ(Table.DoorCount, 0);
        EXPECT_EQ(Wire(0), c.wire);
    }
}

TEST_F(ModelLan, FetchErrorLeavesTheTable)
{
    Emu.BusTable = TableReply("22", "10");
    ASSERT_TRUE(Table.Fetch(Dev));
    Emu.Inject(Fault::DropReply, 'D', -1);
    const UErr e = Raised([&] { Table.Fetch(Dev); });
    EXPECT_EQ(e.Code, 9);
    EXPECT_EQ(e.Cmd, 'D');
    EXPECT_EQ(Table.PresentCount, 2);
}

TEST_F(ModelLan, FetchIfChangedTakesInOnlyChanges)
{
    Emu.BusTable = TableReply("22", "10");
    ASSERT_TRUE(Table.Fetch(Dev));
    Table.Dev[0].Taken[ResOutput] = 0b11;

    size_t mark = Mark();
    EXPECT_FALSE(Table.FetchIfChanged(Dev));
    EXPECT_EQ(Wire(mark), "D");
    Emu.BusTable[6 + 12 + 5] = 0x0F;  // flag bits 0-3 of e1: no change
    EXPECT_FALSE(Table.FetchIfChanged(Dev));
    EXPECT_EQ(Table.Dev[1].Flags, 0);
    EXPECT_EQ(Table.Dev[0].Taken[ResOutput], 0b11u);

    Emu.BusTable[6 + 12 + 5] = FlagNew;
    EXPECT_TRUE(Table.FetchIfChanged(Dev));
    EXPECT_EQ(Table.Dev[1].Flags, FlagNew);
    EXPECT_EQ(Table.Dev[0].Taken[ResOutput], 0u);  // parsed again: masks cleared

    // A reply cut short counts as a change, and is rejected.
    Emu.BusTable.pop_back();
    EXPECT_TRUE(Table.FetchIfChanged(Dev));
    EXPECT_EQ(Table.PresentCount, 0);

    // Outside the allowed modes nothing is sent.
    Dev.Mode = 1;
    mark = Mark();
    EXPECT_FALSE(Table.FetchIfChanged(Dev));
    EXPECT_EQ(Wire(mark), "");
}

TEST_F(ModelLan, LoadReadsTheCommonBlockThenEveryDoor)
{
    HoldTable("22", "10");
    Emu.Blocks[{16, 0}] = HexBytes(CommonReply);
    DoorBlocks(2);
    DoorCfgSet cfg;
    EXPECT_TRUE(cfg.Load(Dev, Table));
    EXPECT_EQ(Wire(0), "O K C16.0 C1.0 C1.1");
    EXPECT_EQ(cfg.TrainNumber, 12345);
    EXPECT_EQ(cfg.Doors[1].Outputs[OutReminder], 0x0083);
    EXPECT_EQ(cfg.Doors[1].Inputs[8], NoRef);
    // Marked: outputs 2 and 3 of e0, output 3 of e1.
    EXPECT_EQ(Table.Dev[0].Taken[ResOutput], 0b1100u);
    EXPECT_EQ(Table.Dev[1].Taken[ResOutput], 0b1000u);

    // With the session open only the poll comes first.
    const size_t mark = Mark();
    EXPECT_TRUE(cfg.Load(Dev, Table));
    EXPECT_EQ(Wire(mark), "O C16.0 C1.0 C1.1");
}

TEST_F(ModelLan, LoadDoorCounts)
{
    struct Case {
        const char* kindDoors;
        const char* wire;
    };
    const Case cases[] = {
        {"23", "O K C1.0 C1.1 C1.2"},
        {"20", "O K"},                                          // no doors
        {"2C", "O K C1.0 C1.1 C1.2 C1.3 C1.4 C1.5 C1.6 C1.7"},  // 12 reported, 8 held
        {"3F", "O K C1.0 C1.1 C1.2 C1.3 C1.4 C1.5 C1.6 C1.7"},  // 31 reported
    };
    DoorBlocks(12);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kindDoors);
        Dev.CloseSession();
        Lan.Trace.clear();
        HoldTable(c.kindDoors, "00");  // no train flag: no common block
        DoorCfgSet cfg;
        EXPECT_TRUE(cfg.Load(Dev, Table));
        EXPECT_EQ(Wire(0), c.wire);
        EXPECT_EQ(cfg.TrainNumber, 0);
    }
}

TEST_F(ModelLan, LoadFailsOnABlockThatDoesNotFit)
{
    struct Case {
        const char* what;
        uint8_t type, index;
        Bytes reply;
        const char* wire;
        ResRef door1Bolt;  // door 1 keeps what it read before the failure
    };
    Bytes noParams = HexBytes(DoorReply);
    noParams[6] = 0;
    Bytes longDoor = HexBytes(DoorReply);
    longDoor.push_back(0);
    const Case cases[] = {
        {"door 2 of 107 bytes", 1, 1, Cut(DoorReply, 1), "O K C16.0 C1.0 C1.1", 0x0002},
        {"door 2 of 109 bytes", 1, 1, longDoor, "O K C16.0 C1.0 C1.1", 0x0002},
        {"door 2 empty", 1, 1, {}, "O K C16.0 C1.0 C1.1", 0x0002},
        {"door 1 without parameters", 1, 0, noParams, "O K C16.0 C1.0", NoRef},
        {"common block of 15 bytes", 16, 0, Cut(CommonReply, 1), "O K C16.0", NoRef},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dev.CloseSession();
        Lan.Trace.clear();
        HoldTable("23", "10");
        Emu.Blocks[{16, 0}] = HexBytes(CommonReply);
        DoorBlocks(3);
        Emu.Blocks[{c.type, c.index}] = c.reply;
        DoorCfgSet cfg;
        EXPECT_FALSE(cfg.Load(Dev, Table));
        EXPECT_EQ(Wire(0), c.wire);
        EXPECT_EQ(cfg.Doors[0].Outputs[OutBolt], c.door1Bolt);
        EXPECT_EQ(cfg.Doors[1].Outputs[OutBolt], NoRef);
        EXPECT_EQ(Table.Dev[0].Taken[ResOutput], 0u);  // nothing marked
    }
}

TEST_F(ModelLan, LoadRefusedWithoutTraffic)
{
    HoldTable("22", "10");
    DoorCfgSet cfg;
    Dev.Mode = 1;
    EXPECT_FALSE(cfg.Load(Dev, Table));
    Dev.Mode = 2;
    Dev.Alive = false;
    EXPECT_FALSE(cfg.Load(Dev, Table));
    EXPECT_EQ(Wire(0), "");
}

TEST_F(ModelLan, LoadPassesErrorsThrough)
{
    HoldTable("22", "10");
    DoorCfgSet cfg;
    Emu.Inject(Fault::DropReply, 'C', -1);
    const UErr e = Raised([&] { cfg.Load(Dev, Table); });
    EXPECT_EQ(e.Code, 9);
    EXPECT_EQ(e.Cmd, 'C');

    Lan.Detach(CtrlIp);  // the controller is gone: the session cannot be had
    EXPECT_EQ(Raised([&] { cfg.Load(Dev, Table); }).Code, 1);
}

TEST_F(ModelLan, StoreWritesTheTrainNumberThenEveryDoor)
{
    HoldTable("22", "10");
    DoorCfgSet cfg;
    ASSERT_EQ(cfg.Doors[1].Decode(HexBytes(DoorReply)), 108);
    cfg.TrainNumber = 0x1234;
    cfg.Store(Dev, Table);
    EXPECT_EQ(Wire(0), "O K c16.0 c1.0 c1.1");
    ASSERT_EQ(Emu.Writes.size(), 3u);
    EXPECT_EQ(Emu.Writes[0], std::make_tuple(uint8_t{16}, uint8_t{0}, HexBytes("34 12 FF FF FF FF FF FF")));
    EXPECT_EQ(std::get<2>(Emu.Writes[1]).size(), 100u);
    EXPECT_EQ(HexText(std::get<2>(Emu.Writes[2])), HexText(HexBytes(DoorBody)));
}

TEST_F(ModelLan, StoreDoorCounts)
{
    struct Case {
        const char* kindDoors;
        const char* train;
        const char* wire;
    };
    const Case cases[] = {
        {"22", "00", "O K c1.0 c1.1"},  // no common block, no train number
        {"22", "20", "O K c1.0 c1.1"},  // train flag 2 is not 1
        {"20", "10", "O K c16.0"},
        {"2C", "00", "O K c1.0 c1.1 c1.2 c1.3 c1.4 c1.5 c1.6 c1.7"},  // 12 reported, 8 held
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kindDoors) + " " + c.train);
        Dev.CloseSession();
        Lan.Trace.clear();
        HoldTable(c.kindDoors, c.train);
        DoorCfgSet cfg;
        cfg.TrainNumber = 7;
        cfg.Store(Dev, Table);
        EXPECT_EQ(Wire(0), c.wire);
    }
}

TEST_F(ModelLan, StoreStopsAtTheFirstFailure)
{
    HoldTable("22", "10");
    DoorCfgSet cfg;
    Emu.Inject(Fault::BadAck, 'c', 1);
    const UErr e = Raised([&] { cfg.Store(Dev, Table); });
    EXPECT_EQ(e.Code, 10);
    EXPECT_EQ(e.Cmd, 'c');
    EXPECT_EQ(Wire(0), "O K c16.0");
}

TEST_F(ModelLan, OutputSetRecordsReadAndWriteTheirBlock)
{
    struct Case {
        const char* what;
        const char* kindDoors;
        OutSetCfg (*make)();
        uint8_t type;
        const char* reply;
    };
    const Case cases[] = {
        {"lift", "41", &OutSetCfg::Lift, 2, LiftReply},
        {"lockers", "61", &OutSetCfg::Lockers, 3, LockersReply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dev.CloseSession();
        Lan.Trace.clear();
        Emu.Writes.clear();
        HoldTable(c.kindDoors, "00");
        Emu.Blocks[{c.type, 0}] = HexBytes(c.reply);
        OutSetCfg cfg = c.make();
        EXPECT_TRUE(cfg.Read(Dev, Table));
        const std::string read = std::string("O K C") + std::to_string(c.type) + ".0";
        EXPECT_EQ(Wire(0), read);
        // Output sets 0x0300 and 0x0301 are marked.
        EXPECT_EQ(Table.Dev[3].Taken[ResOutputSet], 0b11u);

        const size_t mark = Mark();
        cfg.Write(Dev);
        EXPECT_EQ(Wire(mark), std::string("O c") + std::to_string(c.type) + ".0");
        ASSERT_EQ(Emu.Writes.size(), 1u);
        EXPECT_EQ(HexText(std::get<2>(Emu.Writes[0])), HexText(Body(c.reply)));
    }
}

TEST_F(ModelLan, OutputSetReadRefusals)
{
    struct Case {
        const char* what;
        OutSetCfg (*make)();
        uint8_t type;
        Bytes reply;
        const char* wire;
    };
    Bytes lockers64 = HexBytes(LockersReply);
    lockers64[7] = 4;  // 32 data bytes announced
    Bytes liftLong = HexBytes(LiftReply);
    liftLong.push_back(0);
    const Case cases[] = {
        {"lockers byte 7 not 8", &OutSetCfg::Lockers, 3, lockers64, "O K C3.0"},
        {"lockers of 183 bytes", &OutSetCfg::Lockers, 3, Cut(LockersReply, 1), "O K C3.0"},
        {"lift of 107 bytes", &OutSetCfg::Lift, 2, Cut(LiftReply, 1), "O K C2.0"},
        {"lift of 109 bytes", &OutSetCfg::Lift, 2, liftLong, "O K C2.0"},
        {"lift empty", &OutSetCfg::Lift, 2, {}, "O K C2.0"},
        {"lockers block read as lift", &OutSetCfg::Lift, 2, HexBytes(LockersReply), "O K C2.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dev.CloseSession();
        Lan.Trace.clear();
        HoldTable("41", "00");
        Emu.Blocks[{c.type, 0}] = c.reply;
        OutSetCfg cfg = c.make();
        const OutSetCfg before = cfg;
        EXPECT_FALSE(cfg.Read(Dev, Table));
        EXPECT_EQ(Wire(0), c.wire);
        EXPECT_EQ(static_cast<const CfgBlock&>(cfg), before);
        EXPECT_EQ(Table.Dev[3].Taken[ResOutputSet], 0u);
    }

    OutSetCfg lift = OutSetCfg::Lift();
    Lan.Trace.clear();
    Dev.Mode = 1;
    EXPECT_FALSE(lift.Read(Dev, Table));
    EXPECT_EQ(Wire(0), "");
}

TEST_F(ModelLan, OutputSetErrorsPassThrough)
{
    HoldTable("61", "00");
    OutSetCfg lockers = OutSetCfg::Lockers();
    Emu.Inject(Fault::BadSignature, 'C', -1);
    EXPECT_EQ(Raised([&] { lockers.Read(Dev, Table); }).Code, 6);
    Emu.ClearFaults();
    Emu.Inject(Fault::DropReply, 'c', -1);
    const UErr e = Raised([&] { lockers.Write(Dev); });
    EXPECT_EQ(e.Code, 9);
    EXPECT_EQ(e.Cmd, 'c');
}

}  // namespace
}  // namespace quor
