#pragma once
// The ratios that close lan_bench's output: the configurator's jobs against
// the raw exchange measured in the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace quor::bench {

// The benchmarks, by name; the load reports the counter round_trips, the search found and passes.
inline constexpr const char* RawName = "Raw/status_round_trip";
inline constexpr const char* LoadName = "Load/door_controller_8_doors";
inline constexpr const char* SearchName = "Search/all_devices";

inline constexpr int DoorsToLoad = 8;
// Loading may take at most this many times its round trips at the raw round-trip time.
inline constexpr double TargetRatio = 1.15;

// Prints as usual and keeps each benchmark's times per iteration and counters, for
// every repetition: on a shared machine the median and the fastest repetition say
// more than any single one.
class LanRatioReporter : public benchmark::ConsoleReporter {
public:
    LanRatioReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    // devices: how many the search should find.
    void PrintRatios(int devices) const;

private:
    struct Repetition {
        double Real = 0;  // seconds per iteration
        double Cpu = 0;
        std::map<std::string, double> Counters;
    };
    using Repetitions = std::vector<Repetition>;
    const Repetitions* Find(const std::string& name) const;
    void PrintLoad(const Repetitions& raw, const Repetitions& load) const;
    void PrintSearch(const Repetitions& raw, const Repetitions& search, int devices) const;

    std::map<std::string, Repetitions> Results;
};

}  // namespace quor::bench
