// The sheets' fields, walked in the sheets' table, from the same views that
// the sheets and `config` show.
#include "sheets/SheetFields.h"

#include "link/DevId.h"
#include "sheets/SheetFieldTable.h"
#include "text/HexText.h"

namespace quor {

namespace {

// What a comparison looks at beside a value's text: the bits or bytes its text leaves out.
std::string ValueKey(const Controller& c, const PlacedField& f, const ValueShown& shown)
{
    switch (f.Row->Value) {
    case FieldValue::Airlock:
        return IdText(c.Doors.Doors[f.Door].Params[ParDoorFlags] & 7);
    case FieldValue::RoomName: {
        // The name's bytes, not its text: bytes the code page leaves undefined all read as U+FFFD.
        const std::string name = c.Lockers.RoomName();
        return HexText(std::span(reinterpret_cast<const uint8_t*>(name.data()), name.size()));
    }
    default:
        return shown.Value + "|" + std::string(shown.Flag);
    }
}

SheetField RefField(const Controller& c, uint32_t ownId, const SheetView& view, const PlacedField& f)
{
    const SheetFieldRow& row = *f.Row;
    const RefShown shown = row.ShowRef(view, f.Door, f.Slot);
    std::string key = RefKey(c.Table, ownId, SlotOf(c, f));
    // The exit bit is kept whether or not a reader shows it.
    if (row.Section == FieldSection::Door && row.Address == FieldAddress::Reader &&
        ReaderExit(c.Doors.Doors[f.Door], f.Slot))
        key += "|exit";
    const bool shows = ShowsResource(*shown.Selector);
    const std::string item = ShownItem(*shown.Selector);
    return {f.Section,
            f.Group,
            std::string(row.Label),
            shows ? item : "",
            shows && shown.Ticked ? std::string(row.Mark) : "",
            key,
            item};
}

SheetField ValueField(const Controller& c, const SheetView& view, const PlacedField& f)
{
    ValueShown shown = f.Row->Show(view, f.Door, f.Slot);
    std::string key = ValueKey(c, f, shown);
    std::string text = shown.Shown.empty() ? shown.Value : shown.Shown;
    return {f.Section,
            f.Group,
            std::string(f.Row->Label),
            std::move(shown.Value),
            std::string(shown.Flag),
            std::move(key),
            std::move(text)};
}

}  // namespace

std::vector<SheetField> SheetFields(const Controller& c, uint32_t ownId)
{
    const SheetView view = ViewSheet(c);
    std::vector<SheetField> fields;
    for (const PlacedField& f : PlacedFields(view)) {
        fields.push_back(f.Row->Value == FieldValue::Reference ? RefField(c, ownId, view, f)
                                                               : ValueField(c, view, f));
    }
    return fields;
}

std::string RefKey(const BusDevTable& table, uint32_t ownId, ResRef r)
{
    if (r == NoRef)
        return "none";
    // A reference with bit 15 set names no entry: it compares as its whole value.
    if (!RefNamesEntry(r))
        return IdText(r);
    const int e = RefEntry(r);
    std::string who = "entry " + std::to_string(e);
    if (e < table.DevCount && table.Dev[e].Present()) {
        const uint32_t id = table.Dev[e].Id;
        who = DevId(id).SameDevice(DevId(ownId)) ? "self" : IdText(DevId(id).OrderKey());
    }
    return who + "/" + IdText(r & 0x80FF);
}

}  // namespace quor
