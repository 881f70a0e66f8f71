// quorctl on the in-memory LAN against the expected outputs that the
// virtual-LAN tests check over real sockets (tests/lan/expected): the same
// text must come out of either transport.
//
// A file <scenario>.<command>[.<device>].txt holds what the command prints
// (for report: the file it writes, dated 2019-08-29, location "Budynek B,
// wejście główne"); .json and .csv what it prints with --format json or csv;
// a file ending in .err what it prints on stderr when it fails.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/Scenario.h"
#include "tests/support/FileText.h"
#include "tools/quorctl/Commands.h"

namespace quor::tools {
namespace {

namespace fs = std::filesystem;

const fs::path ExpectedDir = QUOR_LAN_EXPECTED_DIR;
constexpr std::chrono::year_month_day ReportDate{std::chrono::year{2019}, std::chrono::August,
                                                 std::chrono::day{29}};
constexpr const char* ReportLocation = "Budynek B, wejście główne";

using test::ReadFile;

struct ExpectedRun {
    std::string Scenario;
    QuorctlOptions Options;
    bool Fails;
};

// "site.config.K01_01101.txt": the device may be an address with dots of its own.
ExpectedRun RunOf(const fs::path& file)
{
    const std::string stem = file.stem().string();
    const size_t first = stem.find('.');
    const size_t second = stem.find('.', first + 1);
    std::vector<std::string> args{stem.substr(first + 1, second - first - 1)};
    if (second != std::string::npos)
        args.push_back(stem.substr(second + 1));
    if (args[0] == "report") {
        args.push_back((fs::temp_directory_path() / ("quorctl-test-" + stem)).string());
        args.insert(args.end(), {"--location", ReportLocation});
    }
    if (file.extension() == ".json" || file.extension() == ".csv")
        args.insert(args.end(), {"--format", file.extension().string().substr(1)});
    return {stem.substr(0, first), ParseQuorctlOptions(args), file.extension() == ".err"};
}

std::vector<std::string> ExpectedFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ExpectedDir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ExpectedOutput : public testing::TestWithParam<std::string> {};

TEST_P(ExpectedOutput, ComesOutOfTheInMemoryLan)
{
    const fs::path file = ExpectedDir / GetParam();
    const ExpectedRun run = RunOf(file);
    sim::VirtualLan lan;
    sim::Scenario scenario = sim::LoadScenario(std::string(QUOR_SCENARIO_DIR) + "/" + run.Scenario + ".json");
    sim::AttachAll(scenario, lan);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunQuorctl(run.Options, lan.AddPc(), out, err, ReportDate);

    EXPECT_EQ(status, run.Fails ? 1 : 0) << err.str();
    std::string got = run.Fails ? err.str() : out.str();
    if (run.Options.Command == CtlCommand::Report && !run.Fails) {
        EXPECT_EQ(out.str(), "");
        got = ReadFile(run.Options.File);
        fs::remove(run.Options.File);
    }
    EXPECT_EQ(got, ReadFile(file));
}

INSTANTIATE_TEST_SUITE_P(Files, ExpectedOutput, testing::ValuesIn(ExpectedFiles()), [](const auto& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

}  // namespace
}  // namespace quor::tools
