// quorctl's command line.

#include <gtest/gtest.h>

#include "tools/quorctl/Options.h"

namespace quor::tools {
namespace {

struct LineCase {
    std::vector<std::string> Args;
    CtlCommand Command;
    const char* Device;
    const char* File;
    const char* Location;
    const char* Interface = "";
};

const LineCase GoodLines[] = {
    {{"search"}, CtlCommand::Search, "", "", ""},
    {{"table", "K01_12345"}, CtlCommand::Table, "K01_12345", "", ""},
    {{"config", "10.45.1.11"}, CtlCommand::Config, "10.45.1.11", "", ""},
    {{"report", "K01_01101", "r.txt"}, CtlCommand::Report, "K01_01101", "r.txt", ""},
    {{"report", "K01_01101", "r.txt", "--location", "Hala 2"},
     CtlCommand::Report,
     "K01_01101",
     "r.txt",
     "Hala 2"},
    {{"report", "--location", "", "K01_01101", "-"}, CtlCommand::Report, "K01_01101", "-", ""},
    {{"--interface", "eth1", "search"}, CtlCommand::Search, "", "", "", "eth1"},
    {{"table", "K01_12345", "--interface", "enp3s0"}, CtlCommand::Table, "K01_12345", "", "", "enp3s0"},
    {{"report", "--interface", "eth0", "K01_01101", "r.txt", "--location", "Hala 2"},
     CtlCommand::Report,
     "K01_01101",
     "r.txt",
     "Hala 2",
     "eth0"},
    {{"interfaces"}, CtlCommand::Interfaces, "", "", ""},
    {{"--help"}, CtlCommand::Help, "", "", ""},
    {{"table", "-h"}, CtlCommand::Help, "", "", ""},
};

TEST(QuorctlOptions, ReadEveryCommand)
{
    for (const LineCase& c : GoodLines) {
        const QuorctlOptions o = ParseQuorctlOptions(c.Args);
        const std::string line = testing::PrintToString(c.Args);
        EXPECT_EQ(o.Command, c.Command) << line;
        EXPECT_EQ(o.Device, c.Device) << line;
        EXPECT_EQ(o.File, c.File) << line;
        EXPECT_EQ(o.Location, c.Location) << line;
        EXPECT_EQ(o.Interface, c.Interface) << line;
    }
}

TEST(QuorctlOptions, ReadBackupRestoreDiffAndFormats)
{
    const struct {
        std::vector<std::string> Args;
        CtlCommand Command;
        const char* Device;
        const char* File;
        OutputFormat Format;
        bool DryRun;
        bool Accept;
    } cases[] = {
        {{"backup", "K01_01101", "b.json"},
         CtlCommand::Backup,
         "K01_01101",
         "b.json",
         OutputFormat::Text,
         false,
         false},
        {{"restore", "--dry-run", "K01_01102", "b.json", "--accept-serial-changes"},
         CtlCommand::Restore,
         "K01_01102",
         "b.json",
         OutputFormat::Text,
         true,
         true},
        {{"restore", "10.45.1.11", "b.json", "--accept-serial-changes"},
         CtlCommand::Restore,
         "10.45.1.11",
         "b.json",
         OutputFormat::Text,
         false,
         true},
        {{"diff", "a.json", "b.json"},
         CtlCommand::Diff,
         "a.json",
         "b.json",
         OutputFormat::Text,
         false,
         false},
        {{"search", "--format", "json"}, CtlCommand::Search, "", "", OutputFormat::Json, false, false},
        {{"table", "--format", "csv", "K01_01101"},
         CtlCommand::Table,
         "K01_01101",
         "",
         OutputFormat::Csv,
         false,
         false},
        {{"config", "K01_01101", "--format", "text"},
         CtlCommand::Config,
         "K01_01101",
         "",
         OutputFormat::Text,
         false,
         false},
    };
    for (const auto& c : cases) {
        const QuorctlOptions o = ParseQuorctlOptions(c.Args);
        const std::string line = testing::PrintToString(c.Args);
        EXPECT_EQ(o.Command, c.Command) << line;
        EXPECT_EQ(o.Device, c.Device) << line;
        EXPECT_EQ(o.File, c.File) << line;
        EXPECT_EQ(o.Format, c.Format) << line;
        EXPECT_EQ(o.DryRun, c.DryRun) << line;
        EXPECT_EQ(o.AcceptSerialChanges, c.Accept) << line;
    }
}

TEST(QuorctlOptions, RefuseWrongLines)
{
    const std::vector<std::string> bad[] = {
        {},
        {"find"},
        {"search", "K01_12345"},
        {"table"},
        {"config", "K01_1", "K01_2"},
        {"report", "K01_01101"},
        {"report", "K01_01101", "r.txt", "--location"},
        {"config", "K01_01101", "--location", "Hala"},
        {"search", "--verbose"},
        {"search", "--interface"},
        {"--interface", "", "search"},
        {"interfaces", "--interface", "eth0"},
        {"interfaces", "eth0"},
        {"backup", "K01_01101"},
        {"diff", "b.json"},
        {"config", "K01_01101", "--format"},
        {"config", "K01_01101", "--format", "xml"},
        {"report", "K01_01101", "r.txt", "--format", "json"},
        {"restore", "K01_01101", "b.json", "--format", "json"},
        {"backup", "K01_01101", "b.json", "--dry-run"},
        {"diff", "a.json", "b.json", "--accept-serial-changes"},
    };
    for (const auto& args : bad)
        EXPECT_THROW(ParseQuorctlOptions(args), std::invalid_argument) << testing::PrintToString(args);
}

}  // namespace
}  // namespace quor::tools
