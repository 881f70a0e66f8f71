#include "report/Rap.h"
#include "report/RapText.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "tests/report/ExampleController.h"
#include "tests/support/PolishCp1250.h"

namespace quor {
namespace {

using namespace std::chrono;
using test::Cp1250Lines;
using test::PolishToCp1250;

const std::string Rule(46, '=');

// The worked example of the report format, as an installer sees the file.
constexpr std::string_view WorkedExample = R"(    Raport konfiguracji przejść kontrolera
==============================================

       Kontroler: K05_01234
     Lokalizacja: Budynek B, wejście główne
            Data: 2019-08-29

      Urządzenia: K05_01234/A0
                  T12_00077/A1
                  Z40_00310/B2


Przejście 1  (Śluza: 1)
==============================================
    Wyjścia:
                  Rygiel: K05_01234:Out1
                   Alarm: Z40_00310:Out3 [NC]
    Wejścia:
        Przycisk wyjścia: K05_01234:In1
        Czujnik otwarcia: K05_01234:In2 [NC]
    Czytniki:
               Czytnik 1: T12_00077:Rd1
               Czytnik 2: K05_01234:Rd1

Przejście 2
==============================================
)";

// The example's lines in Windows-1250, each ended by CR LF instead of LF.
std::string FileBytes(std::string_view text)
{
    std::string bytes;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        bytes += PolishToCp1250(text.substr(start, end - start)) + "\r\n";
        start = end + 1;
    }
    return bytes;
}

// The lines of a report; fails when a line end is not CR LF or the last line has none.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "bare CR or LF: " << lines.back();
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

class TempDir {
public:
    TempDir()
    {
        std::string pattern = testing::TempDir() + "quor_rap_XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            Path = pattern;
        }
    }
    ~TempDir()
    {
        if (!Path.empty()) {
            std::filesystem::remove_all(Path);
        }
    }
    std::filesystem::path Path;
};

using RapTest = test::ExampleController;

TEST_F(RapTest, WorkedExampleFileIsByteForByte)
{
    FillExampleDoor();
    TempDir dir;
    ASSERT_FALSE(dir.Path.empty());
    const auto path = dir.Path / "2019-08-29 K05_01234.txt";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(file.is_open());
        WriteRap(Cfg, Table, file, PolishToCp1250("Budynek B, wejście główne"), 2019y / August / 29d);
    }
    std::ifstream file(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written, FileBytes(WorkedExample));
}

TEST_F(RapTest, EmptyLocationLeavesTheLabelAlone)
{
    const auto lines = Lines(Report(""));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[4], "     Lokalizacja: ");
}

TEST_F(RapTest, LineBreaksInTheLocationBecomeBlanks)
{
    const auto lines = Lines(Report("Budynek B\r\nPrzej\x9C"
                                    "cie 9\n\rpi\xEAtro 2\r"));
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[4], "     Lokalizacja: Budynek B  Przej\x9C"
                        "cie 9  pi\xEAtro 2 ");
    EXPECT_EQ(lines[5], "            Data: 2019-08-29");
}

TEST_F(RapTest, DateIsYearMonthDayWithDashes)
{
    const struct {
        year_month_day Date;
        const char* Line;
    } cases[] = {
        {2021y / March / 5d, "            Data: 2021-03-05"},
        {2019y / December / 31d, "            Data: 2019-12-31"},
        {2000y / January / 1d, "            Data: 2000-01-01"},
    };
    for (const auto& c : cases) {
        const auto lines = Lines(Report("x", c.Date));
        ASSERT_GT(lines.size(), 5u);
        EXPECT_EQ(lines[5], c.Line);
    }
}

// Whole reports of the smallest tables: how the device list ends with and without devices and doors.
TEST_F(RapTest, DeviceListEnds)
{
    const std::vector<std::string_view> head = {
        "    Raport konfiguracji przejść kontrolera",
        Rule,
        "",
    };
    const struct {
        const char* Name;
        std::string_view Reply;
        std::string Expected;
    } cases[] = {
        {"controller alone, no doors", "01 00 20 00 00 00  D2 04 31 21 00 00 02 02 04 01 00 00",
         Cp1250Lines({"       Kontroler: K05_01234", "     Lokalizacja: Budynek B",
                      "            Data: 2019-08-29", "", "      Urządzenia: K05_01234/A0", ""})},
        {"no device, no doors", "00 00 20 00 00 00",
         Cp1250Lines({"       Kontroler: ", "     Lokalizacja: Budynek B", "            Data: 2019-08-29", "",
                      "      Urządzenia: "})},
        {"no device, one door", "00 00 21 00 00 00",
         Cp1250Lines({"       Kontroler: ", "     Lokalizacja: Budynek B", "            Data: 2019-08-29", "",
                      "      Urządzenia: ", "", "Przejście 1", Rule})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(Table.Parse(test::HexBytes(c.Reply)));
        EXPECT_EQ(Report(), Cp1250Lines(head) + c.Expected);
    }
}

TEST_F(RapTest, DoorHeadingsCarryTheAirlock)
{
    const struct {
        uint8_t DoorFlags;
        const char* Heading;
    } doors[] = {
        {0x00, "Przejście 1"},
        {0x04, "Przejście 2  (Śluza: 1)"},
        {0x07, "Przejście 3  (Śluza: 4)"},
        {0x03, "Przejście 4"},  // airlock number without membership
        {0x06, "Przejście 5  (Śluza: 3)"},
        {0xC5, "Przejście 6  (Śluza: 2)"},  // handle and full pulse bits beside it
    };
    Table.DoorCount = std::size(doors);
    std::vector<std::string> expected;
    for (size_t i = 0; i < std::size(doors); ++i) {
        Cfg.Doors[i].Params[ParDoorFlags] = doors[i].DoorFlags;
        expected.push_back(PolishToCp1250(doors[i].Heading));
    }
    std::vector<std::string> headings;
    for (const std::string& line : Lines(Report())) {
        if (line.starts_with(PolishToCp1250("Przejście "))) {
            headings.push_back(line);
        }
    }
    EXPECT_EQ(headings, expected);
}

TEST_F(RapTest, AtMostEightDoors)
{
    Table.DoorCount = 12;
    for (DoorCfg& door : Cfg.Doors) {
        door.Readers[0] = test::Term;
    }
    const auto lines = Lines(Report());
    std::vector<std::string> headings;
    for (const std::string& line : lines) {
        if (line.starts_with(PolishToCp1250("Przejście "))) {
            headings.push_back(line);
        }
    }
    ASSERT_EQ(headings.size(), 8u);
    EXPECT_EQ(headings.back(), PolishToCp1250("Przejście 8"));
    EXPECT_EQ(lines.back(), "               Czytnik 1: T12_00077:Rd1");
}

// Counts flushes and checks that each comes right after a line end.
// The location as typed: UTF-8, of which the first 80 characters are kept.
TEST_F(RapTest, RapTextCutsTheTypedLocationAndConvertsIt)
{
    std::string typed;
    for (int i = 0; i < 81; ++i)
        typed += "\xC5\xBC";  // ż
    const auto lines = Lines(RapText(Cfg, Table, typed, 2019y / August / 29d));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[4], "     Lokalizacja: " + std::string(80, '\xBF'));
}

class FlushSpy : public std::stringbuf {
public:
    int Flushes = 0;
    int FlushesInsideLines = 0;

protected:
    int sync() override
    {
        ++Flushes;
        FlushesInsideLines += str().ends_with("\r\n") ? 0 : 1;
        return 0;
    }
};

TEST_F(RapTest, EveryLineIsFlushedAtItsEnd)
{
    FillExampleDoor();
    FlushSpy spy;
    std::ostream out(&spy);
    WriteRap(Cfg, Table, out, "Budynek B", 2019y / August / 29d);
    EXPECT_EQ(spy.Flushes, static_cast<int>(Lines(spy.str()).size()));
    EXPECT_EQ(spy.FlushesInsideLines, 0);
}

}  // namespace
}  // namespace quor
