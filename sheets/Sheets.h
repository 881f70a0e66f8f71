#pragma once
// Which sheet the page control shows, which one a refresh fills, and when
// the "Testowanie" groups may be edited.

#include <array>
#include <cstdint>
#include <string_view>

#include "link/Udpdev.h"
#include "model/Hardres.h"

namespace quor {

// Bits of the sheet set.
enum : int {
    SheetDoorBit = 2,
    SheetLiftBit = 4,
    SheetLockersBit = 8,
};

struct SheetVisibility {
    bool Control = false;  // SheetSet
    bool Doors = false;
    bool Lift = false;
    bool Lockers = false;

    bool operator==(const SheetVisibility&) const = default;
};

SheetVisibility SheetVisibilityOf(int bits);

// The sheet set after loading device dev: its kind's sheet when a table with
// doors is loaded from a protocol-2 device that is not of type 4, else 0.
int SheetBitsFor(const UdpDev& dev, const BusDevTable& table);

enum class SheetKind { None, Doors, Lift, Lockers };
// The sheet a refresh fills, by the table's kind.
SheetKind RefreshTarget(const BusDevTable& table);
// A sheet is filled only while a controller is loaded (door count not 0).
bool SheetLoadable(const BusDevTable& table);

// The "Testowanie" groups are editable only in mode "Instalacja" (mode bits 0-1 = 3).
bool TestGroupEnabled(uint16_t mode);

// The controls EnableTestGroup switches, by object name.
inline constexpr std::array<std::string_view, 11> DoorTestControls = {
    "DTstGrpBox", "DKlamkaCb",  "DFullTimCb", "DTypeCb",    "DTypeLb",     "DRygTimEd",
    "DRygTimLb",  "DRygTimsLb", "DOpenTimEd", "DOpenTimLb", "DOpenTimsLb",
};
inline constexpr std::array<std::string_view, 4> LiftTestControls = {"LTstGrpBox", "LTimEd", "LTimLb",
                                                                     "LTimsLb"};
inline constexpr std::array<std::string_view, 6> LockersTestControls = {
    "LsTstGrpBox", "LsStartNrLb", "LsStartNrEd", "LsTimEd", "LsTimLb", "LsTimsLb",
};

}  // namespace quor
