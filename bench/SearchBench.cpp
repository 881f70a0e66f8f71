// A search at scale on the in-memory LAN, for 100, 1,000 and 8,000 emulated
// devices:
//  - Search/broadcast/N: one search answered by every device at once; devices
//    listed against devices answering (must be 1), and the CPU per reply
//  - Bare/N: beside it, a loop that only sends the same request and receives
//    and decodes the same replies (length, tag, CRC, identity, sender)
//  - Search/targets/N: one search that asks the N devices' addresses one by
//    one, paced on the machine's clock; its time against N x 50 us.
// The figures close the output: the search's CPU per reply at most 1.2 x the
// bare loop's, the pass at most 1.2 x its gaps.
//   search_bench [benchmark options]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "link/Crc32.h"
#include "link/Frame.h"
#include "link/UdpEndpoint.h"
#include "link/Udpdev.h"
#include "sim/EmuDevice.h"
#include "sim/VirtualLan.h"

namespace {

using namespace quor;

constexpr double TargetRatio = 1.2;

// N time recorders at 10.45.1.1 on (250 per /24), on a LAN that keeps no trace.
struct Crowd {
    explicit Crowd(int n)
    {
        Lan.Tracing = false;
        Lan.Floods = false;
        for (int i = 0; i < n; ++i) {
            Devices.emplace_back(0x20650000u + static_cast<uint32_t>(i + 1), 2);
            const uint32_t ip = 0x0A2D0101u + static_cast<uint32_t>(i / 250 * 256 + i % 250);
            Addresses.push_back(ip);
            Lan.Attach(IpText(ip), Devices.back());
        }
    }
    sim::VirtualLan Lan;
    sim::LanEndpoint& Pc = Lan.AddPc();
    std::deque<sim::EmuDevice> Devices;
    std::vector<uint32_t> Addresses;
};

Crowd& CrowdOf(int n)
{
    static std::map<int, std::unique_ptr<Crowd>> crowds;
    auto& crowd = crowds[n];
    if (!crowd) {
        crowd = std::make_unique<Crowd>(n);
    }
    return *crowd;
}

// The in-memory LAN paced by the machine's clock: a send's gap is real time,
// while a receive that waits still costs nothing.
class RealTimeLan : public Endpoint {
public:
    explicit RealTimeLan(Endpoint& lan) : Lan(lan) {}
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        Lan.Send(ip, port, data);
    }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override { Lan.Broadcast(port, data); }
    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        return Lan.Receive(buf, waitMs, senderIp);
    }
    void ReserveReceive(int bytes) override { Lan.ReserveReceive(bytes); }
    Clock& Time() override { return Machine; }

private:
    Endpoint& Lan;
    SystemClock Machine;
};

void SearchBroadcast(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Crowd& crowd = CrowdOf(n);
    int64_t listed = 0;
    for (auto _ : state) {
        // The window and quorctl make their table once: only the search is timed.
        state.PauseTiming();
        auto set = std::make_unique<UdpDevSet>(crowd.Pc, RepliesHeld);
        state.ResumeTiming();
        set->Search();
        listed += set->Count;
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
    using benchmark::Counter;
    state.counters["listed_per_answering"] =
        Counter(static_cast<double>(listed) / n, Counter::kAvgIterations);
}

void Bare(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Crowd& crowd = CrowdOf(n);
    crowd.Pc.ReserveReceive(RepliesHeld * ReceiveBytesPerReply);
    std::array<uint8_t, 12> request{'M', 'M', 'D', 'O', 0xFF, 0xFF, 0xFF, 0xFF};
    Put32(&request[8], Crc32(request.data(), 8, CrcInit));
    std::array<uint8_t, 8192> buf;
    std::string sender;
    int64_t decoded = 0;
    for (auto _ : state) {
        crowd.Pc.Broadcast(QuorPort, request);
        for (int len; (len = crowd.Pc.Receive(buf, 200, &sender)) > 0;) {
            if (len == 28 && std::equal(buf.begin(), buf.begin() + 4, "MMDO") &&
                Crc32(buf.data(), 24, CrcInit) == Get32(&buf[24]) && Get32(&buf[4]) != AllDevices &&
                ParseIp(sender) != 0) {
                ++decoded;
            }
        }
    }
    state.counters["replies"] =
        benchmark::Counter(static_cast<double>(decoded), benchmark::Counter::kAvgIterations);
}

void SearchTargets(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Crowd& crowd = CrowdOf(n);
    RealTimeLan udp(crowd.Pc);
    int64_t listed = 0;
    for (auto _ : state) {
        UdpDevSet set(udp, RepliesHeld);
        set.Scope.Broadcast = false;
        set.Scope.Targets = crowd.Addresses;  // past the 4,096 of --target: a benchmark's own scope
        set.Search();
        listed += set.Count;
    }
    using benchmark::Counter;
    state.counters["listed_per_answering"] =
        Counter(static_cast<double>(listed) / n, Counter::kAvgIterations);
}

BENCHMARK(SearchBroadcast)
    ->Name("Search/broadcast")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(8000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Bare)->Name("Bare")->Arg(100)->Arg(1000)->Arg(8000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchTargets)
    ->Name("Search/targets")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(8000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Keeps each run's figures, for the ratios that close the output.
class Figures : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
            Seen& s = Runs[run.run_name.str()];
            s.Cpu = run.GetAdjustedCPUTime() / perSecond;
            s.Real = run.GetAdjustedRealTime() / perSecond;
            for (const auto& [name, counter] : run.counters) {
                s.Counters[name] = counter.value;
            }
        }
    }

    void Print() const
    {
        std::printf("\nA search on the in-memory LAN (targets: at most %.1f x)\n", TargetRatio);
        for (const int n : {100, 1000, 8000}) {
            const std::string arg = "/" + std::to_string(n);
            const Seen* search = Find("Search/broadcast" + arg);
            const Seen* bare = Find("Bare" + arg);
            const Seen* paced = Find("Search/targets" + arg);
            std::printf("  %d devices:\n", n);
            if (search) {
                const double listed = search->Counters.at("listed_per_answering");
                std::printf("    listed / answering: %.3f (%s)\n", listed, listed == 1 ? "all" : "NOT ALL");
            }
            if (search && bare && bare->Counters.at("replies") > 0) {
                const double perReply = search->Cpu / n;
                const double barePerReply = bare->Cpu / bare->Counters.at("replies");
                const double ratio = perReply / barePerReply;
                std::printf("    CPU per reply: %.2f us, bare loop %.2f us: %.2f x (%s)\n", perReply * 1e6,
                            barePerReply * 1e6, ratio, ratio <= TargetRatio ? "met" : "MISSED");
            }
            if (paced) {
                const double gaps = n * UdpDevSet::SendGapUs * 1e-6;
                const double ratio = paced->Real / gaps;
                std::printf("    pass of %d addresses: %.2f ms against %.2f ms of gaps: %.2f x (%s); "
                            "listed / answering %.3f\n",
                            n, paced->Real * 1e3, gaps * 1e3, ratio, ratio <= TargetRatio ? "met" : "MISSED",
                            paced->Counters.at("listed_per_answering"));
            }
        }
    }

private:
    struct Seen {
        double Cpu = 0;  // seconds per iteration
        double Real = 0;
        std::map<std::string, double> Counters;
    };
    const Seen* Find(const std::string& name) const
    {
        const auto hit = Runs.find(name);
        return hit == Runs.end() ? nullptr : &hit->second;
    }
    std::map<std::string, Seen> Runs;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Figures figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    figures.Print();
    benchmark::Shutdown();
    return 0;
}
