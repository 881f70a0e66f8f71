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
    bool All = false;
    std::vector<std::string> Only = {};
    const char* HelpOf = "";
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
    {.Args = {"backup", "--all", "kopie"}, .Command = CtlCommand::Backup, .File = "kopie", .All = true},
    {.Args = {"report", "--all", "raporty", "--location", "Hala 2"},
     .Command = CtlCommand::Report,
     .File = "raporty",
     .Location = "Hala 2",
     .All = true},
    {.Args = {"site", "export", "site.yaml"}, .Command = CtlCommand::SiteExport, .File = "site.yaml"},
    {.Args = {"--interface", "eth1", "site", "plan", "site.yaml", "--only", "K01_01101", "K03_01301"},
     .Command = CtlCommand::SitePlan,
     .File = "site.yaml",
     .Interface = "eth1",
     .Only = {"K01_01101", "K03_01301"}},
    {.Args = {"site", "plan", "--format", "json", "site.yaml"},
     .Command = CtlCommand::SitePlan,
     .File = "site.yaml",
     .Format = OutputFormat::Json},
    {.Args = {"site", "apply", "site.yaml", "--dry-run"},
     .Command = CtlCommand::SiteApply,
     .File = "site.yaml",
     .DryRun = true},
    {.Args = {"site", "--help"}, .Command = CtlCommand::Help, .HelpOf = "site"},
    {.Args = {"site", "apply", "-h"}, .Command = CtlCommand::Help, .HelpOf = "site"},
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
        EXPECT_EQ(o.All, c.All) << line;
        EXPECT_EQ(o.Only, c.Only) << line;
        EXPECT_EQ(o.HelpOf, c.HelpOf) << line;
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
         "--format belongs to search, table, config, scan, site plan, site apply, site check and site show"},
        {{"restore", "K01_01101", "b.json", "--format", "json"},
         "--format belongs to search, table, config, scan, site plan, site apply, site check and site show"},
        {{"backup", "K01_01101", "b.json", "--dry-run"}, "--dry-run belongs to restore and site apply"},
        {{"backup", "--all"}, "--all needs a value"},
        {{"backup", "K01_01101", "--all", "kopie"}, "backup --all DIR takes no DEVICE or FILE"},
        {{"report", "--all", "raporty", "K01_01101", "r.txt"}, "report --all DIR takes no DEVICE or FILE"},
        {{"config", "K01_01101", "--all", "kopie"}, "--all belongs to report and backup"},
        {{"site"}, "site needs export, plan, apply, check, show or rollback"},
        {{"site", "push", "site.yaml"}, "site needs export, plan, apply, check, show or rollback, not push"},
        {{"site", "plan"}, "site plan takes 1 argument"},
        {{"site", "export", "a.yaml", "b.yaml"}, "site export takes 1 argument"},
        {{"site", "plan", "site.yaml", "--format", "csv"},
         "--format takes json or text for site plan, not csv"},
        {{"site", "export", "site.yaml", "--dry-run"}, "--dry-run belongs to restore and site apply"},
        {{"table", "K01_01101", "--only", "K01_01101"},
         "--only belongs to site export, site plan, site apply and site check"},
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
    const char* const usages[] = {
        "search [--format json|csv]",
        "table DEVICE [--format json|csv]",
        "config DEVICE [--format json|csv]",
        "report DEVICE FILE [--location TEXT] [--all DIR]",
        "backup DEVICE FILE [--all DIR]",
        "restore DEVICE FILE [--dry-run] [--accept-serial-changes]",
        "diff DEVICE|FILE FILE",
        "scan ADDR/PREFIX [--format json|csv]",
        "site export FILE [--only NAME]...",
        "site plan FILE [--only NAME]... [--exclude NAME]... [--format json] [--out PLAN]",
        "site apply FILE [--only NAME]... [--exclude NAME]... [--dry-run] [--journal DIR] "
        "[--format json]",
        "site check FILE [--only NAME]... [--exclude NAME]... [--backups DIR] [--format json]",
        "site show PLAN [--format json]",
        "site rollback JOURNAL"};
    std::string expected;
    for (const char* usage : usages)
        expected += std::string(expected.empty() ? "Usage: " : "   or: ") + common + usage + "\n";
    expected += "   or: quorctl interfaces\n"
                "   or: quorctl --help\n"
                "   or: quorctl --version\n";
    EXPECT_TRUE(help.starts_with(expected)) << help;
    for (const char* line :
         {"\n  --interface NAME\n", "\n  report      writes the report file", "\n    --location TEXT\n",
          "\n    --dry-run prints the mapping", "\nExit status: 0 done",
          "\n    plan      reads each controller FILE names", "\n      --format json\n",
          "\n          K01_01101: Przejście 1 / Impuls otwarcia rygla: 3 s -> 2,5 s\n",
          "\n  --target ADDR[/PREFIX] ...", "\n  --no-broadcast", "window lists at most 100 devices"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

// quorctl site --help: the usage of its commands with the program's options, and the cycle.
TEST(QuorctlOptions, SiteHelpShowsTheCycle)
{
    const std::string help = QuorctlHelp("site");
    EXPECT_TRUE(help.starts_with(
        "Usage: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "export FILE [--only NAME]...\n"
        "   or: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "plan FILE [--only NAME]... [--exclude NAME]... [--format json] [--out PLAN]\n"
        "   or: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "apply FILE [--only NAME]... [--exclude NAME]... [--dry-run] [--journal DIR] [--format json]\n"
        "   or: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "check FILE [--only NAME]... [--exclude NAME]... [--backups DIR] [--format json]\n"
        "   or: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "show PLAN [--format json]\n"
        "   or: quorctl [--interface NAME] [--target ADDR[/PREFIX]]... [--no-broadcast] site "
        "rollback JOURNAL\n"
        "   or: quorctl site --help\n"))
        << help;
    for (const char* line :
         {"\n  apply       plans FILE (or takes a plan saved by plan --out), then writes",
          "\n    --dry-run prints the plan", "\n  plan    quorctl site plan site.yaml: what would change",
          "\n          1 controller to change, 1 field; 2 unchanged\n",
          "\n  rollback    writes the journal's backups back", "quorctl site apply plan.json",
          "\n    --backups DIR"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
    EXPECT_EQ(help.find("restore"), std::string::npos);
}

}  // namespace
}  // namespace quor::tools
