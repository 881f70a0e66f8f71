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

std::string Reader(int slot)
{
    return std::to_string(slot + 1);
}

SlotName DoorSlot(const std::string& section, SlotGroup group, int slot)
{
    const std::string outputs(words::Outputs);
    const std::string inputs(words::Inputs);
    switch (group) {
    case SlotGroup::Outputs:
        if (slot < static_cast<int>(words::DoorOutputs.size()))
            return {section, outputs, std::string(words::DoorOutputs[slot])};
        return {section, outputs, Numbered("Wyjście", slot), false};
    case SlotGroup::Inputs:
        if (slot < static_cast<int>(words::DoorInputs.size()))
            return {section, inputs, std::string(words::DoorInputs[slot])};
        return {section, inputs, Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, std::string(words::Readers), Reader(slot)};
    default:
        return {section, "", Numbered("Zestaw wyjść", slot), false};
    }
}

SlotName LiftSlot(const std::string& section, SlotGroup group, int slot)
{
    switch (group) {
    case SlotGroup::OutputSets:
        if (slot == LiftModuleSlot)
            return {section, "", std::string(words::LiftModule)};
        return {section, "", Numbered("Zestaw wyjść", slot), false};
    case SlotGroup::Inputs:
        if (slot == LiftFloorInput)
            return {section, "", std::string(words::FloorChoice)};
        if (slot == LiftTamperInput)
            return {section, "", std::string(words::Tamper)};
        return {section, "", Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, std::string(words::Readers), Reader(slot)};
    default:
        return {section, "", Numbered("Wyjście", slot), false};
    }
}

SlotName LockersSlot(const std::string& section, SlotGroup group, int slot)
{
    switch (group) {
    case SlotGroup::OutputSets:
        return {section, words::ModuleRow(slot), std::string(words::Module)};
    case SlotGroup::Inputs:
        if (slot == LockersAlarmInput)
            return {section, "", std::string(words::LockersAlarm)};
        if (slot == LockersTamperInput)
            return {section, "", std::string(words::Tamper)};
        return {section, "", Numbered("Wejście", slot), false};
    case SlotGroup::Readers:
        return {section, std::string(words::Readers), Reader(slot)};
    default:
        return {section, "", Numbered("Wyjście", slot), false};
    }
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
