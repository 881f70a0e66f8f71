// The requests quorctl's site commands send, by kind, on the in-memory LAN of
// sim/scenarios/site.json, against what a careful program needs (the floor):
//  - one search pass: what a bare `quorctl search` sends (status broadcast,
//    time announcements);
//  - per controller read: a session open, the table, each configuration block
//    once, a close;
//  - per controller written: the table read again before writing, and per
//    changed block a read before writing, the write and its read-back.
// Blocks per controller come from the emulated controllers, the changed blocks
// from comparing their blocks before and after the run. Each job runs on a
// fresh LAN and scenario; the counts do not depend on the machine, so one
// iteration a job is enough. The closing table gives sent / floor per job;
// the product aims at 1.1 at most. Counting is at the PC: every datagram
// quorctl hands its endpoint, by its command byte, a broadcast once.
//   site_requests_bench [benchmark options]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "link/DevId.h"
#include "link/Frame.h"
#include "link/Udpdev.h"
#include "sim/Scenario.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace {

using namespace quor;
namespace fs = std::filesystem;

// The kinds counted, in the order they are shown.
struct Kind {
    uint8_t Cmd;
    const char* Name;
};
constexpr std::array<Kind, 8> Kinds{{{CmdStatus, "status"},
                                     {CmdTime, "time"},
                                     {CmdSession, "session"},
                                     {CmdKeepAlive, "keepalive"},
                                     {CmdClose, "close"},
                                     {CmdReadTable, "table"},
                                     {CmdReadBlock, "block_read"},
                                     {CmdWriteBlock, "block_write"}}};

// The command byte of a request: signed frames carry it after their counter,
// plain ones after their tag. 0 for anything else.
uint8_t CommandOf(std::span<const uint8_t> data)
{
    if (data.size() >= SignedOverhead && std::equal(data.begin(), data.begin() + 4, "MMDC")) {
        return data[10];
    }
    if (data.size() >= PlainOverhead && std::equal(data.begin(), data.begin() + 3, "MMD")) {
        return data[3];
    }
    return 0;
}

// The PC's endpoint, counting what goes out through it by command byte.
class CountingEndpoint : public Endpoint {
public:
    explicit CountingEndpoint(Endpoint& pc) : Pc(pc) {}
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        Pc.Send(ip, port, data);
        ++Sent[CommandOf(data)];
    }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override
    {
        Pc.Broadcast(port, data);
        ++Sent[CommandOf(data)];
    }
    bool TrySend(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        const bool sent = Pc.TrySend(ip, port, data);
        Sent[CommandOf(data)] += sent;
        return sent;
    }
    bool TryBroadcast(uint16_t port, std::span<const uint8_t> data) override
    {
        const bool sent = Pc.TryBroadcast(port, data);
        Sent[CommandOf(data)] += sent;
        return sent;
    }
    void ReserveReceive(int bytes) override { Pc.ReserveReceive(bytes); }
    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        return Pc.Receive(buf, waitMs, senderIp);
    }
    Clock& Time() override { return Pc.Time(); }

    std::map<uint8_t, int64_t> Sent;

private:
    Endpoint& Pc;
};

using BlockMap = std::map<std::pair<uint8_t, uint8_t>, sim::Bytes>;

// The scenario on a LAN of its own, and the blocks of its controllers by name.
struct Site {
    Site()
    {
        Lan.Tracing = false;
        Scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/site.json");
        sim::AttachAll(Scenario, Lan);
    }
    std::map<std::string, BlockMap> Blocks() const
    {
        std::map<std::string, BlockMap> blocks;
        for (const auto& device : Scenario.Devices) {
            if (const auto* controller = dynamic_cast<const sim::EmuController*>(device.get())) {
                blocks[DevName(controller->Id)] = controller->Blocks;
            }
        }
        return blocks;
    }
    sim::VirtualLan Lan;
    sim::Scenario Scenario;
};

struct Run {
    int Status = 0;
    std::string Err;
    std::map<uint8_t, int64_t> Sent;
    std::map<std::string, BlockMap> Before;
    std::map<std::string, BlockMap> After;
};

// quorctl with these arguments on a fresh site, on the day of the tests' reports.
Run RunOnFreshSite(const std::vector<std::string>& args)
{
    constexpr std::chrono::year_month_day today{std::chrono::year{2021}, std::chrono::March,
                                                std::chrono::day{5}};
    Site site;
    Run run;
    run.Before = site.Blocks();
    CountingEndpoint pc(site.Lan.AddPc());
    std::ostringstream out;
    std::ostringstream err;
    run.Status = tools::RunQuorctl(tools::ParseQuorctlOptions(args), pc, out, err, today);
    run.Err = err.str();
    run.Sent = pc.Sent;
    run.After = site.Blocks();
    return run;
}

int64_t Total(const std::map<uint8_t, int64_t>& sent)
{
    int64_t total = 0;
    for (const auto& [cmd, n] : sent) {
        total += n;
    }
    return total;
}

// One search pass, as a bare search sends it.
const std::map<uint8_t, int64_t>& SearchPass()
{
    static const std::map<uint8_t, int64_t> sent = RunOnFreshSite({"search"}).Sent;
    return sent;
}

struct Job {
    const char* Name;
    const char* Command;  // "plan", "export" or "apply"
    const char* Text;     // the site file; nullptr: the scenario's own export
};

// Half a second more on one door time, or on a time of each controller.
const Job Jobs[] = {
    {"plan_unchanged", "plan", nullptr},
    {"export", "export", nullptr},
    {"apply_one_time", "apply",
     "quorctl-site: 1\n"
     "controllers:\n"
     "  K01_01101:\n"
     "    Przejście 1:\n"
     "      Dozw. czas otwarcia: 10,5 s\n"},
    {"apply_four_times", "apply",
     "quorctl-site: 1\n"
     "controllers:\n"
     "  K01_01101:\n"
     "    Przejście 1:\n"
     "      Dozw. czas otwarcia: 10,5 s\n"
     "  K02_01201:\n"
     "    Przejście 1:\n"
     "      Dozw. czas otwarcia: 10,5 s\n"
     "  K03_01301:\n"
     "    Winda:\n"
     "      Czas odblokowania przycisków: 5,5 s\n"
     "  K04_01401:\n"
     "    Szafki:\n"
     "      Długość impulsu otwarcia szafki: 2 s\n"},
};

// The blocks of a controller that differ after the run.
int64_t ChangedBlocks(const BlockMap& before, const BlockMap& after)
{
    return std::ranges::count_if(before, [&](const auto& block) {
        const auto now = after.find(block.first);
        return now == after.end() || now->second != block.second;
    });
}

struct Figures {
    std::map<uint8_t, int64_t> Sent;
    int64_t Floor = 0;
    int64_t Changed = 0;  // blocks, all controllers
};

// What a careful program sends for this run: see the top of the file. A site
// file that names controllers concerns those alone.
Figures Measure(const Job& job, const Run& run)
{
    Figures figures{run.Sent, Total(SearchPass())};
    for (const auto& [name, before] : run.Before) {
        if (job.Text && std::string_view(job.Text).find("\n  " + name + ":\n") == std::string_view::npos) {
            continue;
        }
        figures.Floor += 3 + static_cast<int64_t>(before.size());  // open, table, blocks, close
        const int64_t changed = ChangedBlocks(before, run.After.at(name));
        if (changed > 0) {
            figures.Floor += 1 + 3 * changed;  // table again; per block: read, write, read back
        }
        figures.Changed += changed;
    }
    return figures;
}

int64_t CountOf(const std::map<uint8_t, int64_t>& sent, uint8_t cmd)
{
    const auto hit = sent.find(cmd);
    return hit == sent.end() ? 0 : hit->second;
}

// Requests of no kind listed above.
int64_t Others(const std::map<uint8_t, int64_t>& sent)
{
    int64_t others = Total(sent);
    for (const Kind& kind : Kinds) {
        others -= CountOf(sent, kind.Cmd);
    }
    return others;
}

std::map<std::string, Figures>& Measured()
{
    static std::map<std::string, Figures> measured;
    return measured;
}

void SetCounters(benchmark::State& state, const Figures& figures)
{
    for (const Kind& kind : Kinds) {
        state.counters[kind.Name] = static_cast<double>(CountOf(figures.Sent, kind.Cmd));
    }
    const int64_t sent = Total(figures.Sent);
    state.counters["other"] = static_cast<double>(Others(figures.Sent));
    state.counters["sent"] = static_cast<double>(sent);
    state.counters["floor"] = static_cast<double>(figures.Floor);
    state.counters["ratio"] = static_cast<double>(sent) / static_cast<double>(figures.Floor);
}

void SiteRequests(benchmark::State& state, const Job& job)
{
    const fs::path folder = fs::temp_directory_path() / ("site-requests-bench-" + std::to_string(getpid()));
    std::string file = std::string(QUOR_SCENARIO_DIR) + "/site.yaml";
    const bool exported = std::string_view(job.Command) == "export";
    if (job.Text || exported) {
        fs::create_directories(folder);
        file = (folder / "site.yaml").string();
        if (job.Text) {
            std::ofstream(file, std::ios::binary) << job.Text;
        }
    }
    Run run;
    for (auto _ : state) {
        if (exported) {
            fs::remove(file);  // an export into an existing file keeps what it does not read
        }
        run = RunOnFreshSite({"site", job.Command, file});
    }
    fs::remove_all(folder);
    const Figures figures = Measure(job, run);
    if (run.Status != 0) {
        state.SkipWithError(("quorctl exit status " + std::to_string(run.Status) + ": " + run.Err).c_str());
    } else if ((std::string_view(job.Command) == "apply") != (figures.Changed > 0)) {
        state.SkipWithError((std::to_string(figures.Changed) + " blocks changed").c_str());
    } else {
        SetCounters(state, figures);
        Measured()[job.Name] = figures;
    }
}

void PrintTable()
{
    if (Measured().empty()) {
        return;
    }
    std::printf("\nRequests quorctl sends on sim/scenarios/site.json; target: sent / floor at most 1.1\n"
                "  one search pass: %lld (",
                static_cast<long long>(Total(SearchPass())));
    for (const char* gap = ""; const auto& [cmd, n] : SearchPass()) {
        std::printf("%s%c %lld", gap, cmd, static_cast<long long>(n));
        gap = ", ";
    }
    std::printf(")\n");
    std::printf("  %-18s", "job");
    for (const Kind& kind : Kinds) {
        std::printf(" %4c", kind.Cmd);
    }
    std::printf("  other  sent  floor  ratio\n");
    for (const Job& job : Jobs) {
        const auto hit = Measured().find(job.Name);
        if (hit == Measured().end()) {
            continue;
        }
        const Figures& f = hit->second;
        std::printf("  %-18s", job.Name);
        for (const Kind& kind : Kinds) {
            std::printf(" %4lld", static_cast<long long>(CountOf(f.Sent, kind.Cmd)));
        }
        const int64_t sent = Total(f.Sent);
        std::printf(" %6lld %5lld %6lld %6.2f\n", static_cast<long long>(Others(f.Sent)),
                    static_cast<long long>(sent), static_cast<long long>(f.Floor),
                    static_cast<double>(sent) / static_cast<double>(f.Floor));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    for (const Job& job : Jobs) {
        benchmark::RegisterBenchmark((std::string("SiteRequests/") + job.Name).c_str(), SiteRequests, job)
            ->Iterations(1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    benchmark::Shutdown();
    return 0;
}
