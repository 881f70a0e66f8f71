// quorctl's command line.

#include <gtest/gtest.h>

#include "tools/quorctl/Options.h"

namespace quor::tools {
namespace {

struct LineCase {
    std::vector<std::string> Args;
    CtlCommand Command;
    const char* Device = "";
    const char* File = "";
    const char* Location = "";
    const char* Interface = "";
    OutputFormat Format = OutputFormat::Text;
    bool DryRun = false;
    bool Accept = false;
};

const LineCase GoodLines[] = {
    {.Args = {"search"}, .Command = CtlCommand::Search},
    {.Args = {"table", "K01_12345"}, .Command = CtlCommand::Table, .Device = "K01_12345"},
    {.Args = {"config", "10.45.1.11"}, .Command = CtlCommand::Config, .Device = "10.45.1.11"},
    {.Args = {"report", "K01_01101", "r.txt"},
     .Command = CtlCommand::Report,
     .Device = "K01_01101",
     .File = "r.txt"},
    {.Args = {"report", "K01_01101", "r.txt", "--location", "Hala 2"},
     .Command = CtlCommand::Report,
     .Device = "K01_01101",
     .File = "r.txt",
     .Location = "Hala 2"},
    {.Args = {"report", "--location", "", "K01_01101", "-"},
     .Command = CtlCommand::Report,
     .Device = "K01_01101",
     .File = "-"},
    {.Args = {"--interface", "eth1", "search"}, .Command = CtlCommand::Search, .Interface = "eth1"},
    {.Args = {"table", "K01_12345", "--interface", "enp3s0"},
     .Command = CtlCommand::Table,
     .Device = "K01_12345",
     .Interface = "enp3s0"},
    {.Args = {"report", "--interface", "eth0", "K01_01101", "r.txt", "--location", "Hala 2"},
     .Command = CtlCommand::Report,
     .Device = "K01_01101",
     .File = "r.txt",
     .Location = "Hala 2",
     .Interface = "eth0"},
    {.Args = {"interfaces"}, .Command = CtlCommand::Interfaces},
    {.Args = {"--help"}, .Command = CtlCommand::Help},
    {.Args = {"table", "-h"}, .Command = CtlCommand::Help},
    {.Args = {"--version"}, .Command = CtlCommand::Version},
    {.Args = {"backup", "K01_01101", "b.json"},
     .Command = CtlCommand::Backup,
     .Device = "K01_01101",
     .File = "b.json"},
    {.Args = {"restore", "--dry-run", "K01_01102", "b.json", "--accept-serial-changes"},
     .Command = CtlCommand::Restore,
     .Device = "K01_01102",
     .File = "b.json",
     .DryRun = true,
     .Accept = true},
    {.Args = {"restore", "10.45.1.11", "b.json", "--accept-serial-changes"},
     .Command = CtlCommand::Restore,
     .Device = "10.45.1.11",
     .File = "b.json",
     .Accept = true},
    {.Args = {"diff", "a.json", "b.json"}, .Command = CtlCommand::Diff, .Device = "a.json", .File = "b.json"},
    {.Args = {"search", "--format", "json"}, .Command = CtlCommand::Search, .Format = OutputFormat::Json},
    {.Args = {"table", "--format", "csv", "K01_01101"},
     .Command = CtlCommand::Table,
     .Device = "K01_01101",
     .Format = OutputFormat::Csv},
    {.Args = {"config", "K01_01101", "--format", "text"},
     .Command = CtlCommand::Config,
     .Device = "K01_01101"},
    {.Args = {"scan", "10.2.0.0/24", "--format", "csv"},
     .Command = CtlCommand::Scan,
     .Device = "10.2.0.0/24",
     .Format = OutputFormat::Csv},
};

TEST(QuorctlOptions, TargetsAndNoBroadcast)
{
    const struct {
        std::vector<std::string> Args;
        std::vector<std::string> Targets;
        bool NoBroadcast;
    } cases[] = {
        {{"search"}, {}, false},
        {{"--target", "10.2.0.0/24", "search"}, {"10.2.0.0/24"}, false},
        {{"--target", "10.2.0.7", "--target=10.3.0.0/22", "--no-broadcast", "config", "K01_1"},
         {"10.2.0.7", "10.3.0.0/22"},
         true},
        {{"backup", "K01_1", "b.json", "--target", "10.2.0.7"}, {"10.2.0.7"}, false},
    };
    for (const auto& c : cases) {
        const QuorctlOptions o = ParseQuorctlOptions(c.Args);
        EXPECT_EQ(o.Targets, c.Targets) << testing::PrintToString(c.Args);
        EXPECT_EQ(o.NoBroadcast, c.NoBroadcast) << testing::PrintToString(c.Args);
    }
}

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
        EXPECT_EQ(o.Format, c.Format) << line;
        EXPECT_EQ(o.DryRun, c.DryRun) << line;
        EXPECT_EQ(o.AcceptSerialChanges, c.Accept) << line;
    }
}

// The message of a refused line, "accepted" for none.
std::string Refusal(const std::vector<std::string>& args)
{
    try {
        ParseQuorctlOptions(args);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "accepted";
}

TEST(QuorctlOptions, RefuseWrongLines)
{
    const std::pair<std::vector<std::string>, const char*> bad[] = {
        {{}, "no command given"},
        {{"find"}, "unknown command: find"},
        {{"search", "K01_12345"}, "search takes 0 arguments"},
        {{"table"}, "table takes 1 argument"},
        {{"config", "K01_1", "K01_2"}, "config takes 1 argument"},
        {{"report", "K01_01101"}, "report takes 2 arguments"},
        {{"report", "K01_01101", "r.txt", "--location"}, "--location needs a value"},
        {{"config", "K01_01101", "--location", "Hala"}, "--location belongs to report"},
        {{"search", "--verbose"}, "unknown option: --verbose"},
        {{"search", "--interface"}, "--interface needs a name"},
        {{"--interface", "", "search"}, "--interface needs a name"},
        {{"interfaces", "--interface", "eth0"}, "interfaces lists them all; it takes no --interface"},
        {{"interfaces", "eth0"}, "interfaces takes 0 arguments"},
        {{"backup", "K01_01101"}, "backup takes 2 arguments"},
        {{"diff", "b.json"}, "diff takes 2 arguments"},
        {{"config", "K01_01101", "--format"}, "--format needs a value"},
        {{"config", "K01_01101", "--format", "xml"}, "--format takes json, csv or text, not xml"},
        {{"report", "K01_01101", "r.txt", "--format", "json"},
         "--format belongs to search, table, config and scan"},
        {{"restore", "K01_01101", "b.json", "--format", "json"},
         "--format belongs to search, table, config and scan"},
        {{"backup", "K01_01101", "b.json", "--dry-run"}, "--dry-run belongs to restore"},
        {{"diff", "a.json", "b.json", "--accept-serial-changes"},
         "--accept-serial-changes belongs to restore"},
        {{"search", "--target"}, "--target needs a value"},
        {{"scan"}, "scan takes 1 argument"},
        {{"scan", "10.2.0.0/24", "10.3.0.0/24"}, "scan takes 1 argument"},
    };
    for (const auto& [args, message] : bad)
        EXPECT_EQ(Refusal(args), message) << testing::PrintToString(args);
}

// The usage lines and each command's options, written from the declarations.
TEST(QuorctlOptions, HelpNamesEveryCommandAndOption)
{
    const std::string help = QuorctlHelp();
    const char* const common = "quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] ";
    const char* const usages[] = {"search [--format json|csv]",
                                  "table DEVICE [--format json|csv]",
                                  "config DEVICE [--format json|csv]",
                                  "report DEVICE FILE [--location TEXT]",
                                  "backup DEVICE FILE",
                                  "restore DEVICE FILE [--dry-run] [--accept-serial-changes]",
                                  "diff DEVICE|FILE FILE",
                                  "scan ADDR/PREFIX [--format json|csv]"};
    std::string expected;
    for (const char* usage : usages)
        expected += std::string(expected.empty() ? "Usage: " : "   or: ") + common + usage + "\n";
    expected += "   or: quorctl interfaces\n"
                "   or: quorctl --help\n"
                "   or: quorctl --version\n";
    EXPECT_TRUE(help.starts_with(expected)) << help;
    for (const char* line :
         {"\n  --interface NAME\n", "\n  report      writes the report file", "\n    --location TEXT\n",
          "\n    --dry-run prints the mapping", "\nExit status: 0 done", "\n  --target ADDR[/PREFIX] ...",
          "\n  --no-broadcast", "window lists at most 100 devices"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace quor::tools
