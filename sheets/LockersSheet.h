#pragma once
// The lockers sheet ("Szafki"): what it shows, the locker number edits and
// the room name.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/Cfgset.h"
#include "sheets/LockerRanges.h"
#include "sheets/Selectors.h"

namespace quor {

inline constexpr int LockersAlarmInput = 2;
inline constexpr int LockersTamperInput = 3;
inline constexpr std::array<int, 2> LockersInputSlots = {LockersAlarmInput, LockersTamperInput};

struct LockersSheetView {
    std::string RoomName;  // UTF-8, converted from the stored Windows-1250 bytes
    std::array<SelectorView, LockerModules> Modules;
    std::array<std::string, LockerModules> FirstTexts;
    std::array<std::string, LockerModules> LastTexts;
    LockerRangeColours Invalid;
    SelectorRowView Alarm;   // Check: NC
    SelectorRowView Tamper;  // Check: NC
    std::array<SelectorView, 4> Readers;
    std::string PulseText;      // LsTimEd
    std::string TestStartText;  // LsStartNrEd
};

// nullopt when no controller is loaded (door count 0).
std::optional<LockersSheetView> ViewLockersSheet(const OutSetCfg& cfg, const BusDevTable& table);

// A first-number (last false) or last-number edit of a row changed its text.
// Does not reload the sheet; the caller recolours by CheckLockerRanges.
void StoreLockerNumber(OutSetCfg& cfg, int row, bool last, std::string_view text);
void SetTestStartText(OutSetCfg& cfg, std::string_view text);

// The room name edit changed its text (UTF-8): its first 15 characters in
// Windows-1250.
void SetRoomNameText(OutSetCfg& cfg, std::string_view utf8);

// Numbers of 10000 or more become none, as they do once the sheet shows them:
// a number edit stores back what it shows, and such a number reads as none.
void TakeInShownLockerNumbers(OutSetCfg& cfg);

}  // namespace quor
