// The table of each sheet's fields: a reference is shown by its selector and
// assigned by its slot, every other field shown and set by the sheet's edit,
// and no two rows of a sheet stand in the same place.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "sheets/SheetFieldTable.h"

namespace quor {
namespace {

struct KindCase {
    int32_t Kind;
    size_t Rows;  // as the sheet shows them: a door's once, a lockers module row's once
};

const KindCase KindCases[] = {
    {KindDoors, 20},
    {KindLift, 8},
    {KindLockers, 12},
};

TEST(SheetFieldTable, EveryRowIsShownAndSetByTheSheet)
{
    for (const KindCase& c : KindCases) {
        SCOPED_TRACE(c.Kind);
        const auto rows = FieldRowsOf(c.Kind);
        EXPECT_EQ(rows.size(), c.Rows);
        std::set<std::tuple<int, std::string, std::string>> places;
        for (const SheetFieldRow& row : rows) {
            SCOPED_TRACE(std::string(row.Label));
            const bool reference = row.Value == FieldValue::Reference;
            EXPECT_EQ(row.Set == nullptr, reference);
            EXPECT_EQ(row.Show == nullptr, reference);
            EXPECT_EQ(row.ShowRef != nullptr, reference);
            EXPECT_EQ(row.Assign != nullptr, reference);
            EXPECT_EQ(row.Address == FieldAddress::Parameter, !reference);
            const bool digits = row.Value == FieldValue::Digits || row.Value == FieldValue::LockerNumber;
            EXPECT_EQ(row.Called.empty(), !digits);
            EXPECT_TRUE(
                places.insert({static_cast<int>(row.Section), std::string(row.Group), std::string(row.Label)})
                    .second);
        }
    }
    EXPECT_TRUE(FieldRowsOf(0).empty());
}

}  // namespace
}  // namespace quor
