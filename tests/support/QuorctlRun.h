#pragma once
// quorctl run in-process on the in-memory LAN, as a PC of its own, on a day
// of its own: a report is dated 5 March 2021.
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "sim/VirtualLan.h"
#include "tools/quorctl/Commands.h"
#include "tools/quorctl/Options.h"

namespace quor::test {

struct Outcome {
    int Status;
    std::string Out;
    std::string Err;
};

inline Outcome RunQuorctlOn(sim::VirtualLan& lan, const std::vector<std::string>& args)
{
    constexpr std::chrono::year_month_day today{std::chrono::year{2021}, std::chrono::March,
                                                std::chrono::day{5}};
    std::ostringstream out;
    std::ostringstream err;
    const int status = tools::RunQuorctl(tools::ParseQuorctlOptions(args), lan.AddPc(), out, err, today);
    return {status, out.str(), err.str()};
}

}  // namespace quor::test
