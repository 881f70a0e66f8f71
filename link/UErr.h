#pragma once
#include <cstdint>
#include <string>

namespace quor {

class UdpDev;

// The error codes; loading errors (1, 2, 3, 8, 11) concern no single command.
enum : int32_t {
    ErrNoAnswer = 1,
    ErrOldProtocol = 2,
    ErrUnknownProtocol = 3,
    ErrForeignSession = 4,
    ErrSessionRefused = 5,
    ErrSignature = 6,
    ErrReplyTooLong = 7,
    ErrConfigRead = 8,
    ErrNoReply = 9,
    ErrNoAck = 10,
    ErrModeRefuses = 11,
};

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
