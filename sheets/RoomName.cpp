// The room name's length limit and its code page.
#include "sheets/RoomName.h"

#include <algorithm>

#include "model/Cfgset.h"
#include "text/Cp1250.h"
#include "text/Utf8.h"

namespace quor {

std::string ClipRoomName(std::string_view utf8)
{
    return ClipUtf8(utf8, RoomNameMax);
}

std::string RoomNameBytes(std::string_view utf8, std::string_view stored)
{
    std::string undefined;
    for (const char byte : stored) {
        if (FromCp1250(static_cast<uint8_t>(byte)) == Replacement) {
            undefined += byte;
        }
    }
    std::string bytes;
    size_t kept = 0;
    const std::string clipped = ClipRoomName(utf8);
    std::string_view rest = clipped;
    while (!rest.empty()) {
        // A malformed byte counts as one character, which the code page lacks.
        const size_t len = std::max<size_t>(Utf8SequenceLength(rest), 1);
        const std::string_view c = rest.substr(0, len);
        rest.remove_prefix(len);
        if (len > 1 && Utf8Char(c) == Replacement && kept < undefined.size()) {
            bytes += undefined[kept++];
        } else {
            bytes += ToCp1250(c);
        }
    }
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
