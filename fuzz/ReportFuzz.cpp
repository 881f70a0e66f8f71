// The report of any configuration the model can decode: the table as a
// controller may send it, door blocks of any content, any date and any
// location text the installer may type.
//
// Input: a 16-bit length and the table reply; for each door in use the 100
// bytes of its block behind the head a door block has; the date (16-bit year,
// month, day); the rest is the location as UTF-8.

#include <array>
#include <chrono>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "model/Cfgquor.h"
#include "model/Hardres.h"
#include "report/Rap.h"
#include "text/Cp1250.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

// The head of a door block as the controller sends it: type, 4 outputs, 10
// inputs, 4 readers, two bytes of no meaning, parameters present, no data.
constexpr std::array<uint8_t, BlockHeadLen> DoorHead = {BlockDoor, 4, 10, 4, 0, 0, 8, 0};

void DecodeDoor(DoorCfg& door, std::span<const uint8_t> body)
{
    std::basic_string<uint8_t> block(DoorHead.begin(), DoorHead.end());
    block.append(body.begin(), body.end());
    (void)door.Decode(block);
}

// Bytes that Windows-1250 leaves undefined.
bool DefinedInCp1250(unsigned char c)
{
    return c != 0x81 && c != 0x83 && c != 0x88 && c != 0x90 && c != 0x98;
}

void CheckText(std::string_view text, int doors)
{
    FUZZ_CHECK(text.starts_with("    Raport konfiguracji przej"));
    FUZZ_CHECK(text.ends_with("\r\n"));
    int headings = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        FUZZ_CHECK(DefinedInCp1250(c));
        if (c == '\r')
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
        if (c == '\n') {
            FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
            headings += text.substr(i + 1).starts_with("Przej");
        }
    }
    FUZZ_CHECK(headings == doors);
    // The location stays on its line, whatever it holds.
    const size_t location = text.find("Lokalizacja: ");
    FUZZ_CHECK(location != std::string_view::npos);
    FUZZ_CHECK(text.substr(text.find("\r\n", location) + 2).starts_with("            Data: "));
}

}  // namespace

QUOR_FUZZ_TARGET(report)
{
    FuzzInput in(data, size);
    BusDevTable table;
    (void)table.Parse(in.Take(in.Word()));
    DoorCfgSet cfg;
    for (int i = 0; i < DoorsInUse(table); ++i)
        DecodeDoor(cfg.Doors[i], in.Take(cfg.Doors[i].ExpectedLength() - BlockHeadLen));
    const auto year = static_cast<int16_t>(in.Word());
    const uint8_t month = in.Byte();
    const uint8_t day = in.Byte();
    const auto location = in.Rest();
    const std::string locationCp1250 =
        ToCp1250(std::string_view(reinterpret_cast<const char*>(location.data()), location.size()));

    std::ostringstream out;
    WriteRap(cfg, table, out, locationCp1250,
             std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(month),
                                         std::chrono::day(day)));
    CheckText(out.str(), DoorsInUse(table));
    return 0;
}
