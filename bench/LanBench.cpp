// The configurator on the virtual LAN of tools/lan, each job beside a bare
// socket's status request and reply to one emulated device over the same
// path, in the same run:
//  (a) loading a door controller with 8 doors (poll, session, bus-device
//      table, common block, door blocks), against its number of round trips
//      at the raw round-trip time;
//  (b) a search of every device of the scenario (100): all of them found in
//      the first pass, and the CPU time the configurator spends per reply.
// It sends on real sockets, so it runs only in the PC namespace of the LAN:
// bench/lan-bench.sh builds the LAN, runs it there and tears the LAN down.
//   lan_bench SCENARIO [benchmark options]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <array>
#include <iostream>
#include <stdexcept>
#include <string>

#include "bench/LanRatios.h"
#include "link/Crc32.h"
#include "link/UdpEndpoint.h"
#include "link/Udpdev.h"
#include "sim/Scenario.h"
#include "site/ControllerRead.h"
#include "tools/common/NetGuard.h"

namespace {

using namespace quor;

using bench::DoorsToLoad;

// What the scenario holds: the door controller to load and the number of devices.
struct Site {
    uint32_t DoorId = 0;
    std::string DoorIp;
    int32_t DoorVersion = 0;
    int Devices = 0;
};
Site TheSite;

Site ReadSite(const std::string& path)
{
    const sim::Scenario scenario = sim::LoadScenario(path);
    Site site;
    site.Devices = static_cast<int>(scenario.Devices.size());
    for (size_t i = 0; i < scenario.Devices.size(); ++i) {
        const auto* emu = dynamic_cast<const sim::EmuController*>(scenario.Devices[i].get());
        if (emu && emu->Bus && emu->Bus->Kind == KindDoors && emu->Bus->DoorCount == DoorsToLoad &&
            ConfigOpen(emu->Mode)) {
            site.DoorId = emu->Id;
            site.DoorIp = scenario.Ips[i];
            site.DoorVersion = emu->VersionDigit - '0';
            return site;
        }
    }
    throw std::runtime_error(path + " holds no readable door controller with 8 doors");
}

// The configurator's endpoint, counting what it sends: one datagram per round trip.
class CountingEndpoint : public Endpoint {
public:
    void Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data) override
    {
        ++Sends;
        Udp.Send(ip, port, data);
    }
    void Broadcast(uint16_t port, std::span<const uint8_t> data) override
    {
        ++Broadcasts;
        Udp.Broadcast(port, data);
    }
    int Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp) override
    {
        return Udp.Receive(buf, waitMs, senderIp);
    }
    Clock& Time() override { return Udp.Time(); }

    int64_t Sends = 0;
    int64_t Broadcasts = 0;

private:
    UdpEndpoint Udp;
};

CountingEndpoint& Configurator()
{
    static CountingEndpoint udp;
    return udp;
}

// A bare socket on a port of the system's choosing, for the raw exchange.
class RawSocket {
public:
    RawSocket() : Fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        if (Fd < 0)
            throw std::runtime_error("raw socket");
    }
    ~RawSocket() { close(Fd); }
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    // Sends the request and waits at most 1 s for a datagram; its length, 0 for none.
    ssize_t Exchange(const sockaddr_in& to, std::span<const uint8_t> request, std::span<uint8_t> reply)
    {
        sendto(Fd, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        pollfd p{Fd, POLLIN, 0};
        if (poll(&p, 1, 1000) != 1)
            return 0;
        return recv(Fd, reply.data(), reply.size(), 0);
    }

private:
    int Fd;
};

// The plain status request: "MMDO", the identity, the CRC.
std::array<uint8_t, 12> StatusRequest(uint32_t id)
{
    std::array<uint8_t, 12> frame{'M', 'M', 'D', 'O'};
    for (int i = 0; i < 4; ++i)
        frame[4 + i] = static_cast<uint8_t>(id >> (8 * i));
    const uint32_t crc = Crc32(std::span<const uint8_t>(frame).first(8));
    for (int i = 0; i < 4; ++i)
        frame[8 + i] = static_cast<uint8_t>(crc >> (8 * i));
    return frame;
}

void RawRoundTrip(benchmark::State& state)
{
    RawSocket raw;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(QuorPort);
    inet_pton(AF_INET, TheSite.DoorIp.c_str(), &to.sin_addr);
    const auto request = StatusRequest(TheSite.DoorId);
    std::array<uint8_t, 64> reply{};
    for (auto _ : state) {
        if (raw.Exchange(to, request, reply) != 28) {
            state.SkipWithError("no status reply");
            break;
        }
    }
}

void LoadDoorController(benchmark::State& state)
{
    CountingEndpoint& udp = Configurator();
    int64_t roundTrips = 0;
    try {
        for (auto _ : state) {
            // The record as a search leaves it; loading polls it first.
            UdpDev dev(udp, TheSite.DoorId, ParseIp(TheSite.DoorIp), TheSite.DoorVersion, 0);
            const int64_t sendsBefore = udp.Sends;
            Controller controller;
            try {
                site::LoadConfiguration(dev, controller);
            } catch (const UErr& e) {
                state.SkipWithError(e.Text().c_str());  // while the device it names exists
                break;
            }
            roundTrips += udp.Sends - sendsBefore;
            state.PauseTiming();
            if (DoorsInUse(controller.Table) != DoorsToLoad)
                state.SkipWithError("the controller did not load 8 doors");
            dev.CloseSession();  // the next load opens its own
            state.ResumeTiming();
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
    state.counters["round_trips"] =
        benchmark::Counter(static_cast<double>(roundTrips), benchmark::Counter::kAvgIterations);
}

void SearchAll(benchmark::State& state)
{
    CountingEndpoint& udp = Configurator();
    int64_t found = 0;
    int64_t broadcasts = 0;
    for (auto _ : state) {
        UdpDevSet devices(udp);
        const int64_t before = udp.Broadcasts;
        devices.Search();
        found += devices.Count;
        broadcasts += udp.Broadcasts - before;
    }
    using benchmark::Counter;
    state.counters["found"] = Counter(static_cast<double>(found), Counter::kAvgIterations);
    state.counters["passes"] = Counter(static_cast<double>(broadcasts), Counter::kAvgIterations);
}

BENCHMARK(RawRoundTrip)->Name(bench::RawName)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadDoorController)
    ->Name("Load/door_controller_8_doors")
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchAll)->Name(bench::SearchName)->UseRealTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!quor::tools::InSeparateNetNamespace()) {
        std::cerr << "lan_bench: will not send on the machine's own network; run bench/lan-bench.sh\n";
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: lan_bench SCENARIO [benchmark options]\n";
        return 2;
    }
    try {
        TheSite = ReadSite(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "lan_bench: " << e.what() << '\n';
        return 1;
    }
    quor::bench::LanRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(TheSite.Devices);
    benchmark::Shutdown();
    return 0;
}
