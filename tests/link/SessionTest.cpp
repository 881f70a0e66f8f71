// Sessions, signed commands, the controller command set and their errors.
#include "LanFixture.h"
#include "link/Cipher.h"
#include "sim/EmuDevice.h"
#include "tests/support/Raised.h"

namespace quor::test {
namespace {

using sim::Fault;

constexpr uint32_t DevId = 0x212D3039;  // K01_12345
const std::string DevIp = "10.45.1.1";

class Session : public LanTest {
protected:
    void SetUp() override { Lan.Attach(DevIp, Emu); }

    // The command letters sent to the device since `mark`.
    std::string Sent(size_t mark = 0) const { return Commands(Lan, DevIp, mark); }
    size_t Mark() const { return Lan.Trace.size(); }
    // The counter of the last signed frame sent to the device.
    uint16_t LastCounter() const
    {
        const auto frames = Lan.SentTo(DevIp);
        return static_cast<uint16_t>(frames.back().Data[8] | frames.back().Data[9] << 8);
    }
    sim::EmuController Emu{DevId, 2};
    UdpDev Dev{Pc, DevId, ParseIp(DevIp), 2, 2};
};

TEST_F(Session, OpenDerivesTheKeyAndCountsFrames)
{
    std::array<uint8_t, 16> r;
    for (int i = 0; i < 16; ++i) {
        r[i] = static_cast<uint8_t>(0xA0 + i);
    }
    Emu.Random = [&] { return r; };
    Dev.EnsureSession();
    EXPECT_EQ(Sent(), "OK");
    EXPECT_TRUE(Dev.SessionOpen);
    EXPECT_EQ(Dev.Counter, 0);
    AES128 aes;
    aes.SetKey(r.data());
    aes.Encrypt(r.data());
    EXPECT_EQ(Dev.SessionKey, r);

    Dev.KeepAlive();
    EXPECT_EQ(Sent(), "OKOS");
    EXPECT_EQ(LastCounter(), 1);

    // A dropped reply costs an attempt; each attempt is a new frame with the next counter.
    Emu.Inject(Fault::DropReply, CmdKeepAlive, 2);
    const size_t mark = Mark();
    Dev.SignedCommand(CmdKeepAlive, {});
    EXPECT_EQ(Sent(mark), "SSS");
    EXPECT_EQ(LastCounter(), 4);

    // An open session is not opened again.
    Dev.EnsureSession();
    EXPECT_EQ(Sent(mark), "SSSO");
}

TEST_F(Session, CounterWraps)
{
    Dev.EnsureSession();
    Dev.Counter = 0xFFFF;
    Dev.SignedCommand(CmdKeepAlive, {});
    EXPECT_EQ(LastCounter(), 0);
    EXPECT_EQ(Dev.Counter, 0);
}

TEST_F(Session, ADroppedDeviceSessionIsOpenedAnew)
{
    Dev.EnsureSession();
    const auto firstKey = Dev.SessionKey;
    Lan.Clock.Ms += Emu.SessionLapseMs + 1000;  // the device lets it lapse
    Dev.EnsureSession();
    EXPECT_EQ(Sent(), "OKOK");
    EXPECT_NE(Dev.SessionKey, firstKey);
    Dev.SignedCommand(CmdKeepAlive, {});
}

TEST_F(Session, EnsureSessionErrors)
{
    Emu.HoldForeignSession(Now());
    UErr e = Raised([&] { Dev.EnsureSession(); });
    EXPECT_EQ(e.Code, 4);
    EXPECT_EQ(e.Cmd, 0);
    ASSERT_TRUE(e.Dev);
    EXPECT_EQ(e.Dev->Id, Dev.Id);
    EXPECT_EQ(Sent(), "O");  // no session request

    Lan.Detach(DevIp);
    e = Raised([&] { Dev.EnsureSession(); });
    EXPECT_EQ(e.Code, 1);
    EXPECT_EQ(e.Cmd, 0);
}

TEST_F(Session, RefusedSessionRaisesFive)
{
    Emu.Inject(Fault::DropReply, CmdSession, -1);
    const UErr e = Raised([&] { Dev.OpenSession(); });
    EXPECT_EQ(e.Code, 5);
    EXPECT_EQ(e.Cmd, 0);
    EXPECT_FALSE(Dev.SessionOpen);
    EXPECT_EQ(Sent(), "KKK");
}

TEST_F(Session, SignedExchangeErrors)
{
    Dev.EnsureSession();
    struct Case {
        Fault fault;
        int count;
        int code;
        const char* sent;
    };
    const Case cases[] = {
        {Fault::BadSignature, 1, 6, "S"},  // at once, although attempts remain
        {Fault::DropReply, -1, 9, "SSS"},
        {Fault::BadEcho, -1, 9, "SSS"},  // a reply to another command is no reply
        {Fault::LongReply, 1, 7, "S"},   // a 2-byte acknowledgement is too long, not wrong
        {Fault::BadAck, 1, 10, "S"},
    };
    for (const Case& c : cases) {
        Emu.ClearFaults();
        Emu.Inject(c.fault, CmdKeepAlive, c.count);
        const size_t mark = Mark();
        const UErr e = Raised([&] { Dev.SignedCommand(CmdKeepAlive, {}); });
        EXPECT_EQ(e.Code, c.code) << static_cast<int>(c.fault);
        EXPECT_EQ(e.Cmd, CmdKeepAlive);
        EXPECT_EQ(Sent(mark), c.sent) << static_cast<int>(c.fault);
        EXPECT_TRUE(Dev.SessionOpen);  // no error ends the session here
    }
}

TEST_F(Session, SilentDeviceTimesAndAttempts)
{
    Dev.EnsureSession();
    Emu.Inject(Fault::DropReply, 0, -1);
    int64_t start = Now();
    EXPECT_EQ(Raised([&] { Dev.SignedCommand(CmdKeepAlive, {}); }).Code, 9);
    EXPECT_EQ(Now() - start, 1200);  // 400 per attempt

    Dev.Alive = false;  // a device that missed its poll gets one attempt
    start = Now();
    EXPECT_EQ(Raised([&] { Dev.SignedCommand(CmdKeepAlive, {}); }).Code, 9);
    EXPECT_EQ(Now() - start, 400);
}

TEST_F(Session, CapacityZeroAndAOneBytePayloadIsTooLong)
{
    Dev.EnsureSession();
    const UErr e = Raised([&] { Dev.SignedExchange(CmdKeepAlive, {}, {}); });
    EXPECT_EQ(e.Code, 7);
}

TEST_F(Session, KeepAliveAndClose)
{
    Dev.KeepAlive();  // no session: no traffic
    EXPECT_EQ(Sent(), "");

    Dev.EnsureSession();
    Lan.Clock.Ms += Emu.SessionLapseMs + 1000;
    size_t mark = Mark();
    Dev.KeepAlive();  // the poll finds the session gone
    EXPECT_EQ(Sent(mark), "O");
    EXPECT_FALSE(Dev.SessionOpen);

    Dev.EnsureSession();
    mark = Mark();
    Dev.CloseSession();
    EXPECT_EQ(Sent(mark), "Os");
    EXPECT_FALSE(Dev.SessionOpen);
    EXPECT_FALSE(Emu.SessionLive(Now()));

    Dev.EnsureSession();
    Lan.Detach(DevIp);
    Dev.CloseSession();  // the poll fails: nothing sent, the session stays ours
    EXPECT_TRUE(Dev.SessionOpen);
}

TEST_F(Session, DestroyingARecordClosesItsSessionOnce)
{
    {
        UdpDev dev(Pc, DevId, ParseIp(DevIp), 2, 2);
        dev.EnsureSession();
        UdpDev moved(std::move(dev));  // a move hands the session over
    }
    EXPECT_EQ(Sent(), "OKOs");

    // An error while closing never escapes the destructor.
    {
        UdpDev dev(Pc, DevId, ParseIp(DevIp), 2, 2);
        dev.EnsureSession();
        Emu.Inject(Fault::BadAck, CmdClose, 1);
    }
    EXPECT_EQ(Sent(), "OKOsOKOs");
}

class Controller : public Session {};

TEST_F(Controller, ReadBusTableNeedsAnOpenMode)
{
    Emu.BusTable = HexBytes("00 00 21 10 00 00");
    BlockArea area;
    Emu.Mode = 1;
    Dev.Mode = 1;
    EXPECT_EQ(Dev.ReadBusTable(area), 0);
    EXPECT_EQ(Sent(), "");

    Emu.Mode = 2;
    Dev.Mode = 2;
    EXPECT_EQ(Dev.ReadBusTable(area), 6);
    EXPECT_EQ(Sent(), "OKD");
    EXPECT_EQ(HexText(std::span(area).first(6)), "00 00 21 10 00 00");
}

TEST_F(Controller, TryReadBusTableSendsNothingWhenItMayNot)
{
    Emu.BusTable = HexBytes("00 00 21 10 00 00");
    BlockArea area;
    Dev.Version = 1;
    EXPECT_FALSE(Dev.TryReadBusTable(area));
    Dev.Version = 2;
    Dev.Mode = 0x82;  // somebody else's session
    EXPECT_FALSE(Dev.TryReadBusTable(area));
    EXPECT_EQ(Sent(), "");

    Dev.Mode = 2;
    int length = 0;
    EXPECT_TRUE(Dev.TryReadBusTable(area, &length));
    EXPECT_EQ(length, 6);
    EXPECT_EQ(Sent(), "KD");  // no poll first
}

TEST_F(Controller, BlocksOnTheWire)
{
    Dev.EnsureSession();
    Bytes block(MaxBlockLen, 0x5A);
    Dev.WriteBlock(1, 2, block);
    const auto frames = Lan.SentTo(DevIp);
    EXPECT_EQ(frames.back().Data.size(), 1419u);
    ASSERT_EQ(Emu.Writes.size(), 1u);
    EXPECT_EQ(std::get<0>(Emu.Writes[0]), 1);
    EXPECT_EQ(std::get<1>(Emu.Writes[0]), 2);
    EXPECT_EQ(std::get<2>(Emu.Writes[0]), block);

    BlockArea area;
    Emu.Blocks[{16, 0}] = HexBytes("10 00 00 00 00 00 00 01 2A 00 FF FF FF FF FF FF");
    EXPECT_EQ(Dev.ReadBlock(16, 0, area), 16);
    EXPECT_EQ(area[8], 0x2A);
    EXPECT_EQ(HexText(std::span(frames.back().Data).subspan(11, 2)), "01 02");

    Emu.Blocks[{1, 0}] = Bytes(1401, 0);
    EXPECT_EQ(Raised([&] { Dev.ReadBlock(1, 0, area); }).Code, 7);

    EXPECT_THROW(Dev.WriteBlock(1, 0, Bytes(MaxBlockLen + 1)), std::length_error);
}

TEST_F(Controller, MaintenanceCommands)
{
    Dev.ReplaceDevice(0x0C05);
    EXPECT_EQ(Sent(), "OKR");
    const auto frames = Lan.SentTo(DevIp);
    EXPECT_EQ(HexText(std::span(frames.back().Data).subspan(11, 2)), "05 0C");
    Dev.DeleteLost();
    EXPECT_EQ(Sent(), "OKROF");
    EXPECT_EQ(Emu.DeleteLostCount, 1);
}

}  // namespace
}  // namespace quor::test
