// Network search, merging found devices, and the status poll.
#include <deque>
#include <set>
#include <string>

#include "LanFixture.h"
#include "sim/EmuDevice.h"

namespace quor::test {
namespace {

constexpr uint32_t Ident(uint32_t model, uint32_t serial)
{
    return 0x20000000 | model << 16 | serial;
}

class Search : public LanTest {
protected:
    UdpDevSet Set{Pc};
};

TEST_F(Search, MergeKeepsIdentityOrder)
{
    // Found in this order: (300, 1), (300, 5), (200, 9); then two identities that
    // differ only in the connection bits, which keep the order they were found in.
    const uint32_t found[] = {Ident(300, 1), Ident(300, 5), Ident(200, 9), Ident(300, 3) | 0x84000000,
                              Ident(300, 3) | 0x0C000000};
    for (uint32_t id : found) {
        EXPECT_TRUE(Set.Merge(id, 1, 2, 2));
    }
    const uint32_t expected[] = {Ident(200, 9), Ident(300, 1), Ident(300, 3) | 0x84000000,
                                 Ident(300, 3) | 0x0C000000, Ident(300, 5)};
    ASSERT_EQ(Set.Count, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Set.Dev[i].Id, expected[i]) << i;
        EXPECT_TRUE(Set.Dev[i].Alive);
    }
}

TEST_F(Search, MergeUpdatesAKnownDevice)
{
    Set.Merge(Ident(300, 1), 10, 2, 2);
    Set.Dev[0].Alive = false;
    EXPECT_FALSE(Set.Merge(Ident(300, 1), 10, 2, 2));
    EXPECT_TRUE(Set.Merge(Ident(300, 1), 11, 2, 3));
    EXPECT_EQ(Set.Count, 1);
    EXPECT_EQ(Set.Dev[0].Ip, 11u);
    EXPECT_EQ(Set.Dev[0].Mode, 3);
    EXPECT_FALSE(Set.Dev[0].Alive);  // left to the poll
}

TEST_F(Search, SelectedFollowsItsDevice)
{
    const struct {
        int selected;
        uint32_t serial;  // of the new device; existing serials are 10, 20, 30, 40
        int expected;
    } cases[] = {{2, 25, 3}, {2, 35, 2}, {2, 5, 3}, {-1, 5, -1}, {0, 5, 1}, {3, 45, 3}};
    for (const auto& c : cases) {
        UdpDevSet set(Pc);
        for (uint32_t serial : {10, 20, 30, 40}) {
            set.Merge(Ident(300, serial), 1, 2, 2);
        }
        set.Selected = c.selected;
        set.Merge(Ident(300, c.serial), 1, 2, 2);
        EXPECT_EQ(set.Selected, c.expected) << c.selected << " " << c.serial;
    }
}

TEST_F(Search, FullTableTakesNoNewDevice)
{
    for (uint32_t serial = 0; serial < 100; ++serial) {
        ASSERT_TRUE(Set.Merge(Ident(300, serial * 2), 1, 2, 2));
    }
    EXPECT_FALSE(Set.Merge(Ident(300, 1), 1, 2, 2));
    EXPECT_FALSE(Set.Merge(Ident(400, 1), 1, 2, 2));
    EXPECT_EQ(Set.Count, 100);
    EXPECT_TRUE(Set.Merge(Ident(300, 198), 1, 2, 3));
    EXPECT_EQ(Set.Dev[99].Mode, 3);
}

TEST_F(Search, FindsDevicesAndAnnouncesTheTime)
{
    sim::EmuController k1(Ident(301, 7), 2);
    sim::EmuController k2(Ident(301, 3), 3);
    sim::EmuDevice t1(Ident(125, 1), 1);
    Lan.Attach("10.45.1.1", k1);
    Lan.Attach("10.45.1.2", k2);
    Lan.Attach("10.45.1.3", t1);
    Set.Search();
    ASSERT_EQ(Set.Count, 3);
    EXPECT_EQ(Set.Dev[0].ListRow(), " T25_00001,  10.45.1.3,  Konfiguracja");
    EXPECT_EQ(Set.Dev[1].ListRow(), " K01_00003,  10.45.1.2,  Instalacja");
    EXPECT_EQ(Set.Dev[2].ListRow(), " K01_00007,  10.45.1.1,  Serwis");
    EXPECT_EQ(Set.Dev[2].Version, 2);
    for (const sim::EmuDevice* d :
         {static_cast<sim::EmuDevice*>(&k1), static_cast<sim::EmuDevice*>(&k2), &t1}) {
        EXPECT_EQ(d->TimeAnnouncements, 1);
        EXPECT_EQ(d->LastTime, Lan.Clock.Utc);  // sent within the first second
    }

    // Nothing changed: three passes, no announcement.
    const size_t mark = Lan.Trace.size();
    Set.Search();
    EXPECT_EQ(Commands(Lan, "255.255.255.255", mark), "OOO");
    EXPECT_EQ(k1.TimeAnnouncements, 1);

    // A changed mode is taken in and announced; the search stops after that pass.
    k1.Mode = 3;
    const size_t mark2 = Lan.Trace.size();
    Set.Search();
    EXPECT_EQ(Commands(Lan, "255.255.255.255", mark2), "O");
    EXPECT_EQ(k1.TimeAnnouncements, 2);
    EXPECT_EQ(Set.Dev[2].Mode, 3);
}

TEST_F(Search, AnnouncesTheTimeInFramesWithTheirCrc)
{
    // One search after another, the second of each differing from the last
    // one's but for the fourth, which comes back to the first's.
    const struct {
        uint32_t id;
        uint32_t utc;
        const char* frame;
    } cases[] = {
        {0x20650001, 1780000000, "4D 4D 44 54 01 00 65 20 00 A5 18 6A 8F 8C 03 C1"},
        {0x217D0003, 1780000001, "4D 4D 44 54 03 00 7D 21 01 A5 18 6A D6 69 21 8C"},
        {0xA52DFFFF, 0xFFFFFFFF, "4D 4D 44 54 FF FF 2D A5 FF FF FF FF 28 AC F3 93"},
        {0x22CB1234, 1780000000, "4D 4D 44 54 34 12 CB 22 00 A5 18 6A 1E D4 B3 A6"},
    };
    std::deque<sim::EmuDevice> devices;
    for (const auto& c : cases) {
        const std::string ip = "10.45.1." + std::to_string(devices.size() + 1);
        devices.emplace_back(c.id, 1);
        Lan.Attach(ip, devices.back());
        Lan.Clock.Ms = (Lan.Clock.Ms / 1000 + 1) * 1000;  // the replies come within this second
        Lan.Clock.Utc = c.utc - static_cast<uint32_t>(Lan.Clock.Ms / 1000);
        const size_t mark = Lan.Trace.size();
        UdpDevSet set(Pc);
        set.Search();
        const auto frames = Lan.SentTo(ip, mark);
        ASSERT_EQ(frames.size(), 1u) << ip;
        EXPECT_EQ(frames[0].Data, HexBytes(c.frame)) << ip;
    }
}

TEST_F(Search, IgnoresWhatIsNotAStatusReplyOfAStandardDevice)
{
    ScriptHost host;
    Lan.Attach("10.45.1.9", host);
    const Bytes status = HexBytes("00 00 02 32 00 00 00 00 00 00 00 00 00 00 00 00");
    auto reply = [&](uint32_t id) {
        Bytes f = HexBytes("4D 4D 44 4F");
        for (int i = 0; i < 4; ++i) {
            f.push_back(static_cast<uint8_t>(id >> (8 * i)));
        }
        f.insert(f.end(), status.begin(), status.end());
        return WithCrc(f);
    };
    Bytes shortReply = reply(Ident(300, 1));
    shortReply.erase(shortReply.begin() + 20);
    Bytes longReply = reply(Ident(300, 1));
    longReply.push_back(0);
    Bytes badCrc = reply(Ident(300, 1));
    badCrc[27] ^= 0x01;
    host.Reply = [&](const Bytes&) {
        return std::vector<Bytes>{
            reply(0x30000000 | 300 << 16 | 1),           reply(0xFFFFFFFF), shortReply, longReply, badCrc,
            WithCrc(HexBytes("4D 4D 44 4F FF FF FF FF"))};
    };
    Set.Search();
    EXPECT_EQ(Set.Count, 0);
    EXPECT_EQ(Commands(Lan, "10.45.1.9"), "");  // no time announcement either
}

TEST_F(Search, FullTableSendsNoAnnouncementToANewDevice)
{
    for (uint32_t serial = 0; serial < 100; ++serial) {
        Set.Merge(Ident(300, serial), 1, 2, 2);
    }
    sim::EmuController late(Ident(300, 500), 2);
    Lan.Attach("10.45.1.1", late);
    Set.Search();
    EXPECT_EQ(Set.Count, 100);
    EXPECT_EQ(late.TimeAnnouncements, 0);
}

class PollTest : public LanTest {
protected:
    void SetUp() override { Lan.Attach("10.45.1.1", Emu); }

    sim::EmuController Emu{Ident(301, 7), 2};
    UdpDev Dev{Pc, Ident(301, 7), ParseIp("10.45.1.1"), 2, 2};
};

TEST_F(PollTest, Transitions)
{
    EXPECT_TRUE(Dev.Poll());
    EXPECT_FALSE(Dev.Changed);

    Emu.Mode = 3;
    EXPECT_TRUE(Dev.Poll());
    EXPECT_TRUE(Dev.Changed);
    EXPECT_EQ(Dev.Mode, 3);

    Emu.VersionDigit = '0';  // an impossible version: the poll fails
    EXPECT_FALSE(Dev.Poll());
    EXPECT_FALSE(Dev.Alive);
    EXPECT_TRUE(Dev.Changed);
    EXPECT_EQ(Dev.ListRow(), " K01_00007,  10.45.1.1,  Niedostępny");
    EXPECT_FALSE(Dev.Poll());
    EXPECT_FALSE(Dev.Changed);

    Emu.VersionDigit = '3';
    EXPECT_TRUE(Dev.Poll());
    EXPECT_TRUE(Dev.Changed);
    EXPECT_TRUE(Dev.Alive);
    EXPECT_EQ(Dev.Version, 2);  // the poll never changes the version
}

TEST_F(PollTest, SessionFlagFollowsBitSevenOnlyOnAnAnswer)
{
    Dev.SessionOpen = true;
    Lan.Detach("10.45.1.1");
    EXPECT_FALSE(Dev.Poll());
    EXPECT_TRUE(Dev.SessionOpen);

    Lan.Attach("10.45.1.1", Emu);
    EXPECT_TRUE(Dev.Poll());
    EXPECT_FALSE(Dev.SessionOpen);
}

TEST_F(Search, APassAsksTheBroadcastAndEachTargetAddress)
{
    sim::EmuController k1(Ident(301, 7), 2);
    sim::EmuController behind(Ident(301, 9), 3);
    Lan.Attach("10.45.1.1", k1);
    Lan.Attach("10.2.0.2", behind);
    AddTarget(Set.Scope.Targets, "10.2.0.0/30", false);
    Set.Search();
    std::vector<std::string> asked;
    for (const sim::Frame& f : Lan.Trace) {
        if (f.From == "10.45.0.1" && f.Data.size() == 12) {
            asked.push_back(f.To);
        }
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"255.255.255.255", "10.2.0.1", "10.2.0.2"}));
    ASSERT_EQ(Set.Count, 2);
    EXPECT_EQ(Set.Dev[0].ListRow(), " K01_00007,  10.45.1.1,  Serwis");
    EXPECT_EQ(Set.Dev[1].ListRow(), " K01_00009,  10.2.0.2,  Instalacja");
    EXPECT_EQ(behind.TimeAnnouncements, 1);
}

TEST_F(Search, WithoutBroadcastOnlyTheTargetsAreAsked)
{
    sim::EmuController k1(Ident(301, 7), 2);
    Lan.Attach("10.45.1.1", k1);
    Set.Scope.Broadcast = false;
    AddTarget(Set.Scope.Targets, "10.2.0.5", false);
    Set.Search();
    EXPECT_EQ(Set.Count, 0);
    EXPECT_EQ(Commands(Lan, "255.255.255.255"), "");
    EXPECT_EQ(Commands(Lan, "10.2.0.5"), "OOO");
}

TEST_F(Search, SendsAreAtLeast50MicrosecondsApart)
{
    AddTarget(Set.Scope.Targets, "10.2.0.0/22", false);
    Set.Search();  // nobody answers: three passes of 1023 requests each
    std::vector<int64_t> at;
    for (const sim::Frame& f : Lan.Trace) {
        at.push_back(f.AtUs);
    }
    ASSERT_EQ(at.size(), 3069u);
    for (size_t i = 1; i < at.size(); ++i) {
        ASSERT_GE(at[i] - at[i - 1], 50) << i;
    }
    // One pass: 1022 gaps of 50 us, then the wait for replies.
    EXPECT_EQ(at[1022], 51100);
    EXPECT_EQ(at[1023], 251100);
}

TEST_F(Search, ASilentTargetCostsNoMorePassesOrWaits)
{
    const struct {
        const char* Target;
        int64_t Us;  // the search's whole time on the virtual clock
    } cases[] = {{nullptr, 600000}, {"10.2.0.9", 600150}, {"10.2.0.0/30", 600300}};
    for (const auto& c : cases) {
        sim::VirtualLan lan;
        UdpDevSet set(lan.AddPc());
        if (c.Target) {
            AddTarget(set.Scope.Targets, c.Target, false);
        }
        set.Search();
        EXPECT_EQ(lan.Clock.NowUs(), c.Us) << (c.Target ? c.Target : "none");
        EXPECT_EQ(Commands(lan, "255.255.255.255"), "OOO");
    }
}

// Time recorders T01_00001 on, one per address from 10.45.1.1 on (254 per /24).
class Crowd {
public:
    Crowd(sim::VirtualLan& lan, int count, uint32_t firstAddress = 0x0A2D0101)
    {
        for (int n = 0; n < count; ++n) {
            Devices.emplace_back(Ident(101, n + 1), 2);
            const uint32_t ip = firstAddress + n / 254 * 256 + n % 254;
            lan.Attach(IpText(ip), Devices.back());
        }
    }
    std::deque<sim::EmuDevice> Devices;
};

// How many broadcast replies the endpoint's queue holds before anyone reads:
// 256 by default, as a socket's default buffer; more once room is asked for.
TEST(LanQueue, HoldsWhatItsRoomHolds)
{
    const struct {
        int Reserved;  // bytes asked for, 0 for none
        int Received;
    } cases[] = {{0, 256}, {131072, 315}, {1048576, 400}};
    for (const auto& c : cases) {
        sim::VirtualLan lan;
        Crowd crowd(lan, 400);
        sim::LanEndpoint& pc = lan.AddPc();
        if (c.Reserved > 0) {
            pc.ReserveReceive(c.Reserved);
        }
        pc.Broadcast(QuorPort, HexBytes("4D 4D 44 4F FF FF FF FF F8 F3 14 64"));
        std::array<uint8_t, 64> buf;
        int received = 0;
        while (pc.Receive(buf, 200) > 0) {
            ++received;
        }
        EXPECT_EQ(received, c.Received) << c.Reserved;
        EXPECT_EQ(pc.Dropped, 400 - c.Received) << c.Reserved;
    }
}

// Every device that answers is listed, in the first pass, however many answer at once.
TEST(SearchAtScale, EveryDeviceThatAnswersIsListed)
{
    for (const int count : {1000, 8000}) {
        sim::VirtualLan lan;
        Crowd crowd(lan, count);
        UdpDevSet set(lan.AddPc(), 8192);
        set.Search();
        ASSERT_EQ(set.Count, count);
        EXPECT_EQ(set.NotListed(), 0);
        EXPECT_EQ(Commands(lan, "255.255.255.255"), "O") << count;
        EXPECT_EQ(set.Dev.front().ListRow(), " T01_00001,  10.45.1.1,  Serwis");
        EXPECT_EQ(set.Dev[count - 1].Id, Ident(101, count));
        EXPECT_EQ(crowd.Devices.back().TimeAnnouncements, 1);
    }
}

// A pass over a range reads the replies while it is still sending: the first
// time announcement goes out before the last request, and the requests keep
// their 50 us gaps.
TEST(SearchAtScale, RepliesAreReadWhileAPassSends)
{
    sim::VirtualLan lan;
    Crowd crowd(lan, 1000, 0x0A2E0001);  // 10.46.0.1 on, behind a router
    UdpDevSet set(lan.AddPc(), 8192);
    set.Scope.Broadcast = false;
    AddTarget(set.Scope.Targets, "10.46.0.0/22", false);
    set.Search();
    EXPECT_EQ(set.Count, 1000);
    size_t lastRequest = 0;
    size_t firstAnnouncement = lan.Trace.size();
    std::vector<int64_t> requestsAt;
    for (size_t i = 0; i < lan.Trace.size(); ++i) {
        const sim::Frame& f = lan.Trace[i];
        if (f.From == "10.45.0.1" && f.Data[3] == 'O') {
            lastRequest = i;
            requestsAt.push_back(f.AtUs);
        } else if (f.From == "10.45.0.1" && f.Data[3] == 'T') {
            firstAnnouncement = std::min(firstAnnouncement, i);
        }
    }
    EXPECT_LT(firstAnnouncement, lastRequest);
    ASSERT_EQ(requestsAt.size(), 1022u);
    EXPECT_EQ(requestsAt.back() - requestsAt.front(), 51050);
}

// The window's table of 100: the others that answered are counted once each,
// for the last search only. The first 100 to answer keep their places.
TEST(SearchAtScale, AFullTableCountsTheDevicesItLeavesOut)
{
    sim::VirtualLan lan;
    Crowd crowd(lan, 350);
    UdpDevSet set(lan.AddPc());
    set.Search();
    EXPECT_EQ(set.Count, 100);
    EXPECT_EQ(set.NotListed(), 250);
    set.Search();  // three passes: nothing new
    EXPECT_EQ(set.NotListed(), 250);
}

// An endpoint that cannot take the datagrams for some addresses now.
class BusyFor : public Endpoint {
public:
    BusyFor(Endpoint& lan, std::set<std::string> busy) : Lan(lan), Busy(std::move(busy)) {}
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        Lan.Send(ip, port, data);
    }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override { Lan.Broadcast(port, data); }
    bool TrySend(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        if (Busy.contains(std::string(ip))) {
            return false;
        }
        Lan.Send(ip, port, data);
        return true;
    }
    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        return Lan.Receive(buf, waitMs, senderIp);
    }
    Clock& Time() override { return Lan.Time(); }

    Endpoint& Lan;
    std::set<std::string> Busy;
};

// A target the system cannot take now is skipped; the pass goes on and the
// next pass asks it again.
TEST_F(Search, ATargetTheSystemCannotTakeNowIsSkipped)
{
    sim::EmuController k1(Ident(301, 1), 2);
    sim::EmuController k2(Ident(301, 2), 2);
    Lan.Attach("10.46.0.1", k1);
    Lan.Attach("10.46.0.2", k2);
    BusyFor udp(Pc, {"10.46.0.1"});
    UdpDevSet set(udp);
    set.Scope.Broadcast = false;
    AddTarget(set.Scope.Targets, "10.46.0.0/30", false);
    set.Search();
    ASSERT_EQ(set.Count, 1);
    EXPECT_EQ(set.Dev[0].ListRow(), " K01_00002,  10.46.0.2,  Serwis");
    udp.Busy.clear();
    set.Search();
    EXPECT_EQ(set.Count, 2);
    EXPECT_EQ(Commands(Lan, "10.46.0.1"), "OT");
}

}  // namespace
}  // namespace quor::test
