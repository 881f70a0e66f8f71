#pragma once
// What the rows of the three sheets' tables share: how a control shows its
// field, and the edits of the lift's and lockers' slots. Only the tables use it.

#include <span>
#include <string>
#include <string_view>

#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"

namespace quor::rows {

inline constexpr std::string_view Nc = words::Nc;

// A selector and the box beside it.
RefShown Row(const SelectorRowView& row);
// A selector without a box.
RefShown Alone(const SelectorView& selector);
ValueShown Showing(std::string value, std::string_view flag = {});
// A time with its unit: "2,5 s".
ValueShown Seconds(const std::string& text);

// The lift's or lockers' record, of a controller of that kind.
OutSetCfg& OutSetOf(Controller& c);
void AssignSheetInput(Controller& c, int door, int slot, const RefInput& r);
void AssignSheetReader(Controller& c, int door, int slot, const RefInput& r);

// Reader n of the lift or lockers sheet, which shows it by show.
constexpr SheetFieldRow SheetReaderRow(int n, RefShown (*show)(const SheetView& view, int door, int slot))
{
    return {.Section = FieldSection::Sheet,
            .Group = words::Readers,
            .Label = words::ReaderNumbers[n],
            .Address = FieldAddress::Reader,
            .Slot = n,
            .ShowRef = show,
            .Assign = AssignSheetReader};
}

std::span<const SheetFieldRow> DoorRows();
std::span<const SheetFieldRow> LiftRows();
std::span<const SheetFieldRow> LockersRows();

}  // namespace quor::rows
