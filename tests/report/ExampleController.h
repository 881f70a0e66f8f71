#pragma once
// The controller of the report's worked example: K05_01234 (the controller,
// connection A0), T12_00077 on A1 and Z40_00310 on B2, two doors.

#include <chrono>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "model/Cfgquor.h"
#include "model/Hardres.h"
#include "report/Rap.h"
#include "tests/support/HexBytes.h"

namespace quor::test {

// Bus-table reply, kind 1 with 2 doors. Identities: 0x213104D2 (model 305,
// serial 1234), 0x24F00136 (model 240, serial 310, letter B), 0x2070004D
// (model 112, serial 77). The reply lists the lock before the terminal, so
// the display order (K, T, Z) differs from the entry order (K, Z, T).
inline constexpr std::string_view ExampleReply = "03 00 22 00 00 00"
                                                 " D2 04 31 21  00 00 02 02 04 01 00 00"
                                                 " 36 01 F0 24  02 00 00 04 02 00 00 00"
                                                 " 4D 00 70 20  01 00 00 00 02 01 00 00";

// Entry indexes of the three devices in the reply.
inline constexpr ResRef Ctrl = 0x0000;
inline constexpr ResRef Lock = 0x0100;
inline constexpr ResRef Term = 0x0200;

class ExampleController : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Table.Parse(HexBytes(ExampleReply))); }

    // Door 1 of the example: airlock 1, bolt, alarm (NC), exit button, door sensor (NC), two readers.
    void FillExampleDoor()
    {
        DoorCfg& door = Cfg.Doors[0];
        door.Outputs[OutBolt] = Ctrl | 0;
        door.Outputs[OutAlarm] = Lock | RefNc | 2;
        door.Inputs[InExitButton] = Ctrl | 0;
        door.Inputs[InOpenSensor] = Ctrl | RefNc | 1;
        door.Readers[0] = Term | 0;
        door.Readers[1] = Ctrl | 0;
        door.Params[ParDoorFlags] = 0x04;
    }

    std::string Report(std::string_view location = "Budynek B",
                       std::chrono::year_month_day date = std::chrono::year{2019} / 8 / 29)
    {
        std::ostringstream out(std::ios::binary);
        WriteRap(Cfg, Table, out, location, date);
        return out.str();
    }

    std::string Door(const DoorCfg& door)
    {
        std::ostringstream out(std::ios::binary);
        WriteRapDoor(door, out, Table);
        return out.str();
    }

    BusDevTable Table;
    DoorCfgSet Cfg;
};

}  // namespace quor::test
