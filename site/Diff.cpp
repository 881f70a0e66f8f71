#include "site/Diff.h"

#include <algorithm>
#include <cstdio>

#include "link/Frame.h"
#include "model/KindConfig.h"
#include "sheets/ControllerKinds.h"
#include "sheets/SheetFields.h"
#include "sheets/SheetWords.h"
#include "sheets/SlotNames.h"
#include "site/RawBlocks.h"

namespace quor::site {

namespace {

constexpr const char* Absent = "(brak)";

struct Side {
    explicit Side(const Backup& backup) : B(backup) { Unpack(backup, C); }

    const Backup& B;
    Controller C;
};

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Shown(const SheetField& field)
{
    const std::string value = field.Value.empty() ? std::string(words::NoneValue) : field.Value;
    return field.Mark.empty() ? value : value + "  " + field.Mark;
}

std::string Line(const std::string& path, const std::string& first, const std::string& second)
{
    return path + ": " + first + " -> " + second;
}

bool SamePlace(const SheetField& a, const SheetField& b)
{
    return a.Section == b.Section && a.Group == b.Group && a.Label == b.Label;
}

void FieldLines(const Side& a, const Side& b, std::vector<std::string>& lines)
{
    const std::vector<SheetField> first = SheetFields(a.C, a.B.ControllerId);
    const std::vector<SheetField> second = SheetFields(b.C, b.B.ControllerId);
    const auto find = [](const std::vector<SheetField>& fields, const SheetField& f) {
        return std::find_if(fields.begin(), fields.end(),
                            [&f](const SheetField& g) { return SamePlace(f, g); });
    };
    for (const SheetField& f : first) {
        const auto other = find(second, f);
        if (other == second.end() || other->Key != f.Key)
            lines.push_back(Line(PathText(f.Section, f.Group, f.Label), Shown(f),
                                 other == second.end() ? Absent : Shown(*other)));
    }
    for (const SheetField& f : second) {
        if (find(first, f) == first.end())
            lines.push_back(Line(PathText(f.Section, f.Group, f.Label), Absent, Shown(f)));
    }
}

std::string RefText(const BusDevTable& table, SlotGroup group, ResRef r)
{
    if (r == NoRef)
        return std::string(words::NoneValue);
    if (group == SlotGroup::OutputSets)
        return Trimmed(table.OutSetItemText(r));
    const char* prefix = group == SlotGroup::Outputs ? "Out" : group == SlotGroup::Inputs ? "In" : "Rd";
    const bool nc = (r & RefNc) && group != SlotGroup::Readers;
    return Trimmed(table.ResItemText(r, prefix)) + (nc ? "  NC" : "");
}

// The bits of a parameter (or, for the common block, data) byte that a field of the sheet shows.
uint8_t ShownBits(uint8_t type, size_t i)
{
    switch (type) {
    case BlockCommon:
        return i < 2 ? 0xFF : 0;  // the train number
    case BlockDoor:
        switch (i) {
        case 0:
            return 0x0F;  // door type
        case 2:
            return 0xC7;  // airlock, handle, full bolt pulse
        case 4:
        case 6:
            return 0x7F;  // bolt pulse, open time
        case 32:
        case 36:
        case 40:
        case 44:
            return 0x01;  // exit readers
        default:
            return 0;
        }
    case BlockLift:
        return i == 4 ? 0x7F : 0;  // release time
    case BlockLockers:
        // Pulse, test start, room name, then the locker numbers.
        return i == 4 ? 0x7F : (i == 30 || i == 31 || i >= 48) ? 0xFF : 0;
    default:
        return 0;
    }
}

void HiddenLines(const Side& a, const Side& b, const RawBlock& ra, const RawBlock& rb,
                 std::vector<std::string>& lines)
{
    const CfgBlock& shape = *RecordOf(a.C, ra.Block);
    for (const RefSlot& slot : RefSlotsOf(shape)) {
        const SlotName name = NameOf(ra.Block, slot.Group, slot.Slot);
        const ResRef first = Get16(&ra.Bytes[slot.Offset]);
        const ResRef second = Get16(&rb.Bytes[slot.Offset]);
        if (!name.Shown &&
            RefKey(a.C.Table, a.B.ControllerId, first) != RefKey(b.C.Table, b.B.ControllerId, second))
            lines.push_back(Line(PathText(name.Section, name.Group, name.Label),
                                 RefText(a.C.Table, slot.Group, first),
                                 RefText(b.C.Table, slot.Group, second)));
    }
    const size_t start = ParamsOffset(shape);
    const std::string group = ra.Block.Type == BlockCommon ? "Dane" : "Parametry";
    for (size_t at = start; at < std::min(ra.Bytes.size(), rb.Bytes.size()); ++at) {
        const size_t i = at - start;
        if (((ra.Bytes[at] ^ rb.Bytes[at]) & ~ShownBits(ra.Block.Type, i)) == 0)
            continue;
        char values[16];
        std::snprintf(values, sizeof values, "%02X -> %02X", ra.Bytes[at], rb.Bytes[at]);
        lines.push_back(PathText(SectionOf(ra.Block), group, "bajt " + std::to_string(i)) + ": " + values);
    }
}

}  // namespace

std::vector<std::string> DiffLines(const Backup& first, const Backup& second)
{
    if (first.Kind != second.Kind)
        return {Line("Rodzaj", SheetOf(first.Kind), SheetOf(second.Kind))};
    std::vector<std::string> lines;
    if (first.DoorCount != second.DoorCount)
        lines.push_back(
            Line("Liczba przejść", std::to_string(first.DoorCount), std::to_string(second.DoorCount)));
    const Side a(first);
    const Side b(second);
    FieldLines(a, b, lines);
    for (const RawBlock& ra : first.Blocks) {
        const auto rb = std::find_if(second.Blocks.begin(), second.Blocks.end(),
                                     [&ra](const RawBlock& r) { return r.Block == ra.Block; });
        if (rb != second.Blocks.end())
            HiddenLines(a, b, ra, *rb, lines);
    }
    return lines;
}

}  // namespace quor::site
