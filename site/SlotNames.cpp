#include "site/SlotNames.h"

#include <array>
#include <cstdio>

#include "model/Cfgquor.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"

namespace quor::site {

namespace {

constexpr std::array<std::string_view, 4> DoorOutputs = {"Rygiel", "Przypomnienie", "Alarm", "CCTV"};
constexpr std::array<std::string_view, 5> DoorInputs = {"Przycisk wyjścia", "Czujnik otwarcia",
                                                        "Czujka alarmowa", "Sabotaż", "Ewakuacja"};

std::string Numbered(std::string_view kind, int slot)
{
    return std::string(kind) + " " + std::to_string(slot + 1);
}

SlotName DoorSlot(const std::string& section, SlotGroup group, int slot)
{
    switch (group) {
    case SlotGroup::Outputs:
        if (slot < static_cast<int>(DoorOutputs.size()))
            return {section, "Wyjścia", std::string(DoorOutputs[slot])};
        return {section, "Wyjścia", Numbered("Wyjście", slot), false};
    case SlotGroup::Inputs:
        if (slot < static_cast<int>(DoorInputs.size()))
            return {section, "Wejścia", std::string(DoorInputs[slot])};
        return {section, "Wejścia", Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, "Czytniki", std::to_string(slot + 1)};
    default:
        return {section, "", Numbered("Zestaw wyjść", slot), false};
    }
}

SlotName LiftSlot(const std::string& section, SlotGroup group, int slot)
{
    switch (group) {
    case SlotGroup::OutputSets:
        if (slot == LiftModuleSlot)
            return {section, "", "quor-L8"};
        return {section, "", Numbered("Zestaw wyjść", slot), false};
    case SlotGroup::Inputs:
        if (slot == LiftFloorInput)
            return {section, "", "Wybór piętra"};
        if (slot == LiftTamperInput)
            return {section, "", "Sabotaż"};
        return {section, "", Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, "Czytniki", std::to_string(slot + 1)};
    default:
        return {section, "", Numbered("Wyjście", slot), false};
    }
}

SlotName LockersSlot(const std::string& section, SlotGroup group, int slot)
{
    switch (group) {
    case SlotGroup::OutputSets:
        return {section, ModuleRow(slot), "Moduł"};
    case SlotGroup::Inputs:
        if (slot == LockersAlarmInput)
            return {section, "", "Czujka Alarmowa"};
        if (slot == LockersTamperInput)
            return {section, "", "Sabotaż"};
        return {section, "", Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, "Czytniki", std::to_string(slot + 1)};
    default:
        return {section, "", Numbered("Wyjście", slot), false};
    }
}

}  // namespace

std::string SectionOf(BlockId block)
{
    switch (block.Type) {
    case BlockCommon:
        return "Przejścia";
    case BlockDoor:
        return "Przejście " + std::to_string(block.Index + 1);
    case BlockLift:
        return "Winda";
    case BlockLockers:
        return "Szafki";
    default:
        return "Blok " + std::to_string(block.Type) + "/" + std::to_string(block.Index);
    }
}

std::string SheetOf(int32_t kind)
{
    switch (kind) {
    case KindDoors:
        return "Przejścia";
    case KindLift:
        return "Winda";
    case KindLockers:
        return "Szafki";
    default:
        return "? (" + std::to_string(kind) + ")";
    }
}

SlotName NameOf(BlockId block, SlotGroup group, int slot)
{
    const std::string section = SectionOf(block);
    switch (block.Type) {
    case BlockDoor:
        return DoorSlot(section, group, slot);
    case BlockLift:
        return LiftSlot(section, group, slot);
    case BlockLockers:
        return LockersSlot(section, group, slot);
    default:
        return {section, "", Numbered("Zasób", slot), false};
    }
}

std::string PathText(std::string_view section, std::string_view group, std::string_view label)
{
    std::string path(section);
    if (!group.empty())
        path += " / " + std::string(group);
    return path + " / " + std::string(label);
}

std::string ModuleRow(int row)
{
    char digit[4];
    std::snprintf(digit, sizeof digit, "%X", row & 0xF);
    return "Moduł " + std::string(digit);
}

}  // namespace quor::site
