// What the door sheet shows for one door.
#include "sheets/DoorSheet.h"

#include <algorithm>

#include "sheets/HalfSeconds.h"
#include "sheets/NumberText.h"

namespace quor {

namespace {

constexpr int AirlockBit = 0x04;
constexpr int HandleBit = 0x40;
constexpr int FullPulseBit = 0x80;

int AirlockItemCount(const BusDevTable& table)
{
    return 1 + DoorTabCount(table) / 2;
}

}  // namespace

int DoorTabCount(const BusDevTable& table)
{
    return std::clamp(table.DoorCount, 0, MaxDoors);
}

std::vector<std::string> DoorTabCaptions(const BusDevTable& table)
{
    std::vector<std::string> captions;
    for (int i = 1; i <= DoorTabCount(table); ++i) {
        captions.push_back(std::to_string(i));
    }
    return captions;
}

bool TrainNumberShown(const BusDevTable& table)
{
    return table.TrainFlag == 1;
}

std::vector<std::string> AirlockItems(const BusDevTable& table)
{
    // An airlock takes at least two doors; at most 8 doors give the four
    // airlock numbers the door flags can hold.
    std::vector<std::string> items{std::string(NoneItemText)};
    for (int j = 1; j < AirlockItemCount(table); ++j) {
        items.push_back(words::AirlockName(j));
    }
    return items;
}

int AirlockIndex(uint8_t doorFlags, int itemCount)
{
    const int index = (doorFlags & AirlockBit) ? (doorFlags & 3) + 1 : 0;
    return index < itemCount ? index : -1;
}

uint8_t AirlockFlags(uint8_t doorFlags, int index)
{
    const int airlock = (index >= 1 && index <= 4) ? index + 3 : 0;
    return static_cast<uint8_t>((doorFlags & (HandleBit | FullPulseBit)) | airlock);
}

int TypedAirlockIndex(std::string_view typed, const std::vector<std::string>& items)
{
    // Blanks around it trimmed, letters in lower case: the drop-down's own
    // completion ignores case, and "śluza 1" would be taken on Enter.
    const auto folded = [](std::string_view t) {
        const size_t first = t.find_first_not_of(' ');
        t = first == t.npos ? std::string_view() : t.substr(first, t.find_last_not_of(' ') - first + 1);
        std::string out;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t.substr(i, 2) == "Ś") {
                out += "ś";
                ++i;
            } else {
                out += static_cast<char>(t[i] >= 'A' && t[i] <= 'Z' ? t[i] - 'A' + 'a' : t[i]);
            }
        }
        return out;
    };
    const std::string text = folded(typed);
    if (text.empty() || (!items.empty() && text == folded(items[0]))) {
        return 0;
    }
    for (size_t i = 1; i < items.size(); ++i) {
        const std::string item = folded(items[i]);
        if (text == item || text == item.substr(item.rfind(' ') + 1)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DoorTypeIndex(uint8_t doorType)
{
    const int index = doorType & 0x0F;
    return index < static_cast<int>(DoorTypeNames.size()) ? index : -1;
}

uint8_t DoorTypeValue(uint8_t doorType, int index)
{
    return static_cast<uint8_t>((doorType & 0xF0) | (index & 0x0F));
}

bool ReaderExit(const DoorCfg& door, int reader)
{
    if (reader < 0 || reader >= DoorReaderRows) {
        return false;
    }
    return (door.Params[ParReaderFlags + 4 * reader] & 1) != 0;
}

std::optional<DoorSheetView> ViewDoorSheet(const DoorCfgSet& cfg, const BusDevTable& table, int door)
{
    if (door < 0 || door >= DoorsInUse(table)) {
        return std::nullopt;
    }
    const DoorCfg& d = cfg.Doors[door];
    DoorSheetView view;
    RefList free;

    const auto outputs = std::span<const ResRef>(free).first(table.FreeRefs(ResOutput, free));
    for (int slot : {OutBolt, OutReminder}) {
        view.Outputs[slot].Selector = FillResourceSelector(table, PrefixOutput, d.Outputs[slot], outputs);
    }
    RefList shared;
    for (int slot : {OutAlarm, OutCctv}) {
        const auto used = std::span<const ResRef>(shared).first(cfg.SharedValues(slot, shared, table));
        view.Outputs[slot].Selector = FillSharedOutputSelector(table, d.Outputs[slot], used, outputs);
    }
    for (int slot = 0; slot < DoorOutputRows; ++slot) {
        view.Outputs[slot].Check = ShowOutputNc(table, d.Outputs[slot]);
    }

    const auto inputs = std::span<const ResRef>(free).first(table.FreeRefs(ResInput, free));
    for (int slot : {InExitButton, InAlarmSensor, InTamper, InEvacuation}) {
        view.Inputs[slot].Selector = FillResourceSelector(table, PrefixInput, d.Inputs[slot], inputs);
    }
    // The door-open sensor sits on the bolt's device.
    RefList sameDevice;
    const auto sensors =
        std::span<const ResRef>(sameDevice).first(table.FreeInputsOf(d.Outputs[OutBolt], sameDevice));
    view.Inputs[InOpenSensor].Selector =
        FillResourceSelector(table, PrefixInput, d.Inputs[InOpenSensor], sensors);
    for (int slot = 0; slot < DoorInputRows; ++slot) {
        view.Inputs[slot].Check = ShowInputNc(d.Inputs[slot]);
    }

    const auto readers = std::span<const ResRef>(free).first(table.FreeRefs(ResReader, free));
    for (int slot = 0; slot < DoorReaderRows; ++slot) {
        view.Readers[slot].Selector = FillResourceSelector(table, PrefixReader, d.Readers[slot], readers);
        view.Readers[slot].Check = ShowReaderExit(d.Readers[slot], ReaderExit(d, slot));
    }

    const uint8_t flags = d.Params[ParDoorFlags];
    view.AirlockIndex = AirlockIndex(flags, AirlockItemCount(table));
    view.HandleOpening = (flags & HandleBit) != 0;
    view.FullBoltPulse = (flags & FullPulseBit) != 0;
    view.TypeIndex = DoorTypeIndex(d.Params[ParDoorType]);
    view.BoltPulseText = HalfSecondsText(d.Params[ParBoltPulse]);
    view.OpenTimeText = HalfSecondsText(d.Params[ParOpenTime]);
    view.TrainNumberText = TrainNumberText(cfg.TrainNumber);
    return view;
}

}  // namespace quor
