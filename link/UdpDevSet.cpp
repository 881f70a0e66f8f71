// The table of devices found on the LAN: search, late replies, merging.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "link/Crc32.h"
#include "link/DevId.h"
#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

namespace {

constexpr int StatusReplyLen = 28;

// The CRC of a time announcement, "MMDT", identity, time, without running
// the register through each byte: a search sends one to every device it
// finds. The CRC is linear, so it is that of the frame with the identity
// zeroed, the same for every announcement of one second, XOR each identity
// byte's share, the CRC from 0 of that byte followed by the rest of the
// frame as zeros.
uint32_t AnnouncementCrc(const std::array<uint8_t, 16>& frame)
{
    static const auto shares = [] {
        std::array<std::array<uint32_t, 256>, 4> table;
        for (size_t at = 0; at < 4; ++at) {
            for (uint32_t b = 0; b < 256; ++b) {
                std::array<uint8_t, 8> bytes{};
                bytes[at] = static_cast<uint8_t>(b);
                table[at][b] = Crc32(bytes.data(), bytes.size(), 0);
            }
        }
        return table;
    }();
    thread_local uint32_t secondCrc = 0;
    thread_local uint32_t second = 0;
    thread_local bool known = false;
    if (const uint32_t utc = Get32(&frame[8]); !known || utc != second) {
        std::array<uint8_t, 12> zeroed{'M', 'M', 'D', 'T', 0, 0, 0, 0};
        std::copy_n(&frame[8], 4, &zeroed[8]);
        secondCrc = Crc32(zeroed.data(), zeroed.size(), CrcInit);
        second = utc;
        known = true;
    }
    return secondCrc ^ shares[0][frame[4]] ^ shares[1][frame[5]] ^ shares[2][frame[6]] ^ shares[3][frame[7]];
}

void SendTime(Endpoint& udp, std::string_view ip, uint32_t id)
{
    std::array<uint8_t, 16> frame;
    std::copy_n("MMDT", 4, frame.begin());
    Put32(&frame[4], id);
    Put32(&frame[8], udp.Time().UtcSeconds());
    Put32(&frame[12], AnnouncementCrc(frame));
    udp.Send(ip, QuorPort, frame);
}

bool IsStatusReply(std::span<const uint8_t> d)
{
    if (d.size() != StatusReplyLen || !std::equal(d.begin(), d.begin() + 4, "MMDO")) {
        return false;
    }
    const uint32_t id = Get32(&d[4]);
    return Crc32(d.data(), 24, CrcInit) == Get32(&d[24]) && id != AllDevices && DevId(id).StandardName();
}

}  // namespace

void UdpDevSet::Search()
{
    LeftOut.clear();
    Udp->ReserveReceive(std::max(Capacity, RepliesHeld) * ReceiveBytesPerReply);
    std::array<uint8_t, 12> request;
    std::copy_n("MMDO", 4, request.begin());
    Put32(&request[4], AllDevices);
    Put32(&request[8], Crc32(request.data(), 8, CrcInit));
    for (int pass = 0; pass < 3; ++pass) {
        const bool meanwhile = SendPass(request);
        if (CollectReplies(200) || meanwhile) {
            return;
        }
    }
}

bool UdpDevSet::SendPass(std::span<const uint8_t> request)
{
    bool merged = false;
    // An address the system cannot take now is skipped: the next pass asks it again.
    if (Scope.Broadcast) {
        merged |= ReadUntilDue();
        LastSendUs = Udp->Time().NowUs();
        Udp->TryBroadcast(QuorPort, request);
    }
    for (uint32_t ip : Scope.Targets) {
        merged |= ReadUntilDue();
        LastSendUs = Udp->Time().NowUs();
        Udp->TrySend(IpText(ip), QuorPort, request);
    }
    Fold();
    return merged;
}

// Until the next request is due, takes in the replies already there and
// waits for the rest of the gap: the replies of a long pass never pile up
// in the endpoint's queue, and a pass costs its gaps.
bool UdpDevSet::ReadUntilDue()
{
    bool merged = false;
    if (LastSendUs < 0) {
        return merged;
    }
    Clock& clock = Udp->Time();
    const int64_t due = LastSendUs + SendGapUs;
    for (int64_t now = clock.NowUs(); now < due; now = clock.NowUs()) {
        if (!TakeReply(0, merged)) {
            clock.PauseUs(due - now);
        }
    }
    return merged;
}

bool UdpDevSet::CollectReplies(int waitMs)
{
    bool result = false;
    Clock& clock = Udp->Time();
    const int64_t start = clock.NowMs();
    // A stream of datagrams may never fall silent; stop taking them in after a while.
    while (clock.NowMs() - start < CollectLimitMs && TakeReply(waitMs, result)) {
    }
    Fold();
    return result;
}

// Receives one datagram and merges it when it is a status reply; false when
// none came within the wait.
bool UdpDevSet::TakeReply(int waitMs, bool& merged)
{
    // A longer datagram is cut to this size, which is no status reply's length either.
    std::array<uint8_t, StatusReplyLen + 1> buf;
    const int len = Udp->Receive(buf, waitMs, &Sender);
    if (len == 0) {
        return false;
    }
    const std::span<const uint8_t> d(buf.data(), len);
    if (!IsStatusReply(d)) {
        return true;
    }
    const uint32_t id = Get32(&d[4]);
    if (Stage(id, ParseIp(Sender), d[11] - 0x30, d[10])) {
        merged = true;
        SendTime(*Udp, Sender, id);
    }
    return true;
}

bool UdpDevSet::Merge(uint32_t id, uint32_t ip, int32_t version, uint16_t mode)
{
    const bool result = Stage(id, ip, version, mode);
    Fold();
    return result;
}

namespace {

// For a listed record and for one waiting in Fresh alike.
template <typename Record> bool Update(Record& d, uint32_t ip, int32_t version, uint16_t mode)
{
    const bool differs = d.Mode != mode || d.Ip != ip || d.Version != version;
    d.Mode = mode;
    d.Ip = ip;
    d.Version = version;
    return differs;
}

uint32_t KeyOf(const UdpDev& d)
{
    return DevId(d.Id).OrderKey();
}

}  // namespace

bool UdpDevSet::Stage(uint32_t id, uint32_t ip, int32_t version, uint16_t mode)
{
    // The same identity has the same key: it can only be among the entries of that key.
    const uint32_t key = DevId(id).OrderKey();
    const auto listed = Dev.begin() + Count;
    const auto first =
        std::partition_point(Dev.begin(), listed, [key](const UdpDev& d) { return KeyOf(d) < key; });
    for (auto d = first; d != listed && KeyOf(*d) == key; ++d) {
        if (d->Id == id) {
            return Update(*d, ip, version, mode);
        }
    }
    if (const int waiting = FreshAt.Find(id); waiting >= 0) {
        return Update(Fresh[waiting], ip, version, mode);
    }
    if (Count + static_cast<int>(Fresh.size()) >= Capacity) {
        LeftOut.insert(id);
        return false;
    }
    FreshAt.Add(id, static_cast<int>(Fresh.size()));
    Fresh.push_back({id, ip, version, mode});
    return true;
}

void UdpDevSet::Fold()
{
    if (Fresh.empty()) {
        return;
    }
    // A new device goes after every entry of a lower or the same key: entries
    // of one key keep the order in which they were found. The records are
    // ordered through their keys; a listed one moves once and a new one is
    // made once, each straight in its place.
    FreshOrder.clear();
    for (size_t i = 0; i < Fresh.size(); ++i) {
        FreshOrder.push_back(uint64_t{DevId(Fresh[i].Id).OrderKey()} << 32 | i);
    }
    std::sort(FreshOrder.begin(), FreshOrder.end());
    const bool selectedListed = Selected >= 0 && Selected < Count;
    const uint32_t selectedId = selectedListed ? Dev[Selected].Id : 0;
    const int added = static_cast<int>(Fresh.size());
    int from = Count - 1;
    int to = Count + added - 1;
    for (int fresh = added - 1; fresh >= 0; --to) {
        const uint64_t next = FreshOrder[fresh];
        if (from >= 0 && KeyOf(Dev[from]) > next >> 32) {
            Dev[to] = std::move(Dev[from--]);
        } else {
            const Heard& h = Fresh[static_cast<uint32_t>(next)];
            Dev[to] = UdpDev(*Udp, h.Id, h.Ip, h.Version, h.Mode);
            --fresh;
        }
    }
    Count += added;
    Fresh.clear();
    FreshAt.Clear();
    if (selectedListed) {
        while (Dev[Selected].Id != selectedId) {
            ++Selected;
        }
    } else if (Selected >= 0) {
        Selected += added;  // past the entries in use: every new one went before it
    }
}

}  // namespace quor
