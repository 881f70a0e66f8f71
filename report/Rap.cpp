// The report is built from the model as it stands, unwritten edits included;
// stream failures are not checked, as the report command reports none.
#include "report/Rap.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "link/Udpdev.h"
#include "sheets/SheetWords.h"
#include "text/Cp1250.h"

namespace quor {

namespace {

constexpr int HeaderWidth = 18;
constexpr int SlotWidth = 26;
constexpr int InputSlotsShown = 5;  // slots 5 and up carry settings no editor shows

// A slot's label in the report: "Rygiel: ".
std::string Label(std::string_view word)
{
    return ToCp1250(std::string(word) + ": ");
}

// A group of a door: "    Wyjścia:".
std::string Heading(std::string_view group)
{
    return ToCp1250("    " + std::string(group) + ":");
}

// The literals in Windows-1250, so that field widths count characters; the
// sheets' words where the report's are the same.
struct Literals {
    std::string Title = ToCp1250("    Raport konfiguracji przejść kontrolera");
    std::string Controller = ToCp1250("Kontroler: ");
    std::string Location = ToCp1250("Lokalizacja: ");
    std::string Date = ToCp1250("Data: ");
    std::string Devices = ToCp1250("Urządzenia: ");
    std::string Door = ToCp1250(std::string(words::Door) + " ");
    std::string Airlock = ToCp1250("  (" + std::string(words::Airlock) + ": ");
    std::string Outputs = Heading(words::Outputs);
    std::string Inputs = Heading(words::Inputs);
    std::string Readers = Heading(words::Readers);
    std::array<std::string, 4> OutputLabels = {Label(words::DoorOutputs[0]), Label(words::DoorOutputs[1]),
                                               Label(words::DoorOutputs[2]), Label(words::DoorOutputs[3])};
    std::array<std::string, InputSlotsShown> InputLabels = {
        Label(words::DoorInputs[0]), Label(words::DoorInputs[1]), Label(words::DoorInputs[2]),
        Label(words::DoorInputs[3]), Label(words::DoorInputs[4])};
    std::array<std::string, 4> ReaderLabels = {ToCp1250("Czytnik 1: "), ToCp1250("Czytnik 2: "),
                                               ToCp1250("Czytnik 3: "), ToCp1250("Czytnik 4: ")};
};

const Literals& Text()
{
    static const Literals literals;
    return literals;
}

const std::string Rule(46, '=');

void Line(std::ostream& out, std::string_view text)
{
    out << text << "\r\n";
    out.flush();
}

std::string Aligned(std::string_view label, int width)
{
    const int blanks = std::max(0, width - static_cast<int>(label.size()));
    return std::string(blanks, ' ') + std::string(label);
}

// The location is one line of the header: a line break typed or passed into
// it would split the header and leave a bare CR or LF in the file.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string DateText(std::chrono::year_month_day date)
{
    const auto twoDigits = [](unsigned v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(static_cast<int>(date.year())) + "-" +
           twoDigits(static_cast<unsigned>(date.month())) + "-" +
           twoDigits(static_cast<unsigned>(date.day()));
}

struct Section {
    const std::string& Heading;
    std::span<const std::string> Labels;
    std::span<const ResRef> Slots;
    std::string_view Kind;  // prefix of the resource name
    bool ShowNc;
};

void WriteSection(std::ostream& out, const BusDevTable& table, const Section& s)
{
    const size_t count = std::min(s.Slots.size(), s.Labels.size());
    const auto slots = s.Slots.first(count);
    if (std::all_of(slots.begin(), slots.end(), [](ResRef r) { return r == NoRef; })) {
        return;
    }
    Line(out, s.Heading);
    for (size_t i = 0; i < count; ++i) {
        const ResRef r = slots[i];
        if (r == NoRef) {
            continue;
        }
        const bool nc = s.ShowNc && (r & RefNc) != 0;
        Line(out, Aligned(s.Labels[i], SlotWidth) + table.ResItemText(r, s.Kind) + (nc ? " [NC]" : ""));
    }
}

// Slots 0 to count - 1 of a record's slot array, the count kept within the array.
std::span<const ResRef> FirstSlots(std::span<const ResRef> slots, int32_t count)
{
    return slots.first(
        static_cast<size_t>(std::clamp<int32_t>(count, 0, static_cast<int32_t>(slots.size()))));
}

void WriteHeader(const BusDevTable& table, std::ostream& out, int present, std::string_view location,
                 std::chrono::year_month_day date)
{
    const Literals& t = Text();
    Line(out, t.Title);
    Line(out, Rule);
    Line(out, "");
    // Without devices there is no controller entry to name; the value stays empty.
    const std::string controller = present > 0 ? DevName(table.Dev[table.Order[0]].Id) : std::string();
    Line(out, Aligned(t.Controller, HeaderWidth) + controller);
    Line(out, Aligned(t.Location, HeaderWidth) + OneLine(location));
    Line(out, Aligned(t.Date, HeaderWidth) + DateText(date));
    Line(out, "");
}

void WriteDevices(const BusDevTable& table, std::ostream& out, int present)
{
    std::string indent = Aligned(Text().Devices, HeaderWidth);
    for (int p = 0; p < present; ++p) {
        Line(out, indent + ConnName(table.Dev[table.Order[p]]));
        indent.assign(HeaderWidth, ' ');
    }
    // After a list this is the empty line; with no devices it ends the label's line.
    Line(out, present > 0 ? "" : indent);
}

std::string DoorHeading(int number, uint8_t doorFlags)
{
    const Literals& t = Text();
    std::string heading = t.Door + std::to_string(number);
    if (doorFlags & 0x04) {
        heading += t.Airlock + std::to_string((doorFlags & 0x03) + 1) + ")";
    }
    return heading;
}

}  // namespace

void WriteRapDoor(const DoorCfg& door, std::ostream& out, const BusDevTable& table)
{
    const Literals& t = Text();
    WriteSection(out, table,
                 {t.Outputs, t.OutputLabels, FirstSlots(door.Outputs, door.OutputCount), "Out", true});
    WriteSection(out, table, {t.Inputs, t.InputLabels, door.Inputs, "In", true});
    WriteSection(out, table,
                 {t.Readers, t.ReaderLabels, FirstSlots(door.Readers, door.ReaderCount), "Rd", false});
}

void WriteRap(const DoorCfgSet& cfg, const BusDevTable& table, std::ostream& out,
              std::string_view locationCp1250, std::chrono::year_month_day date)
{
    const int present = std::clamp<int32_t>(table.PresentCount, 0, MaxBusDevs);
    WriteHeader(table, out, present, locationCp1250, date);
    WriteDevices(table, out, present);
    for (int i = 0; i < DoorsInUse(table); ++i) {
        const DoorCfg& door = cfg.Doors[i];
        Line(out, "");
        Line(out, DoorHeading(i + 1, door.Params[ParDoorFlags]));
        Line(out, Rule);
        WriteRapDoor(door, out, table);
    }
}

}  // namespace quor
