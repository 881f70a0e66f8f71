#pragma once
// The door sheet ("Przejścia"): what it shows for one door, and the edits its
// controls make to the door configuration.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Cfgquor.h"
#include "sheets/Selectors.h"
#include "sheets/SheetWords.h"

namespace quor {

inline constexpr int DoorOutputRows = 4;  // bolt, reminder, alarm, CCTV: slots 0 to 3
inline constexpr int DoorInputRows = 5;   // exit button, open sensor, alarm sensor, tamper, evacuation
inline constexpr int DoorReaderRows = 4;

inline constexpr std::array<std::string_view, 5> DoorTypeNames = words::DoorTypes;

// Door tabs: one per door the configuration holds, at most 8 whatever door
// count the controller reports.
int DoorTabCount(const BusDevTable& table);
std::vector<std::string> DoorTabCaptions(const BusDevTable& table);
// The train number field is shown only for controllers keeping the common block.
bool TrainNumberShown(const BusDevTable& table);
// "  -----", then "Śluza 1" to "Śluza k", k = half the door tabs.
std::vector<std::string> AirlockItems(const BusDevTable& table);

// The airlock item of a door's flags; -1 (no selection) when the stored
// airlock is not among the itemCount items offered.
int AirlockIndex(uint8_t doorFlags, int itemCount);
// Door flags after choosing airlock item index: items 1 to 4 are airlocks 1
// to 4, anything else is none; bits 3-5 cleared, 6 and 7 kept.
uint8_t AirlockFlags(uint8_t doorFlags, int index);
// The item that text typed into the airlock field names: an item's text, or
// the airlock's number alone ("3" for "Śluza 3"), blanks around it and case ignored;
// 0 (none) for "-----" or no text; -1 for text that names no item, an airlock
// beyond the items included: such text changes nothing.
int TypedAirlockIndex(std::string_view typed, const std::vector<std::string>& items);
// The door-type item; -1 (no selection) for a stored type above 4.
int DoorTypeIndex(uint8_t doorType);
// DoorType after choosing item index; the high four bits are kept.
uint8_t DoorTypeValue(uint8_t doorType, int index);

bool ReaderExit(const DoorCfg& door, int reader);

struct DoorSheetView {
    std::array<SelectorRowView, DoorOutputRows> Outputs;  // Check: NC
    std::array<SelectorRowView, DoorInputRows> Inputs;    // Check: NC
    std::array<SelectorRowView, DoorReaderRows> Readers;  // Check: exit reader
    int AirlockIndex = 0;                                 // into AirlockItems; -1 none
    bool HandleOpening = false;                           // DKlamkaCb
    bool FullBoltPulse = false;                           // DFullTimCb
    int TypeIndex = 0;                                    // into DoorTypeNames; -1 none
    std::string BoltPulseText;
    std::string OpenTimeText;
    std::string TrainNumberText;
};

// Everything the sheet shows for the door of tab door; nullopt when no
// controller is loaded (door count 0) or the tab holds no door.
std::optional<DoorSheetView> ViewDoorSheet(const DoorCfgSet& cfg, const BusDevTable& table, int door);

// Edits of one door; each ignores a door outside the doors in use.
// Moving the bolt to another device, or clearing it, releases the door-open
// sensor: the sensor must sit on the bolt's device.
void AssignBolt(DoorCfgSet& cfg, BusDevTable& table, int door, ResRef value, bool nc);
// Any output row (the bolt through AssignBolt).
void AssignDoorOutputRow(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value, bool nc);
void AssignDoorInput(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value, bool nc);
void AssignDoorReader(DoorCfgSet& cfg, BusDevTable& table, int door, int slot, ResRef value);
void SetDoorOutputNc(DoorCfgSet& cfg, const BusDevTable& table, int door, int slot, bool nc);
void SetDoorInputNc(DoorCfgSet& cfg, const BusDevTable& table, int door, int slot, bool nc);
void SetReaderExit(DoorCfgSet& cfg, const BusDevTable& table, int door, int reader, bool exit);
void SetHandleOpening(DoorCfgSet& cfg, const BusDevTable& table, int door, bool on);
void SetFullBoltPulse(DoorCfgSet& cfg, const BusDevTable& table, int door, bool on);
void SetDoorType(DoorCfgSet& cfg, const BusDevTable& table, int door, int index);
void SetAirlock(DoorCfgSet& cfg, const BusDevTable& table, int door, int index);
void SetBoltPulse(DoorCfgSet& cfg, const BusDevTable& table, int door, std::string_view text);
void SetOpenTime(DoorCfgSet& cfg, const BusDevTable& table, int door, std::string_view text);
void SetTrainNumber(DoorCfgSet& cfg, std::string_view text);

}  // namespace quor
