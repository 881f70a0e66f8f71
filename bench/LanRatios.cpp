#include "bench/LanRatios.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace quor::bench {

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Field> std::vector<double> Each(const auto& repetitions, Field field)
{
    std::vector<double> values;
    for (const auto& r : repetitions)
        values.push_back(field(r));
    return values;
}

}  // namespace

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
        Repetition r;
        r.Real = run.GetAdjustedRealTime() / perSecond;
        r.Cpu = run.GetAdjustedCPUTime() / perSecond;
        for (const auto& [name, counter] : run.counters)
            r.Counters[name] = counter.value;
        Results[run.run_name.function_name].push_back(r);
    }
}

const LanRatioReporter::Repetitions* LanRatioReporter::Find(const std::string& name) const
{
    const auto hit = Results.find(name);
    return hit == Results.end() ? nullptr : &hit->second;
}

void LanRatioReporter::PrintRatios(int devices) const
{
    const Repetitions* raw = Find(RawName);
    const Repetitions* load = Find(LoadName);
    const Repetitions* search = Find(SearchName);
    std::printf("\nThe configurator beside the raw exchange (a bare socket's status request and reply)\n");
    if (!raw) {
        std::printf("  no raw round trip measured: no ratios\n");
        return;
    }
    const auto real = Each(*raw, [](const Repetition& r) { return r.Real; });
    std::printf("  raw round trip: %.1f us real (median of %zu; %.1f to %.1f), %.1f us CPU\n",
                Median(real) * 1e6, real.size(), *std::min_element(real.begin(), real.end()) * 1e6,
                *std::max_element(real.begin(), real.end()) * 1e6,
                Median(Each(*raw, [](const Repetition& r) { return r.Cpu; })) * 1e6);
    if (load)
        PrintLoad(*raw, *load);
    if (search)
        PrintSearch(*raw, *search, devices);
}

void LanRatioReporter::PrintLoad(const Repetitions& raw, const Repetitions& load) const
{
    const auto rawReal = Each(raw, [](const Repetition& r) { return r.Real; });
    const auto real = Each(load, [](const Repetition& r) { return r.Real; });
    const double trips = load.front().Counters.at("round_trips");
    const double ratio = Median(real) / (trips * Median(rawReal));
    const double fastest = *std::min_element(real.begin(), real.end()) /
                           (trips * *std::min_element(rawReal.begin(), rawReal.end()));
    std::printf("  (a) loading a door controller with %d doors: %.0f round trips in %.1f us "
                "(median; %.1f to %.1f), %.1f us CPU\n"
                "      ratio to %.0f x the raw round trip: %.2f (target at most %.2f: %s); "
                "fastest against fastest %.2f\n",
                DoorsToLoad, trips, Median(real) * 1e6, *std::min_element(real.begin(), real.end()) * 1e6,
                *std::max_element(real.begin(), real.end()) * 1e6,
                Median(Each(load, [](const Repetition& r) { return r.Cpu; })) * 1e6, trips, ratio,
                TargetRatio, ratio <= TargetRatio ? "met" : "MISSED", fastest);
}

void LanRatioReporter::PrintSearch(const Repetitions& raw, const Repetitions& search, int devices) const
{
    const auto found = Each(search, [](const Repetition& r) { return r.Counters.at("found"); });
    const auto passes = Each(search, [](const Repetition& r) { return r.Counters.at("passes"); });
    const bool all = *std::min_element(found.begin(), found.end()) == devices &&
                     *std::max_element(passes.begin(), passes.end()) == 1;
    const double cpu = Median(Each(search, [](const Repetition& r) { return r.Cpu; }));
    const double rawCpu = Median(Each(raw, [](const Repetition& r) { return r.Cpu; }));
    std::printf("  (b) search of %d devices: %.1f found per search in %.1f passes, %.1f ms (%s)\n", devices,
                Median(found), Median(passes),
                Median(Each(search, [](const Repetition& r) { return r.Real; })) * 1e3,
                all ? "all found in the first pass" : "NOT all found in the first pass");
    if (Median(found) > 0)
        std::printf("      CPU per reply %.1f us, %.2f x the raw exchange's CPU\n", cpu / Median(found) * 1e6,
                    cpu / Median(found) / rawCpu);
}

}  // namespace quor::bench
