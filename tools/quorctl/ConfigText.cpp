#include "tools/quorctl/ConfigText.h"

namespace quor::tools {

std::string ConfigText(const UdpDev& dev, const Controller& c)
{
    std::string text = dev.ListRow() + "\n";
    switch (c.Table.Kind) {
    case KindDoors:
        return text + DoorSheetText(c.Doors);
    case KindLift:
        return text + LiftSheetText(c.Lift);
    case KindLockers:
        return text + LockersSheetText(c.Lockers);
    default:
        return text;
    }
}

}  // namespace quor::tools
