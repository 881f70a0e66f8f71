// The room name's length limit and its code page.
#include "sheets/RoomName.h"

#include "model/Cfgset.h"
#include "text/Cp1250.h"

namespace quor {

std::string ClipRoomName(std::string_view utf8)
{
    return ClipUtf8(utf8, RoomNameMax);
}

std::string RoomNameBytes(std::string_view utf8)
{
    // One byte per character, but a malformed sequence may give one '?' per byte.
    std::string bytes = ToCp1250(ClipRoomName(utf8));
    if (bytes.size() > RoomNameMax) {
        bytes.resize(RoomNameMax);
    }
    return bytes;
}

std::string RoomNameText(std::string_view cp1250)
{
    return Cp1250ToUtf8(cp1250);
}

}  // namespace quor
