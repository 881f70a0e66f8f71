// The window's captions of the sheets' fields, as the fields' rows give them:
// every row reached by its slot or parameter, and captioned as the window shows it.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sheets/FieldCaptions.h"

namespace quor {
namespace {

struct KindCaptions {
    int32_t Kind;
    std::vector<std::string> Fields;  // every row's caption, in the table's order
};

const KindCaptions TableCases[] = {
    {KindDoors,
     {"Nr pociągu:",
      "Rygiel:",
      "Przypomnienie:",
      "Alarm:",
      "CCTV:",
      "Przycisk wyjścia:",
      "Czujnik otwarcia:",
      "Czujka alarmowa:",
      "Sabotaż:",
      "Ewakuacja:",
      "1:",
      "2:",
      "3:",
      "4:",
      " Śluzy ",
      "Typ przejścia:",
      "Impuls otwarcia rygla:",
      "Dozw. czas otwarcia:",
      "Otwieranie klamką",
      "Pełny impuls rygla"}},
    {KindLift,
     {"quor-L8:", "Wybór piętra:", "Sabotaż:", "1:", "2:", "3:", "4:", "Czas odblokowania przycisków:"}},
    {KindLockers,
     {"Nazwa pomieszczenia:", "Moduł", "Od:", "Do:", "Czujka Alarmowa:", "Sabotaż:", "1:", "2:", "3:", "4:",
      "Długość impulsu otwarcia szafki:", "Test od szafki nr:"}},
};

// The row its key reaches: the slot for a reference, else the parameter.
const SheetFieldRow& RowByKey(int32_t kind, const SheetFieldRow& row)
{
    return row.Address == FieldAddress::Parameter ? ParamRow(kind, row.Param)
                                                  : SlotRow(kind, row.Address, row.Slot);
}

TEST(FieldCaptions, EveryRowIsReachedByItsKeyAndCaptionedAsTheWindowShowsIt)
{
    for (const KindCaptions& c : TableCases) {
        SCOPED_TRACE(c.Kind);
        std::vector<std::string> captions;
        for (const SheetFieldRow& row : FieldRowsOf(c.Kind)) {
            EXPECT_EQ(&RowByKey(c.Kind, row), &row) << row.Label;
            captions.push_back(FieldCaption(row));
        }
        EXPECT_EQ(captions, c.Fields);
    }
}

struct SlotCase {
    int32_t Kind;
    FieldAddress Address;
    int Slot;
    std::string Field;
    std::string Group;
    std::string Mark;
};

const SlotCase SlotCases[] = {
    {KindDoors, FieldAddress::Output, 0, "Rygiel:", " Wyjścia ", "NC"},
    {KindDoors, FieldAddress::Input, 4, "Ewakuacja:", " Wejścia ", "NC"},
    {KindDoors, FieldAddress::Reader, 2, "3:", " Czytniki ", "Wyjście"},
    {KindLift, FieldAddress::OutputSet, 0, "quor-L8:", "", ""},
    {KindLift, FieldAddress::Reader, 0, "1:", " Czytniki ", ""},
    {KindLockers, FieldAddress::Input, 2, "Czujka Alarmowa:", "", "NC"},
    {KindLockers, FieldAddress::Reader, 3, "4:", " Czytniki ", ""},
    {KindLockers, FieldAddress::OutputSet, 15, "Moduł", " Moduł ", ""},  // every module row's selector
};

TEST(FieldCaptions, ASlotsRowGivesItsLabelGroupAndMark)
{
    for (const SlotCase& c : SlotCases) {
        const SheetFieldRow& row = SlotRow(c.Kind, c.Address, c.Slot);
        EXPECT_EQ(FieldCaption(row), c.Field);
        EXPECT_EQ(GroupCaption(row), c.Group) << c.Field;
        EXPECT_EQ(MarkCaption(row), c.Mark) << c.Field;
    }
}

TEST(FieldCaptions, AParametersRowGivesItsCaption)
{
    EXPECT_EQ(FieldCaption(ParamRow(KindDoors, FieldParam::BoltPulse)), "Impuls otwarcia rygla:");
    EXPECT_EQ(FieldCaption(ParamRow(KindLift, FieldParam::PulseTime)), "Czas odblokowania przycisków:");
    EXPECT_EQ(FieldCaption(ParamRow(KindLockers, FieldParam::PulseTime)), "Długość impulsu otwarcia szafki:");
    EXPECT_EQ(FieldCaption(ParamRow(KindLockers, FieldParam::LastLocker)), "Do:");
}

TEST(FieldCaptions, AKeyNoRowHasIsRefused)
{
    EXPECT_THROW(SlotRow(KindLift, FieldAddress::Input, 0), std::out_of_range);
    EXPECT_THROW(SlotRow(KindDoors, FieldAddress::OutputSet, 0), std::out_of_range);
    EXPECT_THROW(ParamRow(KindLift, FieldParam::DoorType), std::out_of_range);
    EXPECT_THROW(ParamRow(KindDoors, FieldParam::None), std::out_of_range);
}

TEST(FieldCaptions, AGroupBoxIsTitledWithASpaceEachSide)
{
    EXPECT_EQ(FramedCaption("Winda"), " Winda ");
}

}  // namespace
}  // namespace quor
