// Protocol sessions and signed frames.
#include <algorithm>
#include <array>

#include "link/Cipher.h"
#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

namespace {

// First 8 bytes of the CMAC over a frame's covered bytes, with the key already loaded.
std::array<uint8_t, 16> Sign(const uint8_t* data, size_t len)
{
    std::array<uint8_t, 16> tag;
    SharedCmac.Reset();
    SharedCmac.Update(data, len);
    SharedCmac.Final(tag.data());
    return tag;
}

}  // namespace

void UdpDev::OpenSession()
{
    if (Exchange(CmdSession, {}, SessionKey) != 16) {
        Fail(ErrSessionRefused, 0);
    }
    // The key never travels: it is the received block encrypted under itself.
    SharedAes128.SetKey(SessionKey.data());
    SharedAes128.Encrypt(SessionKey.data());
    SessionOpen = true;
    Counter = 0;
}

void UdpDev::EnsureSession()
{
    if (!Poll()) {
        Fail(ErrNoAnswer, 0);
    }
    if ((Mode & ModeSessionBit) && !SessionOpen) {
        Fail(ErrForeignSession, 0);
    }
    if (!SessionOpen) {
        OpenSession();
    }
}

// No reply in any attempt from a device that still answers its poll: it has
// most likely lost our session (it restarted, or another PC took it over) and
// ignores frames signed with our key. It is then met as a fresh look at it
// would meet it: a session nobody holds is opened again and the command, which
// the device never took, is sent once more; a session another party holds is
// code 4. A session of ours whose replies were only lost is opened anew, and
// the command is not repeated, since the device may have carried it out. One
// status attempt tells a device that is gone from one that ignores our frames,
// so a device that went silent costs one more wait only.
int UdpDev::SignedExchange(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result)
{
    const bool held = Alive && SessionOpen;
    if (const std::optional<int> m = TrySigned(cmd, payload, result)) {
        return *m;
    }
    // Keeping a session alive and closing it have no use for a new one.
    if (held && cmd != CmdKeepAlive && cmd != CmdClose && Poll(1)) {
        if (!SessionOpen) {
            OpenSession();
            if (const std::optional<int> m = TrySigned(cmd, payload, result)) {
                return *m;
            }
        } else if (!ReopenSession()) {
            Fail(ErrForeignSession, 0);
        }
    }
    Fail(ErrNoReply, cmd);
}

bool UdpDev::ReopenSession()
{
    SessionOpen = false;
    try {
        OpenSession();
    } catch (const UErr& e) {
        if (e.Code != ErrSessionRefused) {
            throw;
        }
        return false;
    }
    return true;
}

std::optional<int> UdpDev::TrySigned(uint8_t cmd, std::span<const uint8_t> payload, std::span<uint8_t> result)
{
    std::array<uint8_t, MaxFrameLen> req;
    const size_t n = std::min(payload.size(), req.size() - SignedOverhead);
    SharedAes128.SetKey(SessionKey.data());
    std::copy_n("MMDC", 4, req.begin());
    Put32(&req[4], Id);
    req[10] = cmd;
    std::copy_n(payload.begin(), n, req.begin() + SignedHead);
    const std::span<const uint8_t> request(req.data(), n + SignedOverhead);

    std::array<uint8_t, 8192> reply;
    for (int attempt = Alive && SessionOpen ? 3 : 1; attempt > 0; --attempt) {
        Put16(&req[8], ++Counter);
        const auto tag = Sign(req.data(), SignedHead + n);
        std::copy_n(tag.begin(), SignatureLen, req.begin() + SignedHead + n);

        // The echo check also asks for a whole signed frame, but a command byte of 0
        // would switch it off; a short reply is then no reply.
        const int len = AwaitReply(request, cmd, reply);
        if (len < SignedOverhead) {
            continue;
        }
        const auto expected = Sign(reply.data(), len - SignatureLen);
        if (!SameSignature(expected.data(), &reply[len - SignatureLen], SignatureLen)) {
            Fail(ErrSignature, cmd);
        }
        const int m = len - SignedOverhead;
        std::copy_n(reply.begin() + SignedHead, std::min<size_t>(m, result.size()), result.begin());
        if (m > static_cast<int>(result.size())) {
            Fail(ErrReplyTooLong, cmd);
        }
        return m;
    }
    return std::nullopt;
}

void UdpDev::SignedCommand(uint8_t cmd, std::span<const uint8_t> payload)
{
    std::array<uint8_t, 1> ack{};
    if (SignedExchange(cmd, payload, ack) != 1 || ack[0] != AckByte) {
        Fail(ErrNoAck, cmd);
    }
}

void UdpDev::KeepAlive()
{
    if (!Alive || !SessionOpen || !Poll()) {
        return;
    }
    if (SessionOpen) {
        SignedCommand(CmdKeepAlive, {});
    }
}

void UdpDev::CloseSession()
{
    if (!Alive || !SessionOpen || !Poll()) {
        return;
    }
    if (SessionOpen) {
        SignedCommand(CmdClose, {});
    }
    SessionOpen = false;
}

}  // namespace quor
