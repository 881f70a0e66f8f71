// Loading the selected device, the one way the window and quorctl share: the
// order of its steps, the error each one raises, and how far it goes.
#include <gtest/gtest.h>

#include <string>

#include "link/Udpdev.h"
#include "model/ControllerLoad.h"
#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"
#include "tests/model/BlockCaptures.h"
#include "tests/support/HexBytes.h"

namespace quor {
namespace {

using sim::Bytes;
using test::HexBytes;

const std::string DevIp = "10.45.1.1";

// Kind and door count as given; the controller and one reader.
Bytes TableReply(const std::string& kindDoors)
{
    return HexBytes("02 00 " + kindDoors +
                    " 00 00 00"
                    "39 30 2D 21  00 00 02 02 04 02 00 00"
                    "07 00 05 20  03 00 00 00 01 01 00 00");
}

struct Case {
    const char* What;
    uint32_t Id;
    uint8_t Mode;
    int32_t Version;
    std::string KindDoors;  // byte 2 of the table reply
    LoadSteps Steps;
    const char* Result;   // the end reached, or the error's text
    const char* Wire;     // the commands sent, in order
    int32_t DoorCount;    // after loading; 3 is the table held before
    bool Misfit = false;  // the lockers record holds a door block
};

const char* EndText(LoadEnd end)
{
    switch (end) {
    case LoadEnd::NotController:
        return "not a controller";
    case LoadEnd::NoDoors:
        return "no doors";
    case LoadEnd::Table:
        return "table";
    case LoadEnd::Configuration:
        return "configuration";
    }
    return "?";
}

// The errors, as the installer reads them.
const char* const InBlokada =
    "K01_12345, tryb: Blokada.\n\nBłąd nr 11: Kontroler nie pozwala odczytać ustawień przejść.\n"
    "Ustaw go w tryb 'Service'\n";
const char* const InKonfiguracja =
    "K01_12345, tryb: Konfiguracja.\n\nBłąd nr 11: Kontroler nie pozwala odczytać ustawień przejść.\n"
    "Ustaw go w tryb 'Service'\n";
const char* const OldProtocol =
    "K01_12345, tryb: Serwis.\n\nBłąd nr 2: Urządzenie ma starą wersję protokołu komunikacji.\n";
const char* const UnknownProtocol = "K01_12345, tryb: Serwis.\n\nBłąd nr 3: Urządzenie ma nieznaną "
                                    "programowi wersję protokołu komunikacji.\n";
const char* const ConfigRead = "K01_12345, tryb: Serwis.\n\nBłąd nr 8: Błąd odczytu danych konfiguracji.\n";

const Case Cases[] = {
    {"doors", 0x212D3039, 2, 2, "21", {}, "configuration", "O O K D O C1.0", 1},
    {"lift", 0x212D3039, 3, 2, "41", {}, "configuration", "O O K D O C2.0", 1},
    {"lockers", 0x212D3039, 2, 2, "61", {}, "configuration", "O O K D O C3.0", 1},
    {"time recorder", 0x20650007, 2, 2, "21", {}, "not a controller", "O", 0},
    {"Blokada", 0x212D3039, 0, 2, "21", {}, InBlokada, "O", 0},
    {"Konfiguracja", 0x212D3039, 1, 2, "21", {}, InKonfiguracja, "O", 0},
    {"protocol 1", 0x212D3039, 2, 1, "21", {}, OldProtocol, "O", 0},
    {"protocol 3", 0x212D3039, 2, 3, "21", {}, UnknownProtocol, "O", 0},
    {"a block that does not fit", 0x212D3039, 2, 2, "61", {}, ConfigRead, "O O K D O C3.0", 1, true},
    // A rejected table (a lift with two doors) leaves no doors; the configuration
    // of the kind read is read all the same, unless doors are needed.
    {"rejected table", 0x212D3039, 2, 2, "42", {}, "configuration", "O O K D O C2.0", 0},
    {"rejected table, doors needed", 0x212D3039, 2, 2, "42", {.NeedDoors = true}, "no doors", "O O K D", 0},
    {"table only", 0x212D3039, 2, 2, "21", {.TableOnly = true}, "table", "O O K D", 1},
};

class ControllerLoad : public ::testing::Test {
protected:
    std::string Wire(const std::string& ip) const
    {
        std::string text;
        for (const sim::Frame& f : Lan.SentTo(ip)) {
            const bool isSigned = f.Data.size() >= 19 && f.Data[3] == 'C';
            text += text.empty() ? "" : " ";
            text += static_cast<char>(isSigned ? f.Data[10] : f.Data[3]);
            if (isSigned && f.Data[10] == 'C') {
                text += std::to_string(f.Data[11]) + "." + std::to_string(f.Data[12]);
            }
        }
        return text;
    }

    // A table held from an earlier loading: loading forgets it first.
    void HoldTable() { ASSERT_TRUE(Table.Parse(HexBytes("00 00 23 00 00 00"))); }

    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();
    Controller Records;
    BusDevTable& Table = Records.Table;
    DoorCfgSet& Doors = Records.Doors;
    OutSetCfg& Lift = Records.Lift;
    OutSetCfg& Lockers = Records.Lockers;
};

TEST_F(ControllerLoad, StepsAndErrors)
{
    int devices = 0;
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.What);
        const std::string ip = "10.45.1." + std::to_string(++devices);
        sim::EmuController emu(c.Id, c.Mode);
        emu.BusTable = TableReply(c.KindDoors);
        emu.Blocks[{1, 0}] = HexBytes(test::DoorReply);
        emu.Blocks[{2, 0}] = HexBytes(test::LiftReply);
        emu.Blocks[{3, 0}] = HexBytes(c.Misfit ? test::DoorReply : test::LockersReply);
        Lan.Attach(ip, emu);
        UdpDev dev(Pc, c.Id, ParseIp(ip), c.Version, c.Mode);
        HoldTable();
        LoadSteps steps = c.Steps;
        int answered = 0;
        steps.Answered = [&] { ++answered; };

        std::string result;
        try {
            result = EndText(LoadDevice(dev, Records, steps));
        } catch (const UErr& e) {
            result = e.Text();
        }
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(Wire(ip), c.Wire);
        EXPECT_EQ(answered, 1);
        EXPECT_EQ(Table.DoorCount, c.DoorCount);
        dev.CloseSession();
        Lan.Detach(ip);
    }
}

TEST_F(ControllerLoad, ASilentDeviceKeepsTheTableHeld)
{
    UdpDev dev(Pc, 0x212D3039, ParseIp(DevIp), 2, 2);  // nothing at its address
    HoldTable();
    int answered = 0;
    std::string text;
    try {
        LoadDevice(dev, Records, {.Answered = [&] { ++answered; }});
    } catch (const UErr& e) {
        text = e.Text();
    }
    EXPECT_EQ(text, "K01_12345, tryb: Niedostępny.\n\nBłąd nr 1: Urządzenie nie odpowiada.\n");
    EXPECT_EQ(answered, 0);
    EXPECT_EQ(Table.DoorCount, 3);
}

TEST_F(ControllerLoad, LoadingTheKindsRecordMarksItsResources)
{
    sim::EmuController emu(0x212D3039, 2);
    emu.BusTable = TableReply("21");
    emu.Blocks[{1, 0}] = HexBytes(test::DoorReply);
    Lan.Attach(DevIp, emu);
    UdpDev dev(Pc, 0x212D3039, ParseIp(DevIp), 2, 2);
    EXPECT_TRUE(LoadController(dev, Records));
    // The door's bolt and reminder are outputs 3 and 4 of the controller.
    EXPECT_EQ(Table.Dev[0].Taken[ResOutput], 0b1100u);
    EXPECT_EQ(Doors.Doors[0].Outputs[0], 0x0002);
}

}  // namespace
}  // namespace quor
