// The texts built from the bus-device table: list rows, resource items, pairs.
#include <algorithm>
#include <array>

#include "link/DevId.h"
#include "link/Udpdev.h"
#include "model/Hardres.h"

namespace quor {

namespace {

struct KindWord {
    int Blanks;  // before the word in a list row
    std::string_view Word;
};

// By device type; the last stands for every type above.
const std::array<KindWord, 9> KindWords = {{
    {4, "Czytnik"},
    {2, "Terminal"},
    {6, "Zamek"},
    {1, "Kontroler"},
    {0, "Ctr"},
    {1, "Klawiatura"},
    {1, "Interfejs"},
    {6, "Moduł"},
    {1, "Nieznany"},
}};

const KindWord& KindOf(uint32_t id)
{
    return KindWords[std::min(DevType(id), static_cast<int>(KindWords.size()) - 1)];
}

const char NoneText[] = "     ---     ";

std::string KindName(uint32_t id)
{
    const KindWord& kind = KindOf(id);
    return std::string(kind.Blanks, ' ') + std::string(kind.Word);
}

// The entry index as one character: '0' to '9', then 'A' (10) onwards by
// character code. Codes above 127 are taken as Latin-1 and written as UTF-8,
// so that the row stays valid text.
std::string IndexChar(int e)
{
    const int code = e <= 9 ? '0' + e : 55 + e;
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    return {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
}

std::string FlagSuffix(uint8_t flags)
{
    for (const StatusWord& status : StatusWords) {
        if (flags & status.Flag) {
            return ",   (" + std::string(status.Word) + ")";
        }
    }
    return "";
}

}  // namespace

std::string_view DevKindWord(uint32_t id)
{
    return KindOf(id).Word;
}

std::string ConnText(const BusDev& dev)
{
    return DevId(dev.Id).ConnLetter() + std::to_string(dev.Conn);
}

std::string ConnName(const BusDev& dev)
{
    return DevName(dev.Id) + "/" + ConnText(dev);
}

std::string BusDevTable::DevListRow(int position) const
{
    if (position < 0 || position >= PresentCount) {
        return {};
    }
    const int e = Order[position];
    const BusDev& dev = Dev[e];
    return IndexChar(e) + "." + KindName(dev.Id) + ": " + ConnName(dev) + FlagSuffix(dev.Flags);
}

std::string BusDevTable::ResItemText(ResRef r, std::string_view prefix) const
{
    // Only 0xFFFF is none: bit 15 of any other value is not part of the entry
    // index, so a stray bit 15 still shows the resource the slot names.
    if (r == NoRef) {
        return prefix.size() == 3 ? std::string(NoneText) + " " : std::string(NoneText);
    }
    const std::string resource = std::string(prefix) + std::to_string(RefNumber(r) + 1);
    if (!RefHasDevice(r)) {
        // The identity of an emptied entry would read as a made-up device.
        return "? (" + resource + ")";
    }
    return DevName(Dev[RefEntry(r)].Id) + ":" + resource;
}

std::string BusDevTable::OutSetItemText(ResRef r) const
{
    if (r == NoRef) {
        return "     ---  ";
    }
    if (!RefHasDevice(r)) {
        return "? (" + std::to_string(RefNumber(r) + 1) + ")";
    }
    return DevName(Dev[RefEntry(r)].Id);
}

std::string BusDevTable::PairText(uint16_t pair) const
{
    const auto name = [this](int e) { return e < MaxBusDevs ? DevName(Dev[e].Id) : std::string("---"); };
    return name(pair & 0xFF) + " <-- " + name(pair >> 8);
}

}  // namespace quor
