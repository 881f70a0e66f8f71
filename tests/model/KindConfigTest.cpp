// Marking a freshly read table with the configuration held: only the record
// of the table's kind counts, whatever the other records hold.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "link/Udpdev.h"
#include "model/KindConfig.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using test::HexBytes;

// e0 K01_12345: outputs 0-1 relays, 2-3 OC; 4 inputs; 2 readers. e1 D01_00007: 2 output sets.
BusDevTable TableOfKind(const std::string& kindAndDoors)
{
    BusDevTable t;
    EXPECT_TRUE(t.Parse(HexBytes("02 00 " + kindAndDoors +
                                 " 00 00 00"
                                 "39 30 2D 21  01 00 02 02 04 02 00 00"
                                 "07 00 BD 22  03 00 82 00 00 00 00 00")));
    return t;
}

struct KindCase {
    const char* Header;  // byte 2 of the reply: kind in bits 7-5, door count in bits 4-0
    int Kind;            // set after parsing; 0 stands for a kind no record belongs to
    uint32_t ControllerOutputs;
    uint32_t ModuleSets;
};

TEST(MarkKindConfig, MarksTheRecordOfTheTablesKindOnly)
{
    const std::array<KindCase, 4> cases = {{
        {"21", 1, 0b0100, 0b00},
        {"41", 2, 0b0000, 0b01},
        {"61", 3, 0b0000, 0b10},
        {"21", 0, 0b0000, 0b00},
    }};
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        Controller r;
        BusDevTable& t = r.Table;
        t = TableOfKind(c.Header);
        t.Kind = c.Kind;
        // Records as edited before the table was read again; reading cleared every mask.
        r.Doors.Doors[0].Outputs[OutAlarm] = 0x0002;
        r.Lift.OutputSets[0] = 0x0100;
        r.Lockers.OutputSets[5] = 0x0101;
        MarkKindConfig(r);
        EXPECT_EQ(t.Dev[0].Taken[ResOutput], c.ControllerOutputs);
        EXPECT_EQ(t.Dev[1].Taken[ResOutputSet], c.ModuleSets);
    }
}

// A table of no known kind keeps no configuration: nothing is sent (the
// device has no endpoint to send it through).
TEST(WriteKindConfig, RefusesAKindThatKeepsNone)
{
    Controller r;
    r.Table = TableOfKind("21");
    r.Table.Kind = 0;
    UdpDev dev;
    EXPECT_FALSE(WriteKindConfig(dev, r));
}

}  // namespace
}  // namespace quor
