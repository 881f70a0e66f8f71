#pragma once
// The devices found on the LAN and every protocol operation on them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "link/DevId.h"
#include "link/DevMode.h"
#include "link/Endpoint.h"
#include "link/IdIndex.h"
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
// A search asks the endpoint for room for this many replies at once, each
// counted at ReceiveBytesPerReply (Linux counts a 28-byte reply as 832
// bytes): every device that answers is heard, up to quorctl's 8,192, also
// where the window lists only 100 and counts the others.
inline constexpr int RepliesHeld = 8192;
inline constexpr int ReceiveBytesPerReply = 1024;

using BlockArea = std::array<uint8_t, BlockAreaSize>;

uint32_t ParseIp(std::string_view dotted);
std::string IpText(uint32_t ip);

class UdpDev {
public:
    UdpDev() = default;
    // Defined here, as the moves below: a search makes and moves thousands of records.
    UdpDev(Endpoint& udp, uint32_t id, uint32_t ip, int32_t version, uint16_t mode)
        : Id(id), Ip(ip), Version(version), Mode(mode), Alive(true), Udp(&udp)
    {
    }
    // Closes this program's session with the device; errors are swallowed.
    ~UdpDev();
    // A record moves as a plain copy of its fields; the moved-from record no
    // longer owns the session, so destroying it sends nothing.
    UdpDev(UdpDev&& other) noexcept { *this = std::move(other); }
    UdpDev& operator=(UdpDev&& other) noexcept
    {
        Id = other.Id;
        Ip = other.Ip;
        Version = other.Version;
        Counter = other.Counter;
        Mode = other.Mode;
        Alive = other.Alive;
        Changed = other.Changed;
        SessionOpen = other.SessionOpen;
        SessionKey = other.SessionKey;
        Udp = other.Udp;
        other.SessionOpen = false;
        return *this;
    }
    UdpDev(const UdpDev&) = delete;
    UdpDev& operator=(const UdpDev&) = delete;

    // Datagram exchange.
    int AwaitReply(std::span<const uint8_t> request, uint8_t echoCmd, std::span<uint8_t> buf);
    // attempts 0: 3 when the device is Alive, else 1.
    int Exchange(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result, int attempts = 0);

    // Status and texts.
    bool Poll(int attempts = 0);
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

// The devices found, in the configurator's order. The table's room is taken
// at construction, so records never move in memory as it grows, but a device
// found later is put in its place in the order and moves the records after
// it: what must name one device across a search holds its identity (Id), not
// a reference into the table. Records up to the window's capacity exist from
// the start (the window's list reads the record of any row); a larger table
// makes the rest as devices are found, since quorctl's 8,192 empty records
// would cost a search of a hundred devices more than its replies.
class UdpDevSet {
public:
    // The window lists at most this many devices.
    static constexpr int WindowCapacity = 100;
    // At most one datagram every SendGapUs µs as a search sends its requests,
    // so that a range does not burst into a small router.
    static constexpr int SendGapUs = 50;

    explicit UdpDevSet(Endpoint& udp, int capacity = WindowCapacity)
        : Capacity(capacity), Udp(&udp), FreshAt(capacity)
    {
        Dev.reserve(capacity);
        Dev.resize(std::min(capacity, WindowCapacity));
        Fresh.reserve(capacity);
        FreshOrder.reserve(capacity);
    }

    // Up to 3 passes; each sends its requests one every SendGapUs and reads
    // the replies that come in meanwhile, then collects the rest.
    void Search();
    bool CollectReplies(int waitMs);
    bool Merge(uint32_t id, uint32_t ip, int32_t version, uint16_t mode);
    // The devices that answered since the last search began and were not
    // taken in because the table was full.
    int NotListed() const { return static_cast<int>(LeftOut.size()); }

    const int Capacity;
    SearchScope Scope;  // whom a search asks
    std::vector<UdpDev> Dev;
    int32_t Count = 0;
    int32_t Selected = -1;
    Endpoint* Udp;  // not owned

private:
    bool SendPass(std::span<const uint8_t> request);
    bool ReadUntilDue();
    bool TakeReply(int waitMs, bool& merged);
    // Merge in two steps: a new device waits in Fresh until Fold puts every
    // waiting one in its place at once, so that a search of thousands of
    // devices does not shift the table once per reply.
    bool Stage(uint32_t id, uint32_t ip, int32_t version, uint16_t mode);
    void Fold();

    // What a reply tells of a device not yet in the table: its record is made
    // once, in its place, when the fold comes.
    struct Heard {
        uint32_t Id;
        uint32_t Ip;
        int32_t Version;
        uint16_t Mode;
    };

    int64_t LastSendUs = -1;
    std::string Sender;  // of the last datagram taken in; kept, so a reply costs no new string
    std::vector<Heard> Fresh;
    IdIndex FreshAt;                   // identity -> index in Fresh
    std::vector<uint64_t> FreshOrder;  // for Fold: key << 32 | index in Fresh
    std::unordered_set<uint32_t> LeftOut;
};

}  // namespace quor
