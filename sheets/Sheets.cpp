// The sheet switch and the mode rule of the test groups.
#include "sheets/Sheets.h"

namespace quor {

namespace {

constexpr int UnsheetedType = 4;  // devices of this type never get a sheet

}  // namespace

SheetVisibility SheetVisibilityOf(int bits)
{
    return {bits != 0, (bits & SheetDoorBit) != 0, (bits & SheetLiftBit) != 0, (bits & SheetLockersBit) != 0};
}

int SheetBitsFor(const UdpDev& dev, const BusDevTable& table)
{
    if (DevType(dev.Id) == UnsheetedType || dev.Version != ProtocolVersion || table.DoorCount == 0) {
        return 0;
    }
    switch (table.Kind) {
    case KindDoors:
        return SheetDoorBit;
    case KindLift:
        return SheetLiftBit;
    default:
        return SheetLockersBit;
    }
}

SheetKind RefreshTarget(const BusDevTable& table)
{
    switch (table.Kind) {
    case KindDoors:
        return SheetKind::Doors;
    case KindLift:
        return SheetKind::Lift;
    case KindLockers:
        return SheetKind::Lockers;
    default:
        return SheetKind::None;
    }
}

bool SheetLoadable(const BusDevTable& table)
{
    return table.DoorCount != 0;
}

bool TestGroupEnabled(uint16_t mode)
{
    return ModeOf(mode) == DevMode::Instalacja;
}

}  // namespace quor
