#include "site/SlotNames.h"

#include "model/Cfgquor.h"
#include "sheets/LiftSheet.h"
#include "sheets/LockersSheet.h"
#include "sheets/SheetWords.h"

namespace quor::site {

namespace {

std::string Numbered(std::string_view kind, int slot)
{
    return std::string(kind) + " " + std::to_string(slot + 1);
}

// A reader, which every sheet numbers alike, or a slot no control shows,
// named by its kind and number under the group it would stand in.
SlotName Plain(const std::string& section, SlotGroup group, int slot, std::string_view box = {})
{
    switch (group) {
    case SlotGroup::Readers:
        return {section, std::string(words::Readers), std::to_string(slot + 1)};
    case SlotGroup::Outputs:
        return {section, std::string(box), Numbered("Wyjście", slot), false};
    case SlotGroup::Inputs:
        return {section, std::string(box), Numbered("Wejście", slot), false};
    default:
        return {section, std::string(box), Numbered("Zestaw wyjść", slot), false};
    }
}

SlotName DoorSlot(const std::string& section, SlotGroup group, int slot)
{
    if (group == SlotGroup::Outputs) {
        if (slot < static_cast<int>(words::DoorOutputs.size()))
            return {section, std::string(words::Outputs), std::string(words::DoorOutputs[slot])};
        return Plain(section, group, slot, words::Outputs);
    }
    if (group == SlotGroup::Inputs) {
        if (slot < static_cast<int>(words::DoorInputs.size()))
            return {section, std::string(words::Inputs), std::string(words::DoorInputs[slot])};
        return Plain(section, group, slot, words::Inputs);
    }
    return Plain(section, group, slot);
}

SlotName LiftSlot(const std::string& section, SlotGroup group, int slot)
{
    if (group == SlotGroup::OutputSets && slot == LiftModuleSlot)
        return {section, "", std::string(words::LiftModule)};
    if (group == SlotGroup::Inputs && slot == LiftFloorInput)
        return {section, "", std::string(words::FloorChoice)};
    if (group == SlotGroup::Inputs && slot == LiftTamperInput)
        return {section, "", std::string(words::Tamper)};
    return Plain(section, group, slot);
}

SlotName LockersSlot(const std::string& section, SlotGroup group, int slot)
{
    if (group == SlotGroup::OutputSets)
        return {section, words::ModuleRow(slot), std::string(words::Module)};
    if (group == SlotGroup::Inputs && slot == LockersAlarmInput)
        return {section, "", std::string(words::LockersAlarm)};
    if (group == SlotGroup::Inputs && slot == LockersTamperInput)
        return {section, "", std::string(words::Tamper)};
    return Plain(section, group, slot);
}

}  // namespace

std::string SectionOf(BlockId block)
{
    switch (block.Type) {
    case BlockCommon:
        return std::string(words::Doors);
    case BlockDoor:
        return words::DoorSection(block.Index);
    case BlockLift:
        return std::string(words::Lift);
    case BlockLockers:
        return std::string(words::Lockers);
    default:
        return "Blok " + std::to_string(block.Type) + "/" + std::to_string(block.Index);
    }
}

std::string SheetOf(int32_t kind)
{
    switch (kind) {
    case KindDoors:
        return std::string(words::Doors);
    case KindLift:
        return std::string(words::Lift);
    case KindLockers:
        return std::string(words::Lockers);
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

}  // namespace quor::site
