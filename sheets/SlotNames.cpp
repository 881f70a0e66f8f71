#include "sheets/SlotNames.h"

#include "model/Cfgquor.h"
#include "sheets/SheetFieldTable.h"
#include "sheets/SheetWords.h"

namespace quor {

namespace {

std::string Numbered(std::string_view kind, int slot)
{
    return std::string(kind) + " " + std::to_string(slot + 1);
}

FieldAddress AddressOf(SlotGroup group)
{
    switch (group) {
    case SlotGroup::Outputs:
        return FieldAddress::Output;
    case SlotGroup::Inputs:
        return FieldAddress::Input;
    case SlotGroup::Readers:
        return FieldAddress::Reader;
    default:
        return FieldAddress::OutputSet;
    }
}

int32_t KindOfBlock(uint8_t type)
{
    switch (type) {
    case BlockDoor:
        return KindDoors;
    case BlockLift:
        return KindLift;
    case BlockLockers:
        return KindLockers;
    default:
        return 0;
    }
}

// A slot no control shows, named by its kind and number under the group box
// its kind's rows stand in; a reader as every sheet numbers them.
SlotName Plain(const std::string& section, SlotGroup group, int slot, std::string_view box)
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

SlotName NameOf(BlockId block, SlotGroup group, int slot)
{
    const std::string section = SectionOf(block);
    const int32_t kind = KindOfBlock(block.Type);
    if (kind == 0)
        return {section, "", Numbered("Zasób", slot), false};
    const FieldAddress address = AddressOf(group);
    std::string_view box;
    bool boxFound = false;
    for (const SheetFieldRow& row : FieldRowsOf(kind)) {
        if (row.Address != address || row.Section == FieldSection::Common)
            continue;
        if (row.EachModule)
            return {section, words::ModuleRow(slot), std::string(row.Label)};
        if (row.Slot == slot)
            return {section, std::string(row.Group), std::string(row.Label)};
        if (!boxFound)
            box = row.Group;
        boxFound = true;
    }
    return Plain(section, group, slot, box);
}

std::string PathText(std::string_view section, std::string_view group, std::string_view label)
{
    std::string path(section);
    if (!group.empty())
        path += " / " + std::string(group);
    return path + " / " + std::string(label);
}

}  // namespace quor
