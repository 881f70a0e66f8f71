// Sessions and signed commands of an emulated controller, checked with the
// configurator's half built on OpenSSL (tests/sim/SimOracle.h).

#include <gtest/gtest.h>

#include <functional>

#include "sim/EmuDevice.h"
#include "tests/sim/SimOracle.h"

namespace quor::sim {
namespace {

using test::Bytes;
using test::CrcHolds;
using test::HexBytes;
using test::HexText;

constexpr uint32_t ControllerId = 0x212D3039;  // K01_12345
const char* const Pc = "10.45.0.1";
const char* const OtherPc = "10.45.0.2";
const char* const SessionRequest = "4D 4D 44 4B 39 30 2D 21 29 A2 35 3C";
const char* const PollRequest = "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1C";
// The reply to a refused session request: the request's bytes, payload empty.
const char* const RefusedSession = "4D 4D 44 4B 39 30 2D 21 29 A2 35 3C";

class EmuSession : public ::testing::Test {
protected:
    EmuSession() : Device(ControllerId, 2)
    {
        Device.Random = [] {
            std::array<uint8_t, 16> bytes{};
            for (int i = 0; i < 16; ++i)
                bytes[i] = static_cast<uint8_t>(i);
            return bytes;
        };
        Peer.Id = ControllerId;
    }

    std::vector<Bytes> Send(const Bytes& frame, int64_t nowMs = 0, const char* from = Pc)
    {
        return Device.Handle(frame, from, nowMs);
    }

    // Opens a session and gives the peer its key, derived by OpenSSL.
    void Open(int64_t nowMs = 0)
    {
        const auto replies = Send(HexBytes(SessionRequest), nowMs);
        ASSERT_EQ(replies.size(), 1u);
        ASSERT_EQ(replies[0].size(), 28u);
        test::Block16 sessionBytes{};
        std::copy_n(replies[0].begin() + 8, 16, sessionBytes.begin());
        Peer.Key = test::OracleAes(sessionBytes, sessionBytes);
        Peer.Counter = 0;
    }

    uint8_t ModeSeenBy(const char* from, int64_t nowMs)
    {
        const auto replies = Send(HexBytes(PollRequest), nowMs, from);
        return replies.size() == 1 && replies[0].size() == 28 ? replies[0][10] : 0xEE;
    }

    // The payload of the one signed reply to cmd; throws when there is none or it does not verify.
    Bytes Command(uint8_t cmd, const Bytes& payload = {}, int64_t nowMs = 0)
    {
        const auto replies = Send(Peer.Request(cmd, payload), nowMs);
        if (replies.size() != 1)
            throw std::runtime_error("no reply");
        return Peer.Payload(replies[0], cmd);
    }

    EmuController Device;
    test::OraclePeer Peer;
};

TEST_F(EmuSession, KeyIsTheSessionBytesEncryptedUnderThemselves)
{
    EXPECT_EQ(HexText(Send(HexBytes(SessionRequest)).at(0)),
              "4D 4D 44 4B 39 30 2D 21 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F A6 1F D6 48");
    const test::Block16 r = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const auto expected = test::OracleAes(r, r);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), Device.SessionKey.begin()));
    EXPECT_EQ(Device.SessionPeer, Pc);
    EXPECT_EQ(ModeSeenBy(OtherPc, 1), 0x82);  // bit 7 while the session is live
}

TEST_F(EmuSession, SignedKeepAliveIsAcknowledgedUnderTheDevicesOwnCounter)
{
    Open();
    for (const char* counter : {"01 00", "02 00"}) {
        const auto replies = Send(Peer.Request('S'));
        ASSERT_EQ(replies.size(), 1u);
        const std::string head = "4D 4D 44 43 39 30 2D 21 " + std::string(counter) + " D3 06";
        EXPECT_EQ(HexText(replies[0]).substr(0, head.size()), head);
        EXPECT_EQ(replies[0].size(), 20u);
        EXPECT_TRUE(Peer.SignatureHolds(replies[0]));
    }
    EXPECT_EQ(Device.Received['S'], 2);
}

TEST_F(EmuSession, UntrustedSignedFramesAreIgnored)
{
    Open();
    Bytes flipped = Peer.Request('S');
    flipped.back() ^= 0x01;
    EXPECT_TRUE(Send(flipped).empty());
    EXPECT_TRUE(Send(Peer.Request('S'), 0, OtherPc).empty());  // right key, wrong peer
    Bytes otherId = Peer.Request('S');
    otherId[4] ^= 0x01;
    EXPECT_TRUE(Send(otherId).empty());
    EXPECT_EQ(Device.Received.count('S'), 0u);
    EXPECT_EQ(Command('S'), HexBytes("06"));  // the session itself is unharmed
}

TEST_F(EmuSession, SessionLapsesThirtySecondsAfterThePeersLastDatagram)
{
    Open(0);
    EXPECT_EQ(Command('S', {}, 20000), HexBytes("06"));  // refreshes
    EXPECT_EQ(ModeSeenBy(OtherPc, 49999), 0x82);
    EXPECT_EQ(ModeSeenBy(OtherPc, 50000), 0x02);
    EXPECT_TRUE(Send(Peer.Request('S'), 50001).empty());
    EXPECT_TRUE(Device.SessionPeer.empty());
}

TEST_F(EmuSession, ForeignSessionRefusesUntilItLapses)
{
    Device.HoldForeignSession(0);
    EXPECT_EQ(ModeSeenBy(Pc, 10), 0x82);
    EXPECT_EQ(HexText(Send(HexBytes(SessionRequest), 20).at(0)), RefusedSession);
    EXPECT_EQ(Device.SessionPeer, "10.45.9.9");
    EXPECT_EQ(Send(HexBytes(SessionRequest), 30000).at(0).size(), 28u);
    EXPECT_EQ(Device.SessionPeer, Pc);
}

TEST_F(EmuSession, CloseAcknowledgesAndEndsTheSession)
{
    Open();
    EXPECT_EQ(Command('s'), HexBytes("06"));
    EXPECT_EQ(ModeSeenBy(OtherPc, 1), 0x02);
    EXPECT_TRUE(Send(Peer.Request('S'), 2).empty());
}

struct ModeCase {
    uint8_t Mode;
    uint8_t Cmd;
    const char* Payload;
    const char* Reply;
};

// Blokada (0) and Konfiguracja (1) keep the configuration closed: reads come
// back empty, changes get the byte 15. Keep-alive works in every mode.
const ModeCase ModeCases[] = {
    {0, 'D', "", ""},
    {1, 'D', "", ""},
    {1, 'C', "01 00", ""},
    {1, 'c', "09 00 AA", "15"},
    {1, 'F', "", "15"},
    {1, 'R', "05 0C", "15"},
    {0, 'S', "", "06"},
    {2, 'D', "", "00 00 21 00 00 00"},
    {3, 'C', "01 00", "01 02 03"},
    {2, 'C', "01 01", ""},
    {2, 'c', "09 00 AA BB", "06"},
    {2, 'F', "", "06"},
    {3, 'R', "05 0C", "06"},
};

TEST_F(EmuSession, ModesDecideWhatTheConfigurationCommandsDo)
{
    for (const auto& c : ModeCases) {
        Device = EmuController(ControllerId, c.Mode);
        Device.BusTable = HexBytes("00 00 21 00 00 00");
        Device.Blocks[{1, 0}] = HexBytes("01 02 03");
        Open();
        const std::string where = std::string("mode ") + char('0' + c.Mode) + " cmd " + char(c.Cmd);
        EXPECT_EQ(HexText(Command(c.Cmd, HexBytes(c.Payload))), c.Reply) << where;
        const bool accepted = std::string(c.Reply) == "06";
        EXPECT_EQ(Device.Writes.size(), accepted && c.Cmd == 'c' ? 1u : 0u) << where;
        EXPECT_EQ(Device.DeleteLostCount, accepted && c.Cmd == 'F' ? 1 : 0) << where;
        EXPECT_EQ(Device.Replacements.size(), accepted && c.Cmd == 'R' ? 1u : 0u) << where;
    }
    EXPECT_EQ(Device.Replacements.at(0), 0x0C05);
}

TEST_F(EmuSession, WrittenOpaqueBlockIsReadBackAsGiven)
{
    Open();
    EXPECT_EQ(Command('c', HexBytes("09 00 AA BB")), HexBytes("06"));
    EXPECT_EQ(Command('C', HexBytes("09 00")), HexBytes("AA BB"));
    ASSERT_EQ(Device.Writes.size(), 1u);
    EXPECT_EQ(std::get<2>(Device.Writes[0]), HexBytes("AA BB"));
}

struct FaultCase {
    const char* Name;
    Fault Kind;
    uint8_t Cmd;  // 'O' goes plain, the others signed
    std::function<bool(const Bytes& reply, const test::OraclePeer& peer)> Spoilt;
};

const FaultCase FaultCases[] = {
    {"DropReply", Fault::DropReply, 'S', nullptr},
    {"BadCrc", Fault::BadCrc, 'O', [](const Bytes& r, auto&) { return r.size() == 28 && !CrcHolds(r); }},
    {"LongReply plain", Fault::LongReply, 'O',
     [](const Bytes& r, auto&) { return r.size() == 29 && CrcHolds(r); }},
    {"BadSignature", Fault::BadSignature, 'S',
     [](const Bytes& r, const test::OraclePeer& p) {
         if (r.size() < 19)
             return false;
         const Bytes good = test::OracleSignature(p.Key, r.data(), r.size() - 8);
         int bitsOff = 0;
         for (size_t i = 0; i < 8; ++i)
             bitsOff += __builtin_popcount(good[i] ^ r[r.size() - 8 + i]);
         return bitsOff == 1;
     }},
    {"BadEcho", Fault::BadEcho, 'S',
     [](const Bytes& r, auto& p) { return r[10] == 'S' && p.SignatureHolds(r); }},
    {"BadAck", Fault::BadAck, 'S',
     [](const Bytes& r, auto& p) { return r.size() == 20 && r[11] == 0x15 && p.SignatureHolds(r); }},
    {"LongReply signed", Fault::LongReply, 'S',
     [](const Bytes& r, auto& p) { return r.size() == 21 && r[10] == 0xD3 && p.SignatureHolds(r); }},
    // Whole and valid, only held back (checked below).
    {"LateReply plain", Fault::LateReply, 'O',
     [](const Bytes& r, auto&) { return r.size() == 28 && CrcHolds(r); }},
    {"LateReply signed", Fault::LateReply, 'S',
     [](const Bytes& r, auto& p) {
         return r.size() == 20 && r[10] == 0xD3 && r[11] == 0x06 && p.SignatureHolds(r);
     }},
};

TEST_F(EmuSession, EachFaultSpoilsTheNextReplyOnly)
{
    for (const auto& c : FaultCases) {
        Device = EmuController(ControllerId, 2);
        Open();
        Device.Inject(c.Kind, c.Cmd);
        const auto send = [&] {
            return c.Cmd == 'O' ? Send(HexBytes(PollRequest)) : Send(Peer.Request(c.Cmd));
        };
        const auto spoilt = send();
        EXPECT_EQ(Device.ReplyDelayMs(), c.Kind == Fault::LateReply ? 350 : 0) << c.Name;
        if (c.Spoilt) {
            ASSERT_EQ(spoilt.size(), 1u) << c.Name;
            EXPECT_TRUE(c.Spoilt(spoilt[0], Peer)) << c.Name << ": " << HexText(spoilt[0]);
        } else {
            EXPECT_TRUE(spoilt.empty()) << c.Name;
        }
        const auto clean = send();
        EXPECT_EQ(Device.ReplyDelayMs(), 0) << c.Name;
        ASSERT_EQ(clean.size(), 1u) << c.Name;
        if (c.Cmd == 'O')
            EXPECT_TRUE(clean[0].size() == 28 && CrcHolds(clean[0])) << c.Name;
        else
            EXPECT_EQ(Peer.Payload(clean[0], c.Cmd), HexBytes("06")) << c.Name;
    }
}

TEST_F(EmuSession, FaultsKeepToTheirCommandAndCount)
{
    Open();
    Device.Inject(Fault::BadAck, 0, -1);
    EXPECT_EQ(Command('D'), Bytes{});  // an ack fault leaves other replies alone...
    EXPECT_EQ(Command('D'), Bytes{});  // ...and is not used up by them
    Device.Inject(Fault::DropReply, 'D', 2);
    EXPECT_TRUE(Send(Peer.Request('S')).size() == 1);  // a drop for D spares S
    EXPECT_TRUE(Send(Peer.Request('D')).empty());
    EXPECT_TRUE(Send(Peer.Request('D')).empty());
    EXPECT_EQ(Command('D'), Bytes{});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Command('S'), HexBytes("15"));
    Device.ClearFaults();
    EXPECT_EQ(Command('S'), HexBytes("06"));
}

TEST_F(EmuSession, AFaultCanSpareTheFirstReplies)
{
    Open();
    Device.Inject(Fault::BadAck, 'S', 1, 2);
    EXPECT_EQ(Command('S'), HexBytes("06"));
    EXPECT_EQ(Command('D'), Bytes{});  // other commands do not count
    EXPECT_EQ(Command('S'), HexBytes("06"));
    EXPECT_EQ(Command('S'), HexBytes("15"));
    EXPECT_EQ(Command('S'), HexBytes("06"));
}

}  // namespace
}  // namespace quor::sim
