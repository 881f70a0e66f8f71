// The table of devices found on the LAN: search, late replies, merging.
#include <algorithm>
#include <array>
#include <string>

#include "link/Crc32.h"
#include "link/DevId.h"
#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

namespace {

constexpr int StatusReplyLen = 28;

void SendTime(Endpoint& udp, const std::string& ip, uint32_t id)
{
    std::array<uint8_t, 16> frame;
    std::copy_n("MMDT", 4, frame.begin());
    Put32(&frame[4], id);
    Put32(&frame[8], udp.Time().UtcSeconds());
    Put32(&frame[12], Crc32(frame.data(), 12, CrcInit));
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
    std::array<uint8_t, 12> request;
    std::copy_n("MMDO", 4, request.begin());
    Put32(&request[4], AllDevices);
    Put32(&request[8], Crc32(request.data(), 8, CrcInit));
    for (int pass = 0; pass < 3; ++pass) {
        if (Scope.Broadcast) {
            Paced();
            Udp->Broadcast(QuorPort, request);
        }
        for (uint32_t ip : Scope.Targets) {
            Paced();
            Udp->Send(IpText(ip), QuorPort, request);
        }
        if (CollectReplies(200)) {
            return;
        }
    }
}

void UdpDevSet::Paced()
{
    Clock& clock = Udp->Time();
    const int64_t since = clock.NowUs() - LastSendUs;
    if (LastSendUs >= 0 && since < SendGapUs) {
        clock.PauseUs(SendGapUs - since);
    }
    LastSendUs = clock.NowUs();
}

bool UdpDevSet::CollectReplies(int waitMs)
{
    bool result = false;
    std::array<uint8_t, 8192> buf;
    std::string sender;
    Clock& clock = Udp->Time();
    const int64_t start = clock.NowMs();
    // A stream of datagrams may never fall silent; stop taking them in after a while.
    while (clock.NowMs() - start < CollectLimitMs) {
        const int len = Udp->Receive(buf, waitMs, &sender);
        if (len == 0) {
            break;
        }
        const std::span<const uint8_t> d(buf.data(), len);
        if (!IsStatusReply(d)) {
            continue;
        }
        const uint32_t id = Get32(&d[4]);
        if (Merge(id, ParseIp(sender), d[11] - 0x30, d[10])) {
            result = true;
            SendTime(*Udp, sender, id);
        }
    }
    return result;
}

bool UdpDevSet::Merge(uint32_t id, uint32_t ip, int32_t version, uint16_t mode)
{
    int at = Count;
    for (int i = 0; i < Count; ++i) {
        UdpDev& d = Dev[i];
        if (d.Id == id) {
            const bool differs = d.Mode != mode || d.Ip != ip || d.Version != version;
            d.Mode = mode;
            d.Ip = ip;
            d.Version = version;
            return differs;
        }
        if (at == Count && DevId(d.Id).OrderKey() > DevId(id).OrderKey()) {
            at = i;
        }
    }
    if (Count >= Capacity) {
        return false;
    }
    std::move_backward(Dev.begin() + at, Dev.begin() + Count, Dev.begin() + Count + 1);
    Dev[at] = UdpDev(*Udp, id, ip, version, mode);
    if (at <= Selected) {
        ++Selected;
    }
    ++Count;
    return true;
}

}  // namespace quor
