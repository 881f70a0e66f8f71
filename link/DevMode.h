#pragma once
// The operating mode a device reports in its status: bits 0 and 1 of the mode
// byte name the mode, bit 7 tells that the device holds a protocol session.

#include <cstdint>

namespace quor {

enum class DevMode : uint8_t {
    Blokada = 0,
    Konfiguracja = 1,
    Serwis = 2,
    Instalacja = 3,
};

inline constexpr uint16_t ModeSessionBit = 0x80;

inline constexpr DevMode ModeOf(uint16_t modeByte)
{
    return static_cast<DevMode>(modeByte & 3);
}

// Serwis and Instalacja let the bus and door configuration be read and
// written; Blokada and Konfiguracja keep it to the controller.
inline constexpr bool ConfigOpen(uint16_t modeByte)
{
    return ModeOf(modeByte) == DevMode::Serwis || ModeOf(modeByte) == DevMode::Instalacja;
}

}  // namespace quor
