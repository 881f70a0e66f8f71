// The Ethernet and bus-device panes, and which sheet is shown.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "link/Udpdev.h"
#include "sheets/BusPane.h"
#include "sheets/EthPane.h"
#include "sheets/Sheets.h"
#include "tests/sheets/BusTables.h"

namespace quor {
namespace {

using test::ParsedTable;

// The panes only read the device records; nothing may go out on the wire.
class NoWire : public Endpoint, public Clock {
public:
    void Send(std::string_view, uint16_t, std::span<const uint8_t>) override
    {
        throw std::logic_error("send");
    }
    void Broadcast(uint16_t, std::span<const uint8_t>) override { throw std::logic_error("broadcast"); }
    int Receive(std::span<uint8_t>, int, std::string*) override { return 0; }
    Clock& Time() override { return *this; }
    int64_t NowMs() override { return 0; }
    uint32_t UtcSeconds() override { return 0; }
};

constexpr uint32_t Ctr = 0x212D3039;  // K01_12345
constexpr uint16_t ModeService = 2;
constexpr uint16_t ModeInstall = 3;

TEST(SheetSwitch, VisibilityOfTheBitSet)
{
    const std::vector<std::pair<int, SheetVisibility>> cases = {
        {0, {false, false, false, false}},
        {SheetDoorBit, {true, true, false, false}},
        {SheetLiftBit, {true, false, true, false}},
        {SheetLockersBit, {true, false, false, true}},
    };
    for (const auto& [bits, visibility] : cases) {
        EXPECT_EQ(SheetVisibilityOf(bits), visibility) << bits;
    }
}

TEST(SheetSwitch, BitSetAfterLoading)
{
    struct Case {
        const char* name;
        uint32_t id;
        int32_t version;
        int32_t kind;
        int32_t doors;
        int bits;
    };
    const std::vector<Case> cases = {
        {"door controller", Ctr, 2, KindDoors, 4, SheetDoorBit},
        {"lift controller", Ctr, 2, KindLift, 1, SheetLiftBit},
        {"lockers controller", Ctr, 2, KindLockers, 1, SheetLockersBit},
        {"nothing loaded", Ctr, 2, KindDoors, 0, 0},
        {"old protocol", Ctr, 1, KindDoors, 4, 0},
        {"unknown protocol", Ctr, 3, KindDoors, 4, 0},
        {"device of type 4", 0x21910001, 2, KindDoors, 4, 0},  // model code 401
    };
    NoWire wire;
    for (const auto& c : cases) {
        const UdpDev dev(wire, c.id, 0xC0A80114, c.version, ModeService);
        BusDevTable table;
        table.Kind = c.kind;
        table.DoorCount = c.doors;
        EXPECT_EQ(SheetBitsFor(dev, table), c.bits) << c.name;
    }
}

TEST(SheetSwitch, RefreshFillsTheSheetOfTheKind)
{
    BusDevTable table;
    const std::vector<std::pair<int, SheetKind>> cases = {
        {KindDoors, SheetKind::Doors}, {KindLift, SheetKind::Lift}, {KindLockers, SheetKind::Lockers},
        {0, SheetKind::None},          {5, SheetKind::None},
    };
    for (const auto& [kind, sheet] : cases) {
        table.Kind = kind;
        EXPECT_EQ(RefreshTarget(table), sheet) << kind;
    }
    EXPECT_FALSE(SheetLoadable(table));
    table.DoorCount = 1;
    EXPECT_TRUE(SheetLoadable(table));
}

TEST(SheetSwitch, TestGroupsOnlyInInstallationMode)
{
    const std::vector<std::pair<uint16_t, bool>> cases = {
        {0, false}, {1, false}, {ModeService, false}, {ModeInstall, true}, {0x0103, true}, {0x0102, false},
    };
    for (const auto& [mode, enabled] : cases) {
        EXPECT_EQ(TestGroupEnabled(mode), enabled) << mode;
    }
}

UdpDevSet Devices(NoWire& wire, std::vector<uint32_t> ids, int selected)
{
    UdpDevSet set(wire);
    for (size_t i = 0; i < ids.size(); ++i) {
        set.Dev[i] = UdpDev(wire, ids[i], 0xC0A80114 + static_cast<uint32_t>(i), 2, ModeService);
    }
    set.Count = static_cast<int32_t>(ids.size());
    set.Selected = selected;
    return set;
}

TEST(EthPane, RowsSelectionAndLoading)
{
    const struct {
        const char* What;
        std::vector<uint32_t> Ids;
        int Selected;
        std::vector<std::string> Rows;
        bool WwwEnabled;
        bool HideSheets;
        int SelectRow;
        bool LoadSelected;
        const char* Web;
    } cases[] = {
        {"no device listed", {}, -1, {}, false, true, -1, false, ""},
        {"the first device found is selected and loaded",
         {Ctr, 0x20050007},
         -1,
         {" K01_12345,  192.168.1.20,  Serwis", " R05_00007,  192.168.1.21,  Serwis"},
         true,
         false,
         0,
         true,
         ""},
        {"the selected device stays selected without reading",
         {Ctr, 0x20050007},
         1,
         {" K01_12345,  192.168.1.20,  Serwis", " R05_00007,  192.168.1.21,  Serwis"},
         true,
         false,
         1,
         false,
         "http://192.168.1.21"},
    };
    NoWire wire;
    for (const auto& c : cases) {
        const UdpDevSet devices = Devices(wire, c.Ids, c.Selected);
        const EthPaneView v = ViewEthPane(devices);
        EXPECT_EQ(v.Rows, c.Rows) << c.What;
        EXPECT_EQ(v.WwwEnabled, c.WwwEnabled) << c.What;
        EXPECT_EQ(v.HideSheets, c.HideSheets) << c.What;
        EXPECT_EQ(v.SelectRow, c.SelectRow) << c.What;
        EXPECT_EQ(v.LoadSelected, c.LoadSelected) << c.What;
        EXPECT_EQ(WebAddress(devices), c.Web) << c.What;
    }
}

TEST(EthPane, TextWhenTheListIsFull)
{
    const struct {
        int Capacity;
        int NotListed;
        const char* Text;
    } cases[] = {
        {100, 0, ""},
        {100, 1, "Lista mieści 100 urządzeń; 1 pozostałego nie pokazano."},
        {100, 250, "Lista mieści 100 urządzeń; 250 pozostałych nie pokazano."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotListedText(c.Capacity, c.NotListed), c.Text) << c.NotListed;
    }
}

TEST(BusPane, RowsAndReplacementPairs)
{
    const struct {
        const char* What;
        const char* Table;
        const char* Caption;
        std::vector<std::string> Rows;
        bool DelLostEnabled;
        std::vector<SelectorItem> Pairs;
        int Current;
        bool ReplaceEnabled;
    } cases[] = {
        // The controller's own entry: index 0, type 3, connection 1, no flags.
        {"no inactive device",
         "02 00 21 00 00 00"
         "39 30 2D 21  01 00 02 02 04 02 00 00"
         "07 00 05 20  03 40 00 01 02 01 00 00",
         " K01_12345 ",
         {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00007/A3,   (zasilanie!)"},
         false,
         {},
         -1,
         false},
        // e1 R05_00001 inactive, e2 R05_00002 new.
        {"an inactive and a new reader of one model make a pair",
         "03 00 21 00 00 00"
         "39 30 2D 21  01 00 02 02 04 02 00 00"
         "01 00 05 20  01 80 00 00 02 01 00 00"
         "02 00 05 20  02 10 00 00 02 01 00 00",
         " K01_12345 ",
         {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A1,   (nieaktywny)",
          "2.    Czytnik: R05_00002/A2,   (nowy)"},
         true,
         {{"R05_00001 <-- R05_00002", 0x0201}},
         0,
         true},
        {"an inactive reader of another model makes no pair",
         "03 00 21 00 00 00"
         "39 30 2D 21  01 00 02 02 04 02 00 00"
         "01 00 05 20  01 80 00 00 02 01 00 00"
         "02 00 06 20  02 10 00 00 02 01 00 00",
         " K01_12345 ",
         {"0. Kontroler: K01_12345/A1", "1.    Czytnik: R05_00001/A1,   (nieaktywny)",
          "2.    Czytnik: R06_00002/A2,   (nowy)"},
         true,
         {},
         -1,
         false},
        {"no present entries", "00 00 21 00 00 00", "", {}, false, {}, -1, false},
    };
    NoWire wire;
    for (const auto& c : cases) {
        const BusPaneView v = ViewBusPane(ParsedTable(c.Table), Devices(wire, {Ctr}, 0));
        EXPECT_EQ(v.Caption, c.Caption) << c.What;
        EXPECT_EQ(v.Rows, c.Rows) << c.What;
        EXPECT_EQ(v.DelLostEnabled, c.DelLostEnabled) << c.What;
        EXPECT_EQ(v.Pairs.Items, c.Pairs) << c.What;
        EXPECT_EQ(v.Pairs.Current, c.Current) << c.What;
        EXPECT_EQ(v.ReplaceEnabled, c.ReplaceEnabled) << c.What;
    }
}

// Two lost readers (R05_00001, R05_00002) and two new ones (R05_00003, R05_00004): four pairs.
BusDevTable TwoLostTwoNew()
{
    return ParsedTable("05 00 21 00 00 00"
                       "39 30 2D 21  01 00 02 02 04 02 00 00"
                       "01 00 05 20  01 80 00 00 02 01 00 00"
                       "02 00 05 20  02 80 00 00 02 01 00 00"
                       "03 00 05 20  03 10 00 00 02 01 00 00"
                       "04 00 05 20  04 10 00 00 02 01 00 00");
}

// The first pair is selected when the list is first shown; afterwards the
// pair chosen, by its devices, or none once it is gone.
TEST(BusPane, ChosenPairKeptByItsDevices)
{
    NoWire wire;
    const UdpDevSet devices = Devices(wire, {Ctr}, 0);
    const BusDevTable table = TwoLostTwoNew();
    const struct {
        const char* what;
        PairChoice choice;
        int current;
        bool replace;
    } cases[] = {
        {"first shown", {true, PairDevices{0x20050002, 0x20050004}}, 0, true},
        {"chosen pair", {false, PairDevices{0x20050002, 0x20050003}}, 2, true},
        {"pair gone", {false, PairDevices{0x20050009, 0x20050003}}, -1, false},
        {"nothing chosen", {false, std::nullopt}, -1, false},
    };
    for (const auto& c : cases) {
        const BusPaneView v = ViewBusPane(table, devices, true, c.choice);
        EXPECT_EQ(v.Pairs.Items.size(), 4u) << c.what;
        EXPECT_EQ(v.Pairs.Current, c.current) << c.what;
        EXPECT_TRUE(v.ReplaceEnabled) << c.what;
        EXPECT_EQ(v.ReplaceBtnEnabled, c.replace) << c.what;
    }
    EXPECT_EQ(DevicesOfPair(table, 0x0301), (PairDevices{0x20050001, 0x20050003}));
}

// A device that has just taken over another's settings is inactive until it
// answers: it is offered as no old device, and nothing offers to delete it.
TEST(BusPane, SettlingDeviceIsNotLost)
{
    NoWire wire;
    const BusPaneView v = ViewBusPane(TwoLostTwoNew(), Devices(wire, {Ctr}, 0), true, {}, {0x20050001});
    ASSERT_EQ(v.Pairs.Items.size(), 2u);
    EXPECT_EQ(v.Pairs.Items[0].Text, "R05_00002 <-- R05_00003");
    EXPECT_FALSE(v.DelLostEnabled);
    EXPECT_EQ(v.DelLostTip, "Urządzenie R05_00001 przejęło ustawienia zastąpionego i jeszcze nie odpowiada; "
                            "\"Usuń nieaktywne\" usunęłoby także je. Poczekaj kilka sekund.");
    EXPECT_EQ(SettlingText({0x20050001, 0x20050002}),
              "Urządzenia R05_00001, R05_00002 przejęły ustawienia zastąpionych i jeszcze nie odpowiadają; "
              "\"Usuń nieaktywne\" usunęłoby także je. Poczekaj kilka sekund.");
    // Once it answers it is an active device like any other.
    const BusPaneView settled = ViewBusPane(TwoLostTwoNew(), Devices(wire, {Ctr}, 0), true, {}, {0x20050003});
    EXPECT_TRUE(settled.DelLostEnabled);
    EXPECT_EQ(settled.DelLostTip, "");
}

// A table that is not the selected controller's current one is still listed,
// greyed, with no command on offer.
TEST(BusPane, TableNotCurrentOffersNoCommand)
{
    NoWire wire;
    const BusDevTable table = ParsedTable("03 00 21 00 00 00"
                                          "39 30 2D 21  01 00 02 02 04 02 00 00"
                                          "01 00 05 20  01 80 00 00 02 01 00 00"
                                          "02 00 05 20  02 10 00 00 02 01 00 00");
    const BusPaneView v = ViewBusPane(table, Devices(wire, {Ctr}, 0), false);
    EXPECT_EQ(v.Rows.size(), 3u);
    EXPECT_EQ(v.Pairs.Items.size(), 1u);
    EXPECT_FALSE(v.ListEnabled);
    EXPECT_FALSE(v.DelLostEnabled);
    EXPECT_FALSE(v.ReplaceEnabled);
}

}  // namespace
}  // namespace quor
