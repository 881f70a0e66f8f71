#pragma once
// The devices found on the LAN and every protocol operation on them.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/DevId.h"
#include "link/DevMode.h"
#include "link/Endpoint.h"
#include "link/Targets.h"
#include "link/UErr.h"

namespace quor {

// Command bytes.
enum : uint8_t {
    CmdStatus = 'O',
    CmdTime = 'T',
    CmdSession = 'K',
    CmdKeepAlive = 'S',
    CmdClose = 's',
    CmdReadTable = 'D',
    CmdReadBlock = 'C',
    CmdWriteBlock = 'c',
    CmdDeleteLost = 'F',
    CmdReplace = 'R',
};

inline constexpr uint8_t AckByte = 6;
// The only protocol version this program speaks.
inline constexpr int32_t ProtocolVersion = 2;
inline constexpr uint32_t AllDevices = 0xFFFFFFFF;
inline constexpr int BlockAreaSize = 1400;  // largest table or block payload
inline constexpr int MaxBlockLen = BlockAreaSize - 2;
// A reply wait receives for up to ReceiveWaitMs at a time and looks at the
// clock only after a receive that found nothing: it ends there once
// ReplyWindowMs have passed since the send. A silent device so costs two
// whole receives, and a reply up to then is taken.
inline constexpr int ReceiveWaitMs = 200;
inline constexpr int ReplyWindowMs = 300;
// Datagrams that keep coming without matching must not hold a caller for
// ever: a reply wait gives up at the first one at or after AwaitLimitMs
// (a silent stretch ends it earlier, as above), reply collection after
// CollectLimitMs.
inline constexpr int AwaitLimitMs = 500;
inline constexpr int CollectLimitMs = 1000;

using BlockArea = std::array<uint8_t, BlockAreaSize>;

uint32_t ParseIp(std::string_view dotted);
std::string IpText(uint32_t ip);

class UdpDev {
public:
    UdpDev() = default;
    UdpDev(Endpoint& udp, uint32_t id, uint32_t ip, int32_t version, uint16_t mode);
    // Closes this program's session with the device; errors are swallowed.
    ~UdpDev();
    // A record moves as a plain copy of its fields; the moved-from record no
    // longer owns the session, so destroying it sends nothing.
    UdpDev(UdpDev&& other) noexcept;
    UdpDev& operator=(UdpDev&& other) noexcept;
    UdpDev(const UdpDev&) = delete;
    UdpDev& operator=(const UdpDev&) = delete;

    // Datagram exchange.
    int AwaitReply(std::span<const uint8_t> request, uint8_t echoCmd, std::span<uint8_t> buf);
    int Exchange(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result);

    // Status and texts.
    bool Poll();
    std::string IpText() const;
    std::string ModeName() const;
    std::string ListRow() const;

    // Sessions and signed commands.
    void OpenSession();
    void EnsureSession();
    int SignedExchange(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result);
    void SignedCommand(uint8_t cmd, std::span<const uint8_t> payload);
    void KeepAlive();
    void CloseSession();

    // Controller commands.
    int ReadBlock(uint8_t type, uint8_t index, BlockArea& out);
    void WriteBlock(uint8_t type, uint8_t index, std::span<const uint8_t> block);
    int ReadBusTable(BlockArea& out);
    // length, when given, receives the payload length of the table read.
    bool TryReadBusTable(BlockArea& out, int* length = nullptr);
    void DeleteLost();
    void ReplaceDevice(uint16_t pair);

    uint32_t Id = 0;
    uint32_t Ip = 0;
    int32_t Version = 1;
    uint16_t Counter = 0;
    uint16_t Mode = 0;
    bool Alive = false;
    bool Changed = false;
    bool SessionOpen = false;
    std::array<uint8_t, 16> SessionKey{};
    Endpoint* Udp = nullptr;  // not owned

private:
    [[noreturn]] void Fail(int code, uint8_t cmd);
    // One signed exchange's attempts; nullopt when none was answered.
    std::optional<int> TrySigned(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result);
    // Opens a session again; false when the device refuses it, as it does while another party holds one.
    bool ReopenSession();
};

// The devices found, in the configurator's order. The table's size is fixed
// at construction, but a device found later is put in its place in the order
// and moves the records after it: what must name one device across a search
// holds its identity (Id), not a reference into the table.
class UdpDevSet {
public:
    // The window lists at most this many devices.
    static constexpr int WindowCapacity = 100;
    // At most one datagram every SendGapUs µs as a search sends its requests,
    // so that a range does not burst into a small router.
    static constexpr int SendGapUs = 50;

    explicit UdpDevSet(Endpoint& udp, int capacity = WindowCapacity)
        : Capacity(capacity), Dev(capacity), Udp(&udp)
    {
    }

    void Search();
    bool CollectReplies(int waitMs);
    bool Merge(uint32_t id, uint32_t ip, int32_t version, uint16_t mode);

    const int Capacity;
    SearchScope Scope;  // whom a search asks
    std::vector<UdpDev> Dev;
    int32_t Count = 0;
    int32_t Selected = -1;
    Endpoint* Udp;  // not owned

private:
    void Paced();
    int64_t LastSendUs = -1;
};

}  // namespace quor
