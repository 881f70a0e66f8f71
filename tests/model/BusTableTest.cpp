// The bus-device table: taking in replies, comparing, ordering, lists and texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/Hardres.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using test::HexBytes;

// Read-table reply built by hand from the reply layout: 5 entries, kind 1,
// 2 doors, train flag 1.
const char* const SampleReply = "05 00 22 10 00 00"
                                // e0 K01_12345 A0: 2 relay + 2 OC outputs, 4 inputs, 2 readers
                                "39 30 2D 21  00 00 02 02 04 02 00 00"
                                // e1 R05_00007 A3: 1 input, 1 reader
                                "07 00 05 20  03 00 00 00 01 01 00 00"
                                // e2 empty slot
                                "00 00 FF FF  00 00 00 00 00 00 00 00"
                                // e3 D05_00016 B1: output-set module with 2 sets
                                "10 00 C1 26  01 00 82 00 00 00 00 00"
                                // e4 Z10_00009 A2, tamper: 1 output set (D3 bit 2), 2 inputs
                                "09 00 D2 20  02 20 00 84 02 00 00 00";

BusDevTable Sample()
{
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes(SampleReply)));
    return t;
}

// An entry line: identity (little-endian) and D0 to D7.
std::string Entry(uint32_t id, const char* d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X ", id & 0xFF, id >> 8 & 0xFF, id >> 16 & 0xFF,
                  id >> 24);
    return text + std::string(d) + " ";
}

std::string EmptyEntries(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += "00 00 FF FF 00 00 00 00 00 00 00 00 ";
    }
    return s;
}

// Entry in bits 8-14, number in bits 0-4, NC in bit 7.
TEST(ResRefs, MakeRefPlacesEntryNumberAndNc)
{
    EXPECT_EQ(MakeRef(0, 0), 0x0000);
    EXPECT_EQ(MakeRef(2, 5), 0x0205);
    EXPECT_EQ(MakeRef(2, 5, true), 0x0285);
    EXPECT_EQ(MakeRef(127, 31, true), 0x7F9F);
}

TEST(BusTableParse, SampleReplyFillsTheTable)
{
    const BusDevTable t = Sample();
    EXPECT_EQ(t.DevCount, 5);
    EXPECT_EQ(t.PresentCount, 4);
    EXPECT_EQ(t.Kind, KindDoors);
    EXPECT_EQ(t.DoorCount, 2);
    EXPECT_EQ(t.TrainFlag, 1);
    // The controller first, then ascending by the low 26 bits of the identity.
    EXPECT_EQ(std::vector<int32_t>(t.Order.begin(), t.Order.begin() + 4), (std::vector<int32_t>{0, 1, 4, 3}));
    EXPECT_EQ(t.Dev[0].Id, 0x212D3039u);
    EXPECT_EQ(t.Dev[0].ResCount, (std::array<uint16_t, 4>{4, 4, 2, 0}));
    EXPECT_EQ(t.Dev[0].FixedOutputs, 2);
    EXPECT_EQ(t.Dev[1].Conn, 3);
    EXPECT_EQ(t.Dev[3].ResCount, (std::array<uint16_t, 4>{0, 0, 0, 2}));
    EXPECT_EQ(t.Dev[4].ResCount, (std::array<uint16_t, 4>{0, 2, 0, 1}));
    EXPECT_EQ(t.Dev[4].Flags, FlagTamper);
    EXPECT_FALSE(t.Dev[2].Present());
}

TEST(BusTableParse, EntryResourceCounts)
{
    struct Case {
        const char* d;  // D0 to D7
        std::array<uint16_t, 4> counts;
        uint16_t fixed;
    };
    // Counts above the device limits are cut to 32 outputs, 32 inputs, 4 readers.
    const Case cases[] = {
        {"00 00 28 10 40 09 00 00", {32, 32, 4, 0}, 32},  // 40 relays + 16 OC, 64 inputs, 9 readers
        {"00 00 03 05 02 01 00 00", {8, 2, 1, 0}, 3},     // 3 relays + 5 OC outputs
        {"00 00 83 00 00 00 00 00", {0, 0, 0, 3}, 0},     // D2 bit 7: 3 output sets
        {"00 00 05 80 00 00 00 00", {0, 0, 0, 0}, 0},     // D3 bit 7 without bit 2: no sets, no outputs
        {"00 00 05 84 00 00 00 00", {0, 0, 0, 1}, 0},     // D3 bits 7 and 2: one set
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.d);
        BusDevTable t;
        ASSERT_TRUE(t.Parse(HexBytes("01 00 21 00 00 00" + Entry(0x20050001, c.d))));
        EXPECT_EQ(t.Dev[0].ResCount, c.counts);
        EXPECT_EQ(t.Dev[0].FixedOutputs, c.fixed);
    }
}

TEST(BusTableParse, ParsingClearsTakenMasks)
{
    BusDevTable t = Sample();
    t.Dev[0].Taken = {0xF, 0xF, 0x3, 0};
    ASSERT_TRUE(t.Parse(HexBytes(SampleReply)));
    EXPECT_EQ(t.Dev[0].Taken, (std::array<uint32_t, 4>{}));
}

TEST(BusTableParse, AcceptedHeads)
{
    struct Case {
        const char* head;
        int32_t kind, doors, train;
    };
    const Case cases[] = {
        {"00 00 21 00 00 00", KindDoors, 1, 0},    // no entries: accepted, nothing present
        {"00 00 3F F0 00 00", KindDoors, 31, 15},  // any door count for doors
        {"00 00 20 10 00 00", KindDoors, 0, 1},    // no doors
        {"00 00 41 00 00 00", KindLift, 1, 0},
        {"00 00 61 3F 00 00", KindLockers, 1, 3},  // low bits of byte 3 not interpreted
        {"00 00 21 10", KindDoors, 1, 1},          // no entries: bytes 4 and 5 are never read
        {"00 00 41 00 7E", KindLift, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        BusDevTable t;
        EXPECT_TRUE(t.Parse(HexBytes(c.head)));
        EXPECT_EQ(t.Kind, c.kind);
        EXPECT_EQ(t.DoorCount, c.doors);
        EXPECT_EQ(t.TrainFlag, c.train);
        EXPECT_EQ(t.DevCount, 0);
        EXPECT_EQ(t.PresentCount, 0);
        EXPECT_FALSE(t.Differs(HexBytes(c.head)));
    }
}

TEST(BusTableParse, RejectedRepliesEmptyTheTable)
{
    struct Case {
        const char* why;
        std::string reply;
        int32_t kindAfter;  // the kind just read is kept for a bad kind; otherwise the old one
    };
    const Case cases[] = {
        {"129 entries", "81 00 21 00 00 00" + EmptyEntries(3), KindDoors},
        {"lift with 2 doors", "00 00 42 00 00 00", KindLift},
        {"lockers with 0 doors", "00 00 60 00 00 00", KindLockers},
        {"kind 0", "00 00 01 00 00 00", 0},
        {"kind 4", "00 00 81 00 00 00", 4},
        {"2 entries announced, 1 received",
         "02 00 21 00 00 00" + Entry(0x20050001, "00 00 00 00 01 01 00 00"), KindDoors},
        {"entry cut short", "01 00 21 00 00 00 01 00 05 20 00 00 00 00 01", KindDoors},
        {"head cut short", "00 00 21", KindDoors},
        {"count alone", "00 00", KindDoors},
        {"one byte", "05", KindDoors},
        {"empty", "", KindDoors},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        BusDevTable t = Sample();
        EXPECT_FALSE(t.Parse(HexBytes(c.reply)));
        EXPECT_EQ(t.DevCount, 0);
        EXPECT_EQ(t.PresentCount, 0);
        EXPECT_EQ(t.DoorCount, 0);
        EXPECT_EQ(t.Kind, c.kindAfter);
        EXPECT_EQ(t.TrainFlag, 1);  // never changed by a rejected reply
    }
}

TEST(BusTableParse, EveryCutOfAReplyIsRejected)
{
    // Each cut is a vector of exactly the bytes received, so a read past them
    // is caught by the sanitizer build.
    const std::vector<uint8_t> full = HexBytes(SampleReply);
    const BusDevTable held = Sample();
    for (size_t n = 0; n < full.size(); ++n) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + n);
        EXPECT_TRUE(held.Differs(cut)) << n;
        BusDevTable t = Sample();
        EXPECT_FALSE(t.Parse(cut)) << n;
        EXPECT_EQ(t.PresentCount, 0) << n;
    }
}

TEST(BusTableParse, FullTableOf116EntriesFitsTheBuffer)
{
    // 6 + 12 * 116 = 1398 bytes: the most a 1400-byte reply can hold.
    std::string reply = "74 00 21 00 00 00" + Entry(0x212D0001, "00 00 01 00 01 01 00 00") +
                        EmptyEntries(114) + Entry(0x20050002, "00 00 00 00 01 01 00 00");
    BusDevTable t;
    ASSERT_TRUE(t.Parse(HexBytes(reply)));
    EXPECT_EQ(t.DevCount, 116);
    EXPECT_EQ(t.PresentCount, 2);
    EXPECT_EQ(t.Order[1], 115);
}

// Entries in front of a controller pass it when their key is higher; entries behind it never
// pass it, whatever their key. Modules (model 701) have higher keys than the controllers
// (model 301), readers (model 5) lower ones.
TEST(BusTableSort, OrderOfThePresentEntries)
{
    const struct {
        const char* What;
        std::vector<uint32_t> Ids;
        std::vector<int32_t> Order;
    } cases[] = {
        // 0x2C050003 carries connection bits 26-27 only: its key is 0x050003.
        {"the controller stays first, the others ascend",
         {0x212D0009, 0x20D20001, 0x20050005, 0x2C050003, 0x20050004},
         {0, 3, 4, 2, 1}},
        // The later reader may not pass the controller, so nothing moves.
        {"a controller never moves behind its successor", {0x20050009, 0x212D0009, 0x20050001}, {0, 1, 2}},
        {"controllers are overtaken but never passed",
         {0x22BD0009, 0x212D0005, 0x20050001, 0x22BD0007, 0x212D0003, 0x20050002},
         {1, 2, 4, 5, 3, 0}},
    };
    for (const auto& c : cases) {
        BusDevTable t;
        const int count = static_cast<int>(c.Ids.size());
        for (int i = 0; i < count; ++i) {
            t.Dev[i].Id = c.Ids[i];
            t.Order[i] = i;
        }
        t.PresentCount = count;
        t.Sort();
        EXPECT_EQ(std::vector<int32_t>(t.Order.begin(), t.Order.begin() + count), c.Order) << c.What;
    }
}

TEST(BusTableDiffers, ComparesIdentitiesStatusFlagsAndTheShapeOnly)
{
    struct Case {
        const char* what;
        size_t offset;  // byte of the sample reply to change
        uint8_t value;
        bool differs;
    };
    const size_t e1 = 6 + 12;
    const Case cases[] = {
        {"nothing changed", 0, 0x05, false},
        {"kind", 2, 0x42, true},
        {"door count", 2, 0x23, true},
        {"train flag", 3, 0x00, true},
        {"low bits of byte 3", 3, 0x1F, false},
        {"flags bits 0-3", e1 + 5, 0x0F, false},
        {"connection D0", e1 + 4, 0x07, false},
        {"D2", e1 + 6, 0x05, false},
        {"D5", e1 + 9, 0x03, false},
        {"D7", e1 + 11, 0xAA, false},
        {"flag inactive", e1 + 5, FlagInactive, true},
        {"flag new", e1 + 5, FlagNew, true},
        {"identity", e1 + 0, 0x08, true},
        {"identity of an empty slot", 6 + 24, 0x01, true},
        {"entry count", 0, 0x04, true},
    };
    const BusDevTable t = Sample();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> reply = HexBytes(SampleReply);
        reply[c.offset] = c.value;
        EXPECT_EQ(t.Differs(reply), c.differs);
    }
}

TEST(BusTableDiffers, RepliesThatCannotBeTakenInAlwaysDiffer)
{
    const BusDevTable t = Sample();
    std::vector<uint8_t> reply = HexBytes(SampleReply);
    reply.pop_back();  // the same count of entries, the last one cut short
    EXPECT_TRUE(t.Differs(reply));
    EXPECT_TRUE(t.Differs(HexBytes("05")));
    EXPECT_TRUE(t.Differs({}));

    const BusDevTable none;
    EXPECT_FALSE(none.Differs(HexBytes("00 00 00 00 00 00")));
    EXPECT_TRUE(none.Differs(HexBytes("00 00 21 00 00 00")));  // a controller with a door
    EXPECT_TRUE(none.Differs(HexBytes("00 00")));              // no head
}

TEST(BusTableTexts, ConnName)
{
    struct Case {
        uint32_t id;
        uint8_t conn;
        const char* text;
    };
    const Case cases[] = {
        {0x20050007, 3, "R05_00007/A3"},   {0xA4050007, 3, "R05_00007/F3"},  // bit 31 and bit 26
        {0x2C050007, 12, "R05_00007/D12"}, {0xAC050007, 255, "R05_00007/H255"},
        {0x212D3039, 0, "K01_12345/A0"},
    };
    for (const Case& c : cases) {
        BusDev dev;
        dev.Id = c.id;
        dev.Conn = c.conn;
        EXPECT_EQ(ConnName(dev), c.text);
    }
}

// The connection alone, as quorctl's listings and restore name it.
TEST(BusTableTexts, ConnText)
{
    const struct {
        uint32_t id;
        uint8_t conn;
        const char* text;
    } cases[] = {
        {0x20050007, 3, "A3"},
        {0x24050007, 1, "B1"},
        {0xA4050007, 3, "F3"},
        {0xAC050007, 255, "H255"},
    };
    for (const auto& c : cases) {
        BusDev dev;
        dev.Id = c.id;
        dev.Conn = c.conn;
        EXPECT_EQ(ConnText(dev), c.text);
    }
}

TEST(BusTableTexts, DevListRowOfInactiveNewReaderAtIndex12)
{
    const std::string reply = "0D 00 21 00 00 00" + Entry(0x212D3039, "00 00 02 02 04 02 00 00") +
                              EmptyEntries(11) + Entry(0x20050007, "03 90 00 00 01 01 00 00");
    BusDevTable t;
    ASSERT_TRUE(t.Parse(HexBytes(reply)));
    ASSERT_EQ(t.PresentCount, 2);
    EXPECT_EQ(t.DevListRow(0), "0. Kontroler: K01_12345/A0");
    EXPECT_EQ(t.DevListRow(1), "C.    Czytnik: R05_00007/A3,   (nieaktywny)");
}

TEST(BusTableTexts, DevListRowKindsAndFlags)
{
    struct Case {
        uint32_t id;
        uint8_t flags;
        const char* row;
    };
    // Model codes 1 to 1023 across the types; entry index 1 throughout.
    const Case cases[] = {
        {0x20640001, FlagPower | FlagTamper, "1.  Terminal: T00_00001/A0,   (zasilanie!)"},
        {0x20C80001, FlagTamper | FlagNew, "1.      Zamek: Z00_00001/A0,   (sabotaż)"},
        {0x21900001, FlagNew | 0x0F, "1.Ctr: C00_00001/A0,   (nowy)"},
        {0x21F40001, 0x0F, "1. Klawiatura: K00_00001/A0"},
        {0x22580001, 0, "1. Interfejs: P00_00001/A0"},
        {0x22BC0001, 0, "1.      Moduł: D00_00001/A0"},
        {0x23200001, 0, "1. Nieznany: X00_00001/A0"},
        {0x23FF0001, FlagInactive | FlagPower, "1. Nieznany: X23_00001/A0,   (nieaktywny)"},
    };
    for (const Case& c : cases) {
        BusDevTable t;
        t.Dev[1].Id = c.id;
        t.Dev[1].Flags = c.flags;
        t.Order[0] = 1;
        t.PresentCount = 1;
        EXPECT_EQ(t.DevListRow(0), c.row);
    }
}

TEST(BusTableTexts, DevListRowIndexCharacters)
{
    struct Case {
        int entry;
        const char* start;
    };
    const Case cases[] = {
        {9, "9."},  {10, "A."},         {35, "Z."},
        {36, "[."}, {127, "\xC2\xB6."},  // code 182, written as valid UTF-8
    };
    for (const Case& c : cases) {
        BusDevTable t;
        t.Dev[c.entry].Id = 0x20050001;
        t.Order[0] = c.entry;
        t.PresentCount = 1;
        EXPECT_EQ(t.DevListRow(0).rfind(c.start, 0), 0u) << c.entry;
    }
    const BusDevTable t = Sample();
    EXPECT_EQ(t.DevListRow(4), "");
    EXPECT_EQ(t.DevListRow(-1), "");
}

TEST(BusTableTexts, ResourceItems)
{
    const BusDevTable t = Sample();
    struct Case {
        ResRef r;
        const char* prefix;
        const char* text;
    };
    const Case cases[] = {
        {NoRef, "Out", "     ---      "},
        {NoRef, "In", "     ---     "},
        {NoRef, "Rd", "     ---     "},
        {0x0000, "Out", "K01_12345:Out1"},
        {0x0083, "Out", "K01_12345:Out4"},  // NC flag ignored
        {0x0100, "In", "R05_00007:In1"},
        {0x0401, "Rd", "Z10_00009:Rd2"},
        {0x001F, "In", "K01_12345:In32"},
        // Bit 15 is no part of the entry index: the slot shows what bits 8-14 name.
        {0x8100, "In", "R05_00007:In1"},
        {0x8102, "Out", "R05_00007:Out3"},
        {0x8483, "Out", "Z10_00009:Out4"},
        {0xFF00, "Out", "R100_00000:Out1"},  // entry 127, never filled: identity 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.ResItemText(c.r, c.prefix), c.text) << std::hex << c.r;
    }
    EXPECT_EQ(t.OutSetItemText(NoRef), "     ---  ");
    EXPECT_EQ(t.OutSetItemText(0x0301), "D05_00016");
    EXPECT_EQ(t.OutSetItemText(0x8301), "D05_00016");
    EXPECT_EQ(t.PairText(0x0401), "R05_00007 <-- Z10_00009");
    EXPECT_EQ(t.PairText(0x9001), "R05_00007 <-- ---");
}

// "Usuń nieaktywne" empties an entry while door slots may still name it: such
// a reference shows what is left of it without inventing a device.
TEST(BusTableTexts, ReferenceToEmptiedEntry)
{
    BusDevTable t = Sample();
    t.Dev[1].Id = 0xFFFF0007;  // e1 emptied after being read with its input and reader
    struct Case {
        ResRef r;
        const char* prefix;
        const char* text;
    };
    const Case cases[] = {
        {0x0100, "In", "? (In1)"},      {0x0180, "In", "? (In1)"}, {0x0200, "Rd", "? (Rd1)"},
        {0x0203, "Out", "? (Out4)"},    {0x8200, "Rd", "? (Rd1)"}, {0x0401, "Rd", "Z10_00009:Rd2"},
        {NoRef, "Rd", "     ---     "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.ResItemText(c.r, c.prefix), c.text) << std::hex << c.r;
    }
    EXPECT_EQ(t.OutSetItemText(0x0100), "? (1)");
    EXPECT_EQ(t.OutSetItemText(0x0201), "? (2)");
    EXPECT_EQ(t.OutSetItemText(0x0301), "D05_00016");

    const struct {
        ResRef r;
        bool device;
    } refs[] = {{0x0000, true}, {0x0100, false}, {0x0283, false}, {0x0401, true}, {NoRef, false}};
    for (const auto& c : refs) {
        EXPECT_EQ(t.RefHasDevice(c.r), c.device) << std::hex << c.r;
    }
}

TEST(BusTableLists, FreeRefsSkipTakenAndFollowDisplayOrder)
{
    BusDevTable t = Sample();
    t.Dev[0].Taken[ResOutput] = 0b0101;
    RefList out;
    ASSERT_EQ(t.FreeRefs(ResOutput, out), 2);
    EXPECT_EQ(out[0], 0x0001);
    EXPECT_EQ(out[1], 0x0003);

    ASSERT_EQ(t.FreeRefs(ResInput, out), 7);
    // e0 inputs 0-3, e1 input 0, then e4 (sorted ahead of e3) inputs 0-1.
    EXPECT_EQ(std::vector<ResRef>(out.begin(), out.begin() + 7),
              (std::vector<ResRef>{0x0000, 0x0001, 0x0002, 0x0003, 0x0100, 0x0400, 0x0401}));

    t.Dev[3].Taken[ResOutputSet] = 0b01;
    ASSERT_EQ(t.FreeRefs(ResOutputSet, out), 2);
    EXPECT_EQ(out[0], 0x0400);
    EXPECT_EQ(out[1], 0x0301);

    EXPECT_EQ(t.FreeRefs(ResKinds, out), 0);
    EXPECT_EQ(t.FreeRefs(-1, out), 0);
    std::array<ResRef, 3> small;
    EXPECT_EQ(t.FreeRefs(ResInput, small), 3);
}

TEST(BusTableLists, ListsStopAt2560)
{
    BusDevTable t;
    for (int e = 0; e < MaxBusDevs; ++e) {
        t.Dev[e].Id = 0x20050000u + e;
        t.Dev[e].ResCount[ResInput] = 32;
        t.Order[e] = e;
    }
    t.PresentCount = MaxBusDevs;
    std::vector<ResRef> big(4096, NoRef);
    EXPECT_EQ(t.FreeRefs(ResInput, big), MaxListLen);
    EXPECT_EQ(big[MaxListLen - 1], (79 << 8) + 31);
    EXPECT_EQ(big[MaxListLen], NoRef);
}

TEST(BusTableLists, FreeInputsOfOneDevice)
{
    BusDevTable t = Sample();
    t.Dev[0].Taken[ResInput] = 0b0010;
    RefList out;
    struct Case {
        ResRef r;
        std::vector<ResRef> inputs;
    };
    const Case cases[] = {
        {0x0083, {0x0000, 0x0002, 0x0003}},  // an output of e0 with NC: the high byte is kept
        {0x0400, {0x0400, 0x0401}},
        {NoRef, {}},
        {0x8000, {}},  // bit 15: never indexes the table
        {0xFF00, {}},
        {0x0500, {}},  // e5, emptied below after being read with two inputs
    };
    t.Dev[5] = t.Dev[4];
    t.Dev[5].Id = 0xFFFF0009;
    for (const Case& c : cases) {
        const int n = t.FreeInputsOf(c.r, out);
        EXPECT_EQ(std::vector<ResRef>(out.begin(), out.begin() + n), c.inputs) << std::hex << c.r;
    }
}

TEST(BusTableLists, ReplacementPairs)
{
    // Two inactive readers and one new reader of model 5, a new lock, an inactive new terminal.
    BusDevTable t;
    const struct {
        uint32_t id;
        uint8_t flags;
    } devs[] = {
        {0x212D0001, 0},                       // e0 controller
        {0x20050002, FlagInactive},            // e1 reader
        {0x20D20003, FlagNew},                 // e2 lock
        {0x24050004, FlagInactive},            // e3 reader (connection bits differ, model alike)
        {0x20050005, FlagNew},                 // e4 reader
        {0x20640006, FlagInactive | FlagNew},  // e5 terminal, both flags
    };
    for (int e = 0; e < 6; ++e) {
        t.Dev[e].Id = devs[e].id;
        t.Dev[e].Flags = devs[e].flags;
        t.Order[e] = e;
    }
    t.PresentCount = 6;
    EXPECT_TRUE(t.AnyInactive());
    PairList out;
    ASSERT_EQ(t.ReplacementPairs(out), 2);
    EXPECT_EQ(out[0], 0x0401);
    EXPECT_EQ(out[1], 0x0403);

    // Another terminal with both flags pairs both ways, never with itself.
    t.Dev[6] = {0x20640007, 0, FlagInactive | FlagNew};
    t.Order[6] = 6;
    t.PresentCount = 7;
    ASSERT_EQ(t.ReplacementPairs(out), 4);
    EXPECT_EQ(out[2], 0x0605);
    EXPECT_EQ(out[3], 0x0506);

    std::array<uint16_t, 1> one;
    EXPECT_EQ(t.ReplacementPairs(one), 1);
    EXPECT_FALSE(Sample().AnyInactive());
}

}  // namespace
}  // namespace quor
