#include "bench/LanRatios.h"

#include <unistd.h>

#include <cstdio>

namespace quor::bench {

LanRatioReporter::LanRatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
{
}

void LanRatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration)
            continue;
        const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
        Result& r = Results[run.run_name.function_name];
        r.Real = run.GetAdjustedRealTime() / perSecond;
        r.Cpu = run.GetAdjustedCPUTime() / perSecond;
        for (const auto& [name, counter] : run.counters)
            r.Counters[name] = counter.value;
    }
}

const LanRatioReporter::Result* LanRatioReporter::Find(const std::string& name) const
{
    const auto hit = Results.find(name);
    return hit == Results.end() ? nullptr : &hit->second;
}

void LanRatioReporter::PrintRatios(int devices) const
{
    const Result* raw = Find(RawName);
    const Result* load = Find(LoadName);
    const Result* search = Find(SearchName);
    std::printf("\nThe configurator beside the raw exchange (a bare socket's status request and reply)\n");
    if (!raw) {
        std::printf("  no raw round trip measured: no ratios\n");
        return;
    }
    std::printf("  raw round trip: %.1f us real, %.1f us CPU\n", raw->Real * 1e6, raw->Cpu * 1e6);
    if (load) {
        const double trips = load->Counters.at("round_trips");
        const double ratio = load->Real / (trips * raw->Real);
        std::printf("  (a) loading a door controller with %d doors: %.0f round trips in %.1f us\n"
                    "      ratio to %.0f x the raw round trip: %.2f (target at most %.1f: %s)\n",
                    DoorsToLoad, trips, load->Real * 1e6, trips, ratio, TargetRatio,
                    ratio <= TargetRatio ? "met" : "MISSED");
    }
    if (search) {
        const double found = search->Counters.at("found");
        const double passes = search->Counters.at("passes");
        const bool all = found == devices && passes == 1;
        std::printf("  (b) search of %d devices: %.1f found per search in %.1f passes, %.1f ms (%s)\n",
                    devices, found, passes, search->Real * 1e3,
                    all ? "all found in the first pass" : "NOT all found in the first pass");
        if (found > 0)
            std::printf("      CPU per reply %.1f us, %.2f x the raw exchange's CPU\n",
                        search->Cpu / found * 1e6, search->Cpu / found / raw->Cpu);
    }
}

}  // namespace quor::bench
