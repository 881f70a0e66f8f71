#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
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

// The device an error concerns, as it was when the error arose.
struct ErrDevice {
    uint32_t Id;
    std::string ModeName;  // as UdpDev::ModeName gave it then
};

// A protocol failure: thrown by value, caught by reference. what() is Text().
class UErr : public std::runtime_error {
public:
    // dev may be null: no single device is concerned.
    UErr(const UdpDev* dev, int32_t code, uint8_t cmd);

    std::optional<ErrDevice> Dev;  // the device concerned, by value
    int32_t Code;                  // 1 to 11
    uint8_t Cmd;                   // command byte of the failed exchange, 0 when no single command failed

    std::string Text() const { return what(); }
};

// The message of an error code, as shown to the installer.
const char* ErrorMessage(int code);

}  // namespace quor
