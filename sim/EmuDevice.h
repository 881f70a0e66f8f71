#pragma once
// Emulated devices: the other side of the wire for tests, benchmarks and quorsim.
// EmuDevice is any device on the LAN (a time recorder, say): it answers the
// status request and takes time announcements. EmuController adds sessions
// and the signed command set of a controller.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "sim/BusConfig.h"
#include "sim/LanHost.h"

namespace quor::sim {

// Ways to spoil a reply. A fault hits only replies it can spoil: BadCrc plain
// ones, BadSignature and BadEcho signed ones, BadAck acknowledgements.
// LateReply sends the reply whole but only LateReplyMs after the request.
// The command itself still takes effect: only its reply is spoilt.
enum class Fault { DropReply, BadCrc, BadSignature, BadEcho, BadAck, LongReply, LateReply };

class EmuDevice : public LanHost {
public:
    EmuDevice(uint32_t id, uint8_t mode, uint8_t versionDigit = '2');
    std::vector<Bytes> Handle(std::span<const uint8_t> in, std::string_view fromIp, int64_t nowMs) override;
    int ReplyDelayMs() const override;
    int FloodPeriodMs() const override;
    Bytes FloodDatagram() const override;

    // `count` replies to command `cmd` (0: to any command) are spoilt; count -1: until ClearFaults.
    // The first `after` replies the fault could spoil still go out whole.
    void Inject(Fault kind, uint8_t cmd = 0, int count = 1, int after = 0);
    void ClearFaults();

    // A plain device holds no sessions.
    virtual bool SessionLive(int64_t nowMs) const;

    uint32_t Id;
    uint8_t Mode;  // bits 0-1 mode index; bit 7 is reported while a session is live
    uint8_t VersionDigit;
    int FloodPeriod = 0;              // ms between datagrams that match no request, 0 off
    int LateReplyMs = 350;            // how long a late reply is held back
    std::map<uint8_t, int> Received;  // valid requests seen, per command byte
    uint32_t LastTime = 0;
    int TimeAnnouncements = 0;

protected:
    // A plain request other than status and time; nullopt when the device does not know it.
    virtual std::optional<std::vector<Bytes>> PlainCommand(uint8_t cmd, std::span<const uint8_t> payload,
                                                           std::string_view fromIp, int64_t nowMs);
    // A frame with the signed tag; a plain device ignores it.
    virtual std::vector<Bytes> SignedRequest(std::span<const uint8_t> in, std::string_view fromIp,
                                             int64_t nowMs);
    // The plain reply to `cmd`, with whatever fault is armed for it.
    std::vector<Bytes> PlainReply(uint8_t cmd, Bytes payload);
    // Consumes one armed fault of this kind that covers `cmd`.
    bool TakeFault(Fault kind, uint8_t cmd);
    // Holds the replies of this request back when a late-reply fault covers `cmd`.
    void TakeLateFault(uint8_t cmd);

private:
    Bytes Status(int64_t nowMs) const;

    struct FaultSwitch {
        Fault Kind;
        uint8_t Cmd;
        int Left;   // -1: never runs out
        int Spare;  // replies still let through before the fault strikes
    };
    std::vector<FaultSwitch> Faults;
    int HeldBackMs = 0;  // for the replies of the request being handled
    mutable unsigned FloodCount = 0;
};

class EmuController : public EmuDevice {
public:
    using EmuDevice::EmuDevice;
    std::vector<Bytes> Handle(std::span<const uint8_t> in, std::string_view fromIp, int64_t nowMs) override;
    bool SessionLive(int64_t nowMs) const override;
    // Another configurator holds the session.
    void HoldForeignSession(int64_t nowMs, std::string peer = "10.45.9.9");

    std::string SessionPeer;  // empty: no session
    std::array<uint8_t, 16> SessionKey{};
    uint16_t Counter = 0;            // the device's own reply counter
    int64_t SessionLapseMs = 30000;  // a session lapses after this long without traffic from its peer

    Bytes BusTable;                                           // payload of the 'D' reply while Bus is not set
    std::map<std::pair<uint8_t, uint8_t>, Bytes> Blocks;      // (type, index) -> payload of the 'C' reply
    std::vector<std::tuple<uint8_t, uint8_t, Bytes>> Writes;  // every accepted 'c' (type, index, body)
    // Runs after each accepted 'c', before the acknowledgement goes out: a test
    // may spoil what was stored, as a controller that acknowledges a block it
    // does not keep.
    std::function<void(uint8_t type, uint8_t index)> AfterWrite;
    int DeleteLostCount = 0;
    std::vector<uint16_t> Replacements;
    std::function<std::array<uint8_t, 16>()> Random = SeededRandom(Id);  // the 16 session bytes

    // A configured controller: the bus table is built from this, and the
    // maintenance commands and block writes act on it.
    std::optional<BusConfig> Bus;

protected:
    std::optional<std::vector<Bytes>> PlainCommand(uint8_t cmd, std::span<const uint8_t> payload,
                                                   std::string_view fromIp, int64_t nowMs) override;
    std::vector<Bytes> SignedRequest(std::span<const uint8_t> in, std::string_view fromIp,
                                     int64_t nowMs) override;

private:
    static std::function<std::array<uint8_t, 16>()> SeededRandom(uint32_t seed);
    std::vector<Bytes> OpenSession(std::string_view fromIp, int64_t nowMs);
    // The reply payload to a verified signed command; nullopt: not a valid request.
    std::optional<Bytes> Command(uint8_t cmd, std::span<const uint8_t> payload, int64_t nowMs);
    std::optional<Bytes> ConfigCommand(uint8_t cmd, std::span<const uint8_t> payload, int64_t nowMs);
    Bytes WriteBlock(uint8_t type, uint8_t index, std::span<const uint8_t> body);
    Bytes Replace(std::span<const uint8_t> pair, int64_t nowMs);
    std::vector<Bytes> SignedReply(uint8_t cmd, Bytes payload);

    int64_t LastPeerMs = 0;
};

}  // namespace quor::sim
