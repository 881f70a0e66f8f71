// Plain request/reply exchange: reply matching, CRC retries, time windows.
#include "LanFixture.h"

namespace quor::test {
namespace {

constexpr uint32_t DevId = 0x212D3039;  // K01_12345
const std::string DevIp = "10.45.1.1";

class Exchange : public LanTest {
protected:
    void SetUp() override { Lan.Attach(DevIp, Host); }

    // A status reply of the device, with `payload` in place of the status.
    static Bytes Reply(const Bytes& payload, uint32_t id = DevId, char cmd = 'O')
    {
        Bytes f = {'M', 'M', 'D', static_cast<uint8_t>(cmd)};
        for (int i = 0; i < 4; ++i) {
            f.push_back(static_cast<uint8_t>(id >> (8 * i)));
        }
        f.insert(f.end(), payload.begin(), payload.end());
        return WithCrc(f);
    }

    ScriptHost Host;
    UdpDev Dev{Pc, DevId, ParseIp(DevIp), 2, 2};
};

TEST_F(Exchange, RequestFrameOnTheWire)
{
    std::array<uint8_t, 4> result{};
    const Bytes payload = HexBytes("01 02");
    Dev.Exchange('X', payload, result);
    ASSERT_FALSE(Host.Requests.empty());
    EXPECT_EQ(HexText(Host.Requests[0]), HexText(WithCrc(HexBytes("4D 4D 44 58  39 30 2D 21  01 02"))));
}

TEST_F(Exchange, IgnoresWhatDoesNotMatchAndTakesTheReply)
{
    const Bytes good = Reply(HexBytes("AA BB"));
    Bytes eleven = good;
    eleven.resize(11);
    Host.Reply = [&](const Bytes&) {
        return std::vector<Bytes>{eleven, Reply(HexBytes("11"), DevId, 'P'), Reply(HexBytes("22"), DevId + 1),
                                  good};
    };
    std::array<uint8_t, 16> result{};
    EXPECT_EQ(Dev.Exchange('O', {}, result), 2);
    EXPECT_EQ(result[0], 0xAA);
    EXPECT_EQ(result[1], 0xBB);
    EXPECT_EQ(Host.Requests.size(), 1u);
}

TEST_F(Exchange, LongerPayloadIsCutToCapacityAndReported)
{
    Bytes payload(20);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i + 1);
    }
    Host.Reply = [&](const Bytes&) { return std::vector<Bytes>{Reply(payload)}; };
    std::array<uint8_t, 17> result{};
    EXPECT_EQ(Dev.Exchange('O', {}, std::span(result).first(16)), 20);
    EXPECT_EQ(result[15], 16);
    EXPECT_EQ(result[16], 0);  // nothing past the capacity
    EXPECT_EQ(Dev.Exchange('O', {}, {}), 20);
}

TEST_F(Exchange, BadCrcCostsAnAttempt)
{
    int calls = 0;
    Host.Reply = [&](const Bytes&) {
        Bytes r = Reply(HexBytes("01"));
        if (++calls == 1) {
            r.back() ^= 1;
        }
        return std::vector<Bytes>{r};
    };
    std::array<uint8_t, 1> result{};
    EXPECT_EQ(Dev.Exchange('O', {}, result), 1);
    ASSERT_EQ(Host.Requests.size(), 2u);
    EXPECT_EQ(Host.Requests[0], Host.Requests[1]);  // the same request bytes again

    calls = 0;
    Dev.Alive = false;
    EXPECT_EQ(Dev.Exchange('O', {}, result), 0);
    EXPECT_EQ(Host.Requests.size(), 3u);
}

TEST_F(Exchange, SilentDeviceCostsTwoReceivesPerAttempt)
{
    // The clock is looked at after each empty 200 ms receive: at 200 the
    // window of 300 is still open, at 400 it has closed.
    const struct {
        bool alive;
        size_t attempts;
        int64_t ms;
    } cases[] = {{true, 3, 1200}, {false, 1, 400}};
    for (const auto& c : cases) {
        Host.Requests.clear();
        Dev.Alive = c.alive;
        const int64_t start = Now();
        std::array<uint8_t, 16> result{};
        EXPECT_EQ(Dev.Exchange('O', {}, result), 0);
        EXPECT_EQ(Host.Requests.size(), c.attempts);
        EXPECT_EQ(Now() - start, c.ms);
    }
}

TEST_F(Exchange, LateReplyIsTakenWhileTheSecondReceiveWaits)
{
    // The first receive ends empty at 200; the second waits until 400 and
    // takes whatever comes meanwhile, also past the window of 300.
    const struct {
        int latencyMs;
        int result;
        int64_t ms;
    } cases[] = {{250, 1, 250}, {350, 1, 350}, {400, 1, 400}, {401, 0, 400}};
    Host.Reply = [&](const Bytes&) { return std::vector<Bytes>{Reply(HexBytes("01"))}; };
    Dev.Alive = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.latencyMs);
        Lan.LatencyMs = c.latencyMs;
        Host.Requests.clear();
        const int64_t start = Now();
        std::array<uint8_t, 1> result{};
        EXPECT_EQ(Dev.Exchange('O', {}, result), c.result);
        EXPECT_EQ(Now() - start, c.ms);
        EXPECT_EQ(Host.Requests.size(), 1u);
        std::array<uint8_t, 64> stale;
        while (Pc.Receive(stale, 1000) > 0) {
            // the reply that came too late must not answer the next case
        }
    }
}

TEST_F(Exchange, FloodDoesNotHoldTheWaitAndTheReplyGetsThrough)
{
    Host.FloodPeriod = 20;
    Host.Flood = Reply(HexBytes("00"), DevId + 1);
    Dev.Alive = false;
    std::array<uint8_t, 16> result{};
    const int64_t start = Now();
    EXPECT_EQ(Dev.Exchange('O', {}, result), 0);
    EXPECT_EQ(Now() - start, 500);  // the first stray datagram at or after 500 ends the wait

    Host.Reply = [&](const Bytes&) { return std::vector<Bytes>{Reply(HexBytes("07"))}; };
    EXPECT_EQ(Dev.Exchange('O', {}, result), 1);
    EXPECT_EQ(result[0], 7);
}

// An endpoint under a flood faster than it is read: a datagram is always
// waiting, and taking one costs a few milliseconds.
class FloodedEndpoint : public Endpoint, public Clock {
public:
    void Send(std::string_view, uint16_t, std::span<const uint8_t>) override { ++Sent; }
    void Broadcast(uint16_t, std::span<const uint8_t>) override { ++Sent; }
    int Receive(std::span<uint8_t> buf, int, std::string* sender) override
    {
        Ms += 3;
        const Bytes junk = WithCrc(HexBytes("4D 4D 44 4F 00 00 00 00"));
        std::copy(junk.begin(), junk.end(), buf.begin());
        if (sender) {
            *sender = "10.45.1.9";
        }
        return static_cast<int>(junk.size());
    }
    Clock& Time() override { return *this; }
    int64_t NowMs() override { return Ms; }
    uint32_t UtcSeconds() override { return 0; }

    int64_t Ms = 0;
    int Sent = 0;
};

TEST(Flood, BoundsTheReplyWaitAndTheCollection)
{
    FloodedEndpoint udp;
    UdpDev dev(udp, DevId, ParseIp(DevIp), 2, 2);
    std::array<uint8_t, 16> result{};
    EXPECT_EQ(dev.Exchange('O', {}, result), 0);
    EXPECT_EQ(udp.Sent, 3);
    EXPECT_EQ(udp.Ms, 3 * 501);  // each attempt ends at the first datagram at or after 500 ms

    UdpDevSet set(udp);
    udp.Ms = 0;
    EXPECT_FALSE(set.CollectReplies(0));
    EXPECT_EQ(udp.Ms, 1002);  // the collection stops taking datagrams at 1000 ms
    EXPECT_EQ(set.Count, 0);
}

}  // namespace
}  // namespace quor::test
