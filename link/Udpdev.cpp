// Datagram exchange, status poll, sessions and the controller commands of one device.
#include "link/Udpdev.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "link/Cipher.h"
#include "link/Crc32.h"
#include "link/Frame.h"

namespace quor {

UdpDev::~UdpDev()
{
    if (!SessionOpen) {
        return;  // as most records: moved from, or never in a session
    }
    try {
        CloseSession();
    } catch (...) {
        // The program is ending; the device lets the session lapse on its own.
    }
}

void UdpDev::Fail(int code, uint8_t cmd)
{
    throw UErr{this, code, cmd};
}

int UdpDev::AwaitReply(std::span<const uint8_t> request, uint8_t echoCmd, std::span<uint8_t> buf)
{
    Udp->Send(IpText(), QuorPort, request);
    Clock& clock = Udp->Time();
    const int64_t start = clock.NowMs();
    for (;;) {
        // Every receive waits its full time, even past the window: a reply that
        // comes while it waits is still the device's answer.
        const int len = Udp->Receive(buf, ReceiveWaitMs);
        if (len == 0) {
            if (clock.NowMs() - start >= ReplyWindowMs) {
                return 0;
            }
            continue;
        }
        bool match = len >= PlainOverhead && std::equal(buf.begin(), buf.begin() + 4, request.begin()) &&
                     Get32(&buf[4]) == Id;
        if (match && echoCmd != 0) {
            match = len >= SignedOverhead && buf[10] == (echoCmd | 0x80);
        }
        if (match) {
            return len;
        }
        // Datagrams that match nothing may keep coming; they must not hold the caller for long.
        if (clock.NowMs() - start >= AwaitLimitMs) {
            return 0;
        }
    }
}

int UdpDev::Exchange(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result, int attempts)
{
    std::array<uint8_t, MaxFrameLen> req;
    const size_t n = std::min(payload.size(), req.size() - PlainOverhead);
    std::copy_n("MMD", 3, req.begin());
    req[3] = cmd;
    Put32(&req[4], Id);
    std::copy_n(payload.begin(), n, req.begin() + 8);
    Put32(&req[8 + n], Crc32(req.data(), 8 + n, CrcInit));
    const std::span<const uint8_t> request(req.data(), n + PlainOverhead);

    std::array<uint8_t, 8192> reply;
    for (int attempt = attempts > 0 ? attempts : Alive ? 3 : 1; attempt > 0; --attempt) {
        const int len = AwaitReply(request, 0, reply);
        if (len == 0 || Crc32(reply.data(), len - 4, CrcInit) != Get32(&reply[len - 4])) {
            continue;
        }
        const int m = len - PlainOverhead;
        std::copy_n(reply.begin() + 8, std::min<size_t>(m, result.size()), result.begin());
        return m;
    }
    return 0;
}

bool UdpDev::Poll(int attempts)
{
    Changed = false;
    std::array<uint8_t, 16> status{};
    int len = 0;
    try {
        len = Exchange(CmdStatus, {}, status, attempts);
    } catch (const std::system_error&) {
        // The endpoint could not send or receive: the device is out of reach
        // as surely as a silent one, and its record says so before the
        // failure goes on to the caller.
        Changed = Alive;
        Alive = false;
        throw;
    }
    if (len != 16 || status[3] < '1' || status[3] > '9') {
        Changed = Alive;
        Alive = false;
        return false;
    }
    if (!Alive) {
        Changed = true;
    }
    Alive = true;
    if (Mode != status[2]) {
        Changed = true;
        Mode = status[2];
    }
    if (!(Mode & ModeSessionBit)) {
        SessionOpen = false;
    }
    return true;
}

}  // namespace quor
