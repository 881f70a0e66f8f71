#pragma once
// quorctl's command line.

#include <string>
#include <vector>

namespace quor::tools {

enum class CtlCommand {
    Help,
    Version,
    Search,
    Table,
    Config,
    Report,
    Interfaces,
    Backup,
    Restore,
    Diff,
    SiteExport,
    SitePlan,
    SiteApply,
    SiteShow,
    SiteCheck,
    SiteRollback,
    Scan
};

// How search, table and config print what they found.
enum class OutputFormat { Text, Json, Csv };

struct QuorctlOptions {
    CtlCommand Command = CtlCommand::Help;
    std::string Device;     // a device name such as K01_12345, or a dotted address; diff: a device or a file
    std::string File;       // report, backup: the file to write (with All: the folder); restore, diff: the
                            // backup to read; site: the site file, a saved plan or a journal
    std::string Location;   // report: UTF-8, at most LocationMax characters are kept
    std::string Interface;  // the network interface every datagram leaves by; empty: the routes decide
    // --target ADDR[/PREFIX], as given (scan: its range is Device); checked where they are expanded.
    std::vector<std::string> Targets;
    bool NoBroadcast = false;      // --no-broadcast: the search asks the targets only
    bool LoopbackTargets = false;  // inside a network namespace of our own a target may be loopback
    OutputFormat Format = OutputFormat::Text;
    bool DryRun = false;               // restore, site apply
    bool AcceptSerialChanges = false;  // restore
    bool All = false;                  // backup, report: every controller found, one file each in File
    std::vector<std::string> Only;     // site: the controllers to take; empty: all
    std::vector<std::string> Exclude;  // site plan, apply, check: the controllers to leave out
    std::string Out;                   // site plan: where to save the plan; empty: not saved
    std::string Journal;               // site apply: the journal's folder; empty: the default
    std::string Backups;               // site check: a folder of backup --all; empty: the file alone
    std::string HelpOf;                // Help: the command whose help was asked for ("site"), or empty
};

// What --help and --version print; QuorctlHelp("site") is the help of quorctl site.
std::string QuorctlHelp(const std::string& command = {});
std::string QuorctlVersion();

// Throws std::invalid_argument naming what is wrong.
QuorctlOptions ParseQuorctlOptions(const std::vector<std::string>& args);

}  // namespace quor::tools
