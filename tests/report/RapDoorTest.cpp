#include "report/Rap.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/report/ExampleController.h"
#include "tests/support/PolishCp1250.h"

namespace quor {
namespace {

using test::Ctrl;
using test::Lock;
using test::Term;

enum SlotGroup { Out, In, Rd };

struct Slot {
    SlotGroup Group;
    int Index;
    ResRef Ref;
};

struct DoorCase {
    const char* Name;
    std::vector<Slot> Slots;
    std::vector<std::string_view> Lines;  // UTF-8, without line ends
};

// Resource names begin in column 27 whatever the label; "ż" is one character.
const DoorCase Cases[] = {
    {"nothing assigned", {}, {}},
    {"reader only", {{Rd, 2, Ctrl | 0}}, {"    Czytniki:", "               Czytnik 3: K05_01234:Rd1"}},
    {"NC flag on a reader not shown",
     {{Rd, 0, Term | RefNc | 0}},
     {"    Czytniki:", "               Czytnik 1: T12_00077:Rd1"}},
    {"alarm output only", {{Out, 2, Lock | 2}}, {"    Wyjścia:", "                   Alarm: Z40_00310:Out3"}},
    {"output slots 4 and up never printed", {{Out, 4, Ctrl | 1}, {Out, 9, Ctrl | 2}}, {}},
    {"input slots 5 and up never printed", {{In, 5, Ctrl | 1}, {In, 7, Ctrl | 2}, {In, 9, Ctrl | 3}}, {}},
    {"evacuation beside a hidden input slot",
     {{In, 4, Ctrl | RefNc | 3}, {In, 6, Ctrl | 1}},
     {"    Wejścia:", "               Ewakuacja: K05_01234:In4 [NC]"}},
    {"bit 15 is no part of the entry index",
     {{Out, 1, 0x8102}, {In, 0, 0x8181}},
     {"    Wyjścia:", "           Przypomnienie: Z40_00310:Out3",
      "    Wejścia:", "        Przycisk wyjścia: Z40_00310:In2 [NC]"}},
    {"every slot",
     {{Out, 0, Ctrl | 0},
      {Out, 1, Ctrl | RefNc | 1},
      {Out, 2, Lock | RefNc | 2},
      {Out, 3, Lock | 3},
      {In, 0, Ctrl | 0},
      {In, 1, Ctrl | RefNc | 1},
      {In, 2, Ctrl | 2},
      {In, 3, Ctrl | RefNc | 3},
      {In, 4, Lock | 0},
      {Rd, 0, Term | 0},
      {Rd, 1, Ctrl | 0},
      {Rd, 2, Ctrl | RefNc | 1},
      {Rd, 3, Term | 1}},
     {
         "    Wyjścia:",
         "                  Rygiel: K05_01234:Out1",
         "           Przypomnienie: K05_01234:Out2 [NC]",
         "                   Alarm: Z40_00310:Out3 [NC]",
         "                    CCTV: Z40_00310:Out4",
         "    Wejścia:",
         "        Przycisk wyjścia: K05_01234:In1",
         "        Czujnik otwarcia: K05_01234:In2 [NC]",
         "         Czujka alarmowa: K05_01234:In3",
         "                 Sabotaż: K05_01234:In4 [NC]",
         "               Ewakuacja: Z40_00310:In1",
         "    Czytniki:",
         "               Czytnik 1: T12_00077:Rd1",
         "               Czytnik 2: K05_01234:Rd1",
         "               Czytnik 3: K05_01234:Rd2",
         "               Czytnik 4: T12_00077:Rd2",
     }},
};

void PrintTo(const DoorCase& c, std::ostream* os)
{
    *os << c.Name;
}

class RapDoorTest : public test::ExampleController, public testing::WithParamInterface<DoorCase> {};

TEST_P(RapDoorTest, WritesAssignedSlotsOnly)
{
    const DoorCase& c = GetParam();
    DoorCfg door;
    for (const Slot& s : c.Slots) {
        switch (s.Group) {
        case Out:
            door.Outputs[s.Index] = s.Ref;
            break;
        case In:
            door.Inputs[s.Index] = s.Ref;
            break;
        case Rd:
            door.Readers[s.Index] = s.Ref;
            break;
        }
    }
    EXPECT_EQ(Door(door), test::Cp1250Lines(c.Lines)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Table, RapDoorTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<DoorCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace quor
