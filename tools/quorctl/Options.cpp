#include "tools/quorctl/Options.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "QuorVersion.h"
#include "link/TargetTexts.h"
#include "report/Rap.h"
#include "tools/common/CliHelp.h"
#include "tools/common/CliParse.h"

namespace quor::tools {
namespace {

const char* const About =
    R"(Talks to the devices on the LAN the way the configurator does, on UDP port
45389. It searches by broadcast to 255.255.255.255, which leaves by one
interface only, so on the machine's own network it needs the interface the
controllers are on: --interface NAME sends the search and every datagram out
of that interface, and takes in only what comes in on it. Without
--interface, quorctl runs only inside a network namespace of its own (the
virtual LAN: tools/lan run -- quorctl ...). A router forwards no broadcast:
--target names a device's address or a range behind it, and every search
asks those addresses too. quorctl lists every device that answers; the
window lists at most 100 devices.)";

const char* const Footer =
    R"(--format json|csv prints search, table, config and scan for scripts (UTF-8;
the default is --format text):
  search  JSON: [{name, id, ip, mode, protocol}, ...]; scan the same
  table   JSON: {controller, entries: [{entry, name, connection, kind,
          status: [...], id, model, serial, conn, flags, outputs,
          fixed_outputs, inputs, readers, output_sets}, ...]}
  config  JSON: {controller: {name, id, ip, mode, protocol}, kind,
          door_count, train_flag, fields: [{section, group, label, value,
          mark}, ...]}; value "" is none, mark "NC", "Wyjście" or "!"
CSV (RFC 4180, CR LF, quoted where needed) has a header row of the same
keys; table and config start each row with the controller's name, status is
blank-separated. docs/quorctl-formats.md describes these and the backup file.

DEVICE is a device name such as K01_12345, or its IP address; a search runs
first. Reading a controller needs mode Serwis or Instalacja; the session
opened for it is closed on exit.

Exit status: 0 done (diff: no differences); 1 the device failed (the
configurator's error message, "Błąd nr N", on stderr), was not found, a
backup was refused, or another error (diff: differences found); 2 a wrong
command line, an interface that cannot be used, or no --interface outside a
network namespace of its own (diff: also any failure).)";

const char* const FormatHelp = "search, table, config and scan: the output for scripts (default\ntext)";

// The cycle of quorctl site, in quorctl --help (and so the manual page) and quorctl site --help.
const char* const SiteCycle =
    R"(A site as code: one YAML file states what the controllers of a site hold,
in the words of their sheets (docs/site-file.md), and goes under version
control. The cycle:
  export  quorctl site export site.yaml: every controller found, every
          field
  edit    door 1 of K01_01101: Impuls otwarcia rygla: 3 s becomes 2,5 s
  plan    quorctl site plan site.yaml: what would change, nothing written:
          K01_01101: Przejście 1 / Impuls otwarcia rygla: 3 s -> 2,5 s
          K01_01101: writes 1/0
          1 controller to change, 1 field; 2 unchanged
  apply   quorctl site apply site.yaml: writes exactly that, reads it back
  plan    again: 0 controllers to change, 0 fields; 3 unchanged

A field the file leaves out is left as the controller holds it. plan and
apply list every problem as FILE:LINE:COLUMN: TEXT (a controller not found,
not a controller, of another kind, in mode Blokada or Konfiguracja or held
in another program's session; a section, group or label its sheet lacks; a
value its control or selector would not take) beside the plan of every
other controller; then apply writes nothing anywhere. apply writes each
controller with a change in the file's order, only the blocks whose bytes
change, and reads them back; right before, it reads the controller again
and leaves it unwritten if anything changed since it was planned. A
controller without a change gets no write, so a second apply writes
nothing. A failure stops the run and names the controllers written, the
one that failed with its blocks written and not, and those not reached.

Reviewed plans: quorctl site plan site.yaml --out plan.json saves the plan;
quorctl site show plan.json prints it; quorctl site apply plan.json writes
exactly it, and refuses it once site.yaml or a controller has changed
since. quorctl site check site.yaml --backups DIR plans against the backups
backup --all wrote there, with no network.

Every apply that writes keeps a journal (its folder is the first line it
prints; default $XDG_STATE_HOME/quorctl/journal/, --journal DIR): a backup
of each controller before its write and a line for every block written and
read back. quorctl site rollback JOURNAL writes those backups back, refusing
a controller changed since by anyone else. SIGINT or SIGTERM ends an apply
after the block being written, with the outcome printed and journaled.

Exit status of site: export 0, or 1 when a controller could not be read (it
is left out, with a warning); plan, check, show and apply --dry-run 0
nothing to change, 1 changes; apply and rollback 0 done; every site command
2 on a problem in the file or a failure; apply 130 or 143 when SIGINT or
SIGTERM stopped it.)";

// The command line as CLI11 reads it; --help is written from the same declarations.
struct CtlLine {
    CLI::App App{About, "quorctl"};
    QuorctlOptions Options;
    std::string Format = "text";  // checked after the parse, with our own message
    std::vector<std::pair<CLI::App*, CtlCommand>> Commands;
    CLI::App* Site = nullptr;
    std::string AllFolder;

    CtlLine()
    {
        App.formatter(std::make_shared<CliHelp>(std::set<std::string>{"interfaces"}));
        App.set_help_flag("-h,--help", "this text");
        App.set_version_flag("--version", QUOR_VERSION, "the version of quorctl");
        App.add_option("--interface", Options.Interface,
                       "the network interface to use, one of those that quorctl\ninterfaces lists")
            ->type_name("NAME");
        TargetOptions();
        App.allow_extras();
        App.require_subcommand(0, 1);
        App.fallthrough();

        CLI::App* search = Command(CtlCommand::Search, "search",
                                   "the devices that answer, one per line as the Ethernet list\n"
                                   "shows them (name, address, mode), in the configurator's order");
        FormatOption(search);

        CLI::App* table = Command(CtlCommand::Table, "table",
                                  "the controller's bus-device list, one row per present device:\n"
                                  "entry, kind, name/connection and the first status that applies");
        Device(table);
        FormatOption(table);

        CLI::App* config = Command(CtlCommand::Config, "config",
                                   "the controller's configuration as its sheet shows it: for each\n"
                                   "door (or the lift, or the lockers) every slot under its label\n"
                                   "with the resource assigned (\"NC\": the NC box is ticked;\n"
                                   "\"Wyjście\": an exit reader), then airlock, door type, times in\n"
                                   "seconds, train number, locker ranges and room name. A stored\n"
                                   "value the sheet offers no item for shows as \"? (value)\"; \"!\"\n"
                                   "marks a locker number the sheet shows in yellow");
        Device(config);
        FormatOption(config);

        CLI::App* report = Command(CtlCommand::Report, "report",
                                   "writes the report file of a door controller (Windows-1250,\n"
                                   "CR LF) with today's date");
        Device(report, false);
        File(report, false);
        report
            ->add_option("--location", Options.Location,
                         "describes where the controller is installed (at most " +
                             std::to_string(LocationMax) + "\ncharacters are kept)")
            ->type_name("TEXT");
        AllOption(report, "instead of DEVICE FILE: a report of each door controller found,\n"
                          "in DIR, named as the window proposes (\"2021-03-05\n"
                          "K01_01101.txt\")");

        CLI::App* backup = Command(CtlCommand::Backup, "backup",
                                   "reads the controller as config does and writes FILE (JSON, to\n"
                                   "a temporary name renamed at the end): the controller, its\n"
                                   "bus-device table, every configuration block exactly as read\n"
                                   "(hex) and, for people, the sheet's fields");
        Device(backup, false);
        File(backup, false);
        AllOption(backup, "instead of DEVICE FILE: a backup of each controller found, in\n"
                          "DIR, named by its device name (K01_01101.json)");

        CLI::App* restore = Command(CtlCommand::Restore, "restore",
                                    "writes the blocks of the backup FILE to the controller with\n"
                                    "the blocks, order and acknowledgements of the sheet's write\n"
                                    "button. A block names bus devices by their entry in the table,\n"
                                    "so each device it names is looked up by model and serial in\n"
                                    "the controller's table and the reference is moved to that\n"
                                    "entry; the backup's controller maps to this controller. The\n"
                                    "kind, the door count, the train number block and the block\n"
                                    "shapes must match and every device must be found; otherwise\n"
                                    "nothing is written and every mismatch is listed. A failure\n"
                                    "half-way names the blocks written; nothing is rolled back");
        Device(restore);
        File(restore);
        restore->add_flag("--dry-run", Options.DryRun,
                          "prints the mapping, the checks and the blocks, and writes\nnothing");
        restore->add_flag("--accept-serial-changes", Options.AcceptSerialChanges,
                          "a device not found is replaced by the only other device of\n"
                          "its model on its connection (printed)");

        CLI::App* diff = Command(CtlCommand::Diff, "diff",
                                 "the differences between two configurations, one line each,\n"
                                 "\"where: first -> second\" in the sheets' words; references are\n"
                                 "compared by device, a controller's own entry with the other's.\n"
                                 "The first operand is a device when it reads like a device name\n"
                                 "or an address, otherwise a backup file (./K01_12345 is a file)");
        diff->add_option("DEVICE|FILE", Options.Device)->required();
        File(diff);

        CLI::App* scan = Command(CtlCommand::Scan, "scan",
                                 "the devices that answer at an address of the range ADDR/PREFIX\n"
                                 "(at most " +
                                     WidestRangeText() + "), as search prints them; nothing is broadcast");
        scan->add_option("ADDR/PREFIX", Options.Device)->required();
        FormatOption(scan);

        Site = App.add_subcommand("site", "a site as code: what every controller of a site holds, in one\n"
                                          "file people review; export, plan, apply (the cycle below)");
        Site->group("Commands");
        Site->footer(SiteCycle);
        SiteCommand(CtlCommand::SiteExport, "export",
                    "reads every controller found (or those --only names) and\n"
                    "writes FILE stating every field, to a temporary name renamed\n"
                    "at the end; in an existing file only the controllers read are\n"
                    "replaced");
        CLI::App* plan = SiteCommand(CtlCommand::SitePlan, "plan",
                                     "reads each controller FILE names and prints every field that\n"
                                     "would change, the blocks to write, then a summary; writes\n"
                                     "nothing",
                                     true);
        plan->add_option("--format", Format, "the plan for scripts (default text)")->type_name("json");
        plan->add_option("--out", Options.Out, "also saves the plan, for site apply PLAN to write exactly it")
            ->type_name("PLAN");
        CLI::App* apply = SiteCommand(CtlCommand::SiteApply, "apply",
                                      "plans FILE (or takes a plan saved by plan --out), then writes\n"
                                      "each controller with a change and reads it back, keeping a\n"
                                      "journal: a backup of each controller before its write and a\n"
                                      "line for every step",
                                      true);
        apply->add_flag("--dry-run", Options.DryRun, "prints the plan and writes nothing");
        apply
            ->add_option("--journal", Options.Journal,
                         "the journal's folder (default\n"
                         "$XDG_STATE_HOME/quorctl/journal/DATE-AND-TIME)")
            ->type_name("DIR");
        apply->add_option("--format", Format, "the outcome for scripts (default text)")->type_name("json");
        CLI::App* check = SiteCommand(CtlCommand::SiteCheck, "check",
                                      "reads and checks FILE with no network; with --backups, plans\n"
                                      "it against those backups as plan would against the site",
                                      true);
        check->add_option("--backups", Options.Backups, "a folder that backup --all wrote")->type_name("DIR");
        check->add_option("--format", Format, "the plan for scripts (default text)")->type_name("json");
        CLI::App* show = SiteSubcommand(CtlCommand::SiteShow, "show",
                                        "prints a plan that plan --out saved, as plan prints it", "PLAN");
        show->add_option("--format", Format, "the plan for scripts (default text)")->type_name("json");
        SiteSubcommand(CtlCommand::SiteRollback, "rollback",
                       "writes the journal's backups back onto the controllers its run\n"
                       "changed; a controller changed since by anyone else is refused",
                       "JOURNAL");

        Command(CtlCommand::Interfaces, "interfaces",
                "the interfaces a search can use (up, with an IPv4 address, not\n"
                "loopback), one per line: name and address/prefix length");

        App.footer(std::string(Footer) + "\n\n" + SiteCycle);
    }

    CLI::App* Command(CtlCommand command, const std::string& name, const std::string& about)
    {
        CLI::App* sub = App.add_subcommand(name, about);
        sub->group("Commands");
        Commands.emplace_back(sub, command);
        return sub;
    }
    // Devices behind a router: a broadcast does not cross it, a request to a device's address does.
    void TargetOptions()
    {
        App.add_option("--target", Options.Targets,
                       "also ask this address, or each address of this range (at most\n" + WidestRangeText() +
                           "), in every search; repeatable, at most " + std::to_string(TargetsMost) +
                           " addresses in all")
            ->type_name("ADDR[/PREFIX]")
            ->take_last()
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        App.add_flag("--no-broadcast", Options.NoBroadcast, "a search asks the targets only");
    }
    void Device(CLI::App* sub, bool required = true)
    {
        sub->add_option("DEVICE", Options.Device)->required(required);
    }
    void File(CLI::App* sub, bool required = true)
    {
        sub->add_option("FILE", Options.File)->required(required);
    }
    // backup and report: --all DIR takes the place of DEVICE FILE, checked after the parse.
    void AllOption(CLI::App* sub, const std::string& about)
    {
        sub->add_option("--all", AllFolder, about)->type_name("DIR");
    }
    CLI::App* SiteSubcommand(CtlCommand command, const std::string& name, const std::string& about,
                             const std::string& operand)
    {
        CLI::App* sub = Site->add_subcommand(name, about);
        sub->group("Commands");
        Commands.emplace_back(sub, command);
        sub->add_option(operand, Options.File)->required();
        return sub;
    }
    // A site command on a site file, with --only (and --exclude where a plan is made).
    CLI::App* SiteCommand(CtlCommand command, const std::string& name, const std::string& about,
                          bool exclude = false)
    {
        CLI::App* sub = SiteSubcommand(command, name, about, "FILE");
        sub->add_option("--only", Options.Only,
                        "only the controllers named (device names; after FILE, as\nevery word up to the next "
                        "option is a name)")
            ->type_name("NAME");
        if (exclude)
            sub->add_option("--exclude", Options.Exclude, "all but the controllers named (device names)")
                ->type_name("NAME");
        return sub;
    }
    // "site plan" for a command of site.
    static std::string FullName(const CLI::App& sub)
    {
        const CLI::App* parent = sub.get_parent();
        const bool nested = parent != nullptr && parent->get_parent() != nullptr;
        return (nested ? parent->get_name() + " " : "") + sub.get_name();
    }
    void FormatOption(CLI::App* sub)
    {
        sub->add_option("--format", Format, FormatHelp)->type_name("json|csv");
    }

    // The commands that declare the option a word names: "search, table and config".
    std::string OwnersOf(const std::string& word) const
    {
        std::vector<std::string> owners;
        for (const auto& [sub, command] : Commands)
            if (NamedOption(*sub, word) != nullptr)
                owners.push_back(FullName(*sub));
        std::string text;
        for (size_t i = 0; i < owners.size(); ++i)
            text += (i == 0 ? "" : i + 1 == owners.size() ? " and " : ", ") + owners[i];
        return text;
    }

    // The option whose value CLI11 found missing: its message starts with the name.
    // Empty for an option whose CLI11 message stays as it is.
    static std::string NeedsValue(const std::string& option)
    {
        if (option == "--interface")
            return "--interface needs a name";
        for (const char* name : {"--location", "--format", "--all", "--only", "--target", "--exclude",
                                 "--out", "--journal", "--backups"})
            if (option == name)
                return option + " needs a value";
        return {};
    }

    const CLI::App* Chosen() const
    {
        for (const auto& [sub, command] : Commands)
            if (sub->parsed())
                return sub;
        return nullptr;
    }
};

OutputFormat FormatOf(const std::string& word)
{
    if (word == "text")
        return OutputFormat::Text;
    if (word == "json")
        return OutputFormat::Json;
    if (word == "csv")
        return OutputFormat::Csv;
    throw std::invalid_argument("--format takes json, csv or text, not " + word);
}

size_t Operands(const CLI::App& sub)
{
    return sub.get_options([](const CLI::Option* o) { return o->get_positional(); }).size();
}

size_t OperandsGiven(const CLI::App& sub)
{
    size_t given = 0;
    for (const CLI::Option* o : sub.get_options([](const CLI::Option* o) { return o->get_positional(); }))
        given += o->count() != 0 ? 1 : 0;
    return given;
}

std::string TakesText(const CLI::App& sub)
{
    const size_t operands = Operands(sub);
    return CtlLine::FullName(sub) + " takes " + std::to_string(operands) + " argument" +
           (operands == 1 ? "" : "s");
}

// backup and report: DEVICE FILE, or --all DIR alone.
void CheckAll(const CtlLine& line, const CLI::App& chosen, QuorctlOptions& options)
{
    const CLI::Option* all = chosen.get_option_no_throw("--all");
    if (all == nullptr)
        return;
    if (all->count() == 0) {
        if (OperandsGiven(chosen) != Operands(chosen))
            throw std::invalid_argument(TakesText(chosen));
        return;
    }
    if (OperandsGiven(chosen) != 0)
        throw std::invalid_argument(chosen.get_name() + " --all DIR takes no DEVICE or FILE");
    if (line.AllFolder.empty())
        throw std::invalid_argument("--all needs a folder");
    options.All = true;
    options.File = line.AllFolder;
}

}  // namespace

std::string QuorctlHelp(const std::string& command)
{
    CtlLine line;
    if (command == "site")
        return line.Site->help(line.App.get_name());
    return line.App.help();
}

std::string QuorctlVersion()
{
    return "quorctl " QUOR_VERSION "\n";
}

QuorctlOptions ParseQuorctlOptions(const std::vector<std::string>& args)
{
    CtlLine line;
    CliMessages messages;
    messages.NeedsValue = CtlLine::NeedsValue;
    messages.Required = [&line](const CLI::RequiredError& e) {
        const CLI::App* chosen = line.Chosen();
        return chosen != nullptr ? TakesText(*chosen) : std::string(e.what());
    };
    switch (ParseCli(line.App, args, messages)) {
    case CliEnd::Help: {
        QuorctlOptions help;
        if (line.Site->parsed())
            help.HelpOf = "site";
        return help;
    }
    case CliEnd::Version: {
        QuorctlOptions version;
        version.Command = CtlCommand::Version;
        return version;
    }
    case CliEnd::Parsed:
        break;
    }
    QuorctlOptions& options = line.Options;
    const CLI::App* chosen = line.Chosen();
    std::vector<std::string> words;
    for (const std::string& arg : line.App.remaining(true)) {
        if (!arg.starts_with("-") || arg.size() == 1) {
            words.push_back(arg);
            continue;
        }
        const std::string owners = line.OwnersOf(arg);
        if (owners.empty())
            throw std::invalid_argument("unknown option: " + arg);
        throw std::invalid_argument(arg.substr(0, arg.find('=')) + " belongs to " + owners);
    }
    if (chosen == nullptr && line.Site->parsed())
        throw std::invalid_argument("site needs export, plan, apply, check, show or rollback" +
                                    (words.empty() ? std::string() : ", not " + words.front()));
    if (chosen == nullptr)
        throw std::invalid_argument(words.empty() ? "no command given" : "unknown command: " + words.front());
    if (!words.empty())
        throw std::invalid_argument(TakesText(*chosen));
    options.Format = FormatOf(line.Format);
    if (options.Format == OutputFormat::Csv && chosen->get_parent() == line.Site)
        throw std::invalid_argument("--format takes json or text for site " + chosen->get_name() +
                                    ", not csv");
    CheckAll(line, *chosen, options);
    for (const auto& [sub, command] : line.Commands)
        if (sub == chosen)
            options.Command = command;
    if (line.App.get_option("--interface")->count() != 0 && options.Interface.empty())
        throw std::invalid_argument("--interface needs a name");
    if (!options.Interface.empty() && options.Command == CtlCommand::Interfaces)
        throw std::invalid_argument("interfaces lists them all; it takes no --interface");
    return options;
}

}  // namespace quor::tools
