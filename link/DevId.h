#pragma once
// The 32-bit identity that every device carries, on the LAN and on a
// controller's bus alike, read field by field. Bits 0-15 serial number,
// 16-25 model code (device type x 100 + model number), 26-27 and 31 the
// connection letter of a bus device, 28-30 the name variant.

#include <cstdint>
#include <string>

namespace quor {

class DevId {
public:
    constexpr DevId() = default;
    constexpr explicit DevId(uint32_t bits) : Bits(bits) {}

    constexpr uint32_t Value() const { return Bits; }
    constexpr uint16_t Serial() const { return static_cast<uint16_t>(Bits & 0xFFFF); }
    // 0 to 1023.
    constexpr uint16_t ModelCode() const { return static_cast<uint16_t>(Bits >> 16 & 0x3FF); }
    // 0 to 10; 3 is a controller.
    constexpr int Type() const { return ModelCode() / 100; }
    constexpr int NameVariant() const { return static_cast<int>(Bits >> 28 & 7); }
    // Only devices with the standard name variant answer a search as devices of
    // this installation; any other variant shows as model number + 100.
    constexpr bool StandardName() const { return NameVariant() == 2; }
    // The number after the type letter in the device name.
    constexpr int NameNumber() const { return ModelCode() % 100 + (StandardName() ? 0 : 100); }
    // 'A' to 'H': bits 26-27 are its low part, bit 31 its high bit.
    constexpr char ConnLetter() const { return static_cast<char>('A' + (Bits >> 26 & 3) + 4 * (Bits >> 31)); }
    // Model code and serial number (the low 26 bits): what the device lists
    // are ordered by, and all that names one device whatever bus connection
    // or name variant it reports.
    constexpr uint32_t OrderKey() const { return Bits & 0x3FFFFFF; }
    constexpr bool SameDevice(DevId other) const { return OrderKey() == other.OrderKey(); }
    // A failed device is replaced by a new one of its model.
    constexpr bool SameModel(DevId other) const { return ModelCode() == other.ModelCode(); }
    // A bus-table entry with 0xFFFF in the upper 16 bits holds no device.
    constexpr bool EmptySlot() const { return Bits >> 16 == 0xFFFF; }

    constexpr bool operator==(const DevId&) const = default;

private:
    uint32_t Bits = 0;
};

// The device type of an identity, 0 to 10.
int DevType(uint32_t id);
// The name shown for a device everywhere: type letter, number, serial ("K01_12345").
std::string DevName(uint32_t id);

}  // namespace quor
