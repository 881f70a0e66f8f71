// The sheet as text: one line a field, the label right-aligned, a heading for
// each door and group box, and the lockers' module rows as the table the
// sheet shows.
#include "tools/quorctl/ConfigText.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "sheets/ControllerKinds.h"
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetFields.h"
#include "sheets/SheetWords.h"
#include "text/Utf8.h"
#include "tools/quorctl/TextLayout.h"

namespace quor::tools {

namespace {

// The widest label of the sheet with its colon and a blank of margin; never
// narrower than 24, the width the door sheet's text has always had.
size_t LabelWidth(int32_t kind)
{
    size_t widest = 0;
    for (const SheetFieldRow& row : FieldRowsOf(kind))
        widest = std::max(widest, Utf8Length(row.Label) + 1);
    return std::max<size_t>(widest + 1, 24);
}

std::string Shown(const SheetField& f)
{
    // The box of an empty row means nothing yet: only an assigned resource gets the mark.
    return f.Mark.empty() ? f.Shown : f.Shown + "  " + f.Mark;
}

// A locker number right-aligned as its edit shows it; "!" after it when the edit is yellow.
std::string NumberCell(const SheetField& f)
{
    return PadLeft(f.Shown, 5) + f.Mark;
}

// The module row of a lockers sheet: its module, first and last locker.
std::string ModuleLine(const SheetField& module, const SheetField& first, const SheetField& last)
{
    std::string line = "  " + module.Group.substr(module.Group.size() - 1) + "  " +
                       PadRight(module.Shown, 11) + PadRight(NumberCell(first), 6) + NumberCell(last);
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

bool InModuleRow(const SheetField& f)
{
    return f.Group.starts_with(std::string(words::Module) + " ");
}

std::string SheetText(int32_t kind, const std::vector<SheetField>& fields)
{
    const std::string sheet = SheetOf(kind);
    // A lift or lockers record the sheet cannot show shows no sheet at all.
    if (fields.empty() && kind != KindDoors)
        return {};
    const size_t width = LabelWidth(kind);
    std::string text = sheet + "\n";
    std::string section = sheet;
    std::string group;
    bool moduleHeader = false;
    for (size_t i = 0; i < fields.size(); ++i) {
        const SheetField& f = fields[i];
        if (f.Section != section) {
            section = f.Section;
            group.clear();
            text += "\n" + section + "\n";
        }
        if (InModuleRow(f) && i + 2 < fields.size()) {
            if (!moduleHeader) {
                text += "  " + PadRight(words::Module, 14) +
                        PadLeft(std::string(words::FirstLocker) + ":", 5) + " " +
                        PadLeft(std::string(words::LastLocker) + ":", 5) + "\n";
                moduleHeader = true;
            }
            text += ModuleLine(f, fields[i + 1], fields[i + 2]);
            i += 2;
            continue;
        }
        if (f.Group != group) {
            group = f.Group;
            if (!group.empty())
                text += "  " + group + "\n";
        }
        text += Field(f.Label + ":", Shown(f), width);
    }
    return text;
}

}  // namespace

std::string ConfigText(const UdpDev& dev, const Controller& c)
{
    std::string text = dev.ListRow() + "\n";
    switch (c.Table.Kind) {
    case KindDoors:
    case KindLift:
    case KindLockers:
        return text + SheetText(c.Table.Kind, SheetFields(c, dev.Id));
    default:
        return text;
    }
}

}  // namespace quor::tools
