#pragma once
#include <cstdint>
#include <string>

namespace quor {

class UdpDev;

// A protocol failure: thrown by value, caught by reference.
struct UErr {
    UdpDev* Dev;   // the device concerned; an entry of the device table, which outlives the error
    int32_t Code;  // 1 to 11
    uint8_t Cmd;   // command byte of the failed exchange, 0 when no single command failed

    std::string Text() const;
};

// The message of an error code, as shown to the installer.
const char* ErrorMessage(int code);

}  // namespace quor
