#pragma once
// A controller's bus-device table: the devices on its RS485 bus, their
// resources and which of those the configuration held already uses.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/DevId.h"

namespace quor {

class UdpDev;

// One output, input, reader or output set of a bus device: entry index in
// bits 8-14, resource number in bits 0-4, NC flag in bit 7.
using ResRef = uint16_t;

inline constexpr ResRef NoRef = 0xFFFF;
inline constexpr ResRef RefNc = 0x80;
// Two references name the same resource when they match under this mask.
inline constexpr ResRef RefSameMask = 0xFF7F;

inline constexpr ResRef MakeRef(int entry, int number, bool nc = false)
{
    return static_cast<ResRef>(entry << 8 | number | (nc ? RefNc : 0));
}
// Bit 7 set or cleared; none stays none.
inline constexpr ResRef WithNc(ResRef r, bool nc)
{
    if (r == NoRef) {
        return r;
    }
    return static_cast<ResRef>(nc ? r | RefNc : r & ~RefNc);
}

inline constexpr int RefEntry(ResRef r)
{
    return (r >> 8) & 0x7F;
}
inline constexpr int RefNumber(ResRef r)
{
    return r & 0x1F;
}
// Bit 15 is never set in a valid reference. Texts ignore it (RefEntry is
// bits 8-14), but a value with it never lists inputs nor touches a taken
// mask: read with bit 15 as part of the index, it lies outside the table.
inline constexpr bool RefNamesEntry(ResRef r)
{
    return r != NoRef && (r & 0x8000) == 0;
}
inline constexpr bool SameResource(ResRef a, ResRef b)
{
    return (a & RefSameMask) == (b & RefSameMask);
}

// Resource kinds: the index of BusDev::ResCount and BusDev::Taken.
enum : int {
    ResOutput = 0,
    ResInput = 1,
    ResReader = 2,
    ResOutputSet = 3,
    ResKinds = 4,
};

// The controller's application kind; for doors also the block type of its door blocks.
enum : int32_t {
    KindDoors = 1,
    KindLift = 2,
    KindLockers = 3,
};

// BusDev::Flags.
enum : uint8_t {
    FlagInactive = 0x80,
    FlagPower = 0x40,
    FlagTamper = 0x20,
    FlagNew = 0x10,
};

inline constexpr int MaxBusDevs = 128;
inline constexpr int MaxListLen = 2560;  // free-resource and replacement-pair lists
inline constexpr int ControllerType = 3;

using RefList = std::array<ResRef, MaxListLen>;
using PairList = std::array<uint16_t, MaxListLen>;

struct BusDev {
    uint32_t Id = 0;  // upper 16 bits 0xFFFF: an empty slot
    uint8_t Conn = 0;
    uint8_t Flags = 0;
    uint16_t FixedOutputs = 0;  // outputs below this number are relays: no NC option
    std::array<uint16_t, ResKinds> ResCount{};
    std::array<uint32_t, ResKinds> Taken{};  // bit n: resource n is used by the configuration

    bool Present() const { return !DevId(Id).EmptySlot(); }
    friend bool operator==(const BusDev&, const BusDev&) = default;
};

// The connection letter 'A' to 'H' and the connection number ("A3").
std::string ConnText(const BusDev& dev);
// "DevName/" plus ConnText.
std::string ConnName(const BusDev& dev);

// The device's kind as the bus-device list names it ("Czytnik"), without the
// blanks that align it there.
std::string_view DevKindWord(uint32_t id);

// A state of a bus device and the word the bus-device list gives it.
struct StatusWord {
    uint8_t Flag;
    std::string_view Word;
};
// In the order the list looks for them: it shows the first that applies.
inline constexpr std::array<StatusWord, 4> StatusWords = {{
    {FlagInactive, "nieaktywny"},
    {FlagPower, "zasilanie!"},
    {FlagTamper, "sabotaż"},
    {FlagNew, "nowy"},
}};

class BusDevTable {
public:
    // Takes in a read-table reply (only its received bytes). A reply with more
    // than 128 entries, more entries than it holds, or a kind and door count
    // that do not go together, empties the table and gives false.
    bool Parse(std::span<const uint8_t> reply);
    void Sort();
    // Whether a reply differs from the table held in its entries' identities
    // or status flags, its entry count, or its kind, door count or train
    // flag. A reply shorter than the entries it announces always differs.
    bool Differs(std::span<const uint8_t> reply) const;
    // Reads the table from the controller; UErr passes through.
    bool Fetch(UdpDev& dev);
    // True when a fresh reply differed from the table held and was taken in;
    // read, when given, tells whether a reply came at all.
    bool FetchIfChanged(UdpDev& dev, bool* read = nullptr);
    // Forgets the table held: no entries, no doors.
    void Forget();

    // Untaken resources of one kind over the present entries in display order.
    int FreeRefs(int kind, std::span<ResRef> out) const;
    // Untaken inputs of the device that r belongs to.
    int FreeInputsOf(ResRef r, std::span<ResRef> out) const;
    bool AnyInactive() const;
    // Whether r names a resource of a device the table holds. "Usuń nieaktywne"
    // empties an entry while configuration slots may still name it: such a
    // reference has no device, is shown as "? (...)" and is never offered.
    bool RefHasDevice(ResRef r) const { return r != NoRef && Dev[RefEntry(r)].Present(); }
    // Pairs (new entry << 8 | old entry) of an inactive device and a new one of its model.
    int ReplacementPairs(std::span<uint16_t> out) const;

    std::string DevListRow(int position) const;
    // A reference to an emptied entry reads "? (Rd1)" (resp. "? (1)"), with no device.
    std::string ResItemText(ResRef r, std::string_view prefix) const;
    std::string OutSetItemText(ResRef r) const;
    std::string PairText(uint16_t pair) const;

    std::array<BusDev, MaxBusDevs> Dev{};
    std::array<int32_t, MaxBusDevs> Order{};
    int32_t DevCount = 0;
    int32_t PresentCount = 0;
    int32_t Kind = 0;
    int32_t DoorCount = 0;
    int32_t TrainFlag = 0;

    friend bool operator==(const BusDevTable&, const BusDevTable&) = default;

private:
    void Reject();
};

}  // namespace quor
