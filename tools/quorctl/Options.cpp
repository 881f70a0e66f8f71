#include "tools/quorctl/Options.h"

#include <memory>
#include <stdexcept>

#include "QuorVersion.h"
#include "tools/common/CliHelp.h"

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

// The command line as CLI11 reads it; --help is written from the same declarations.
struct CtlLine {
    CLI::App App{About, "quorctl"};
    QuorctlOptions Options;
    std::string Format = "text";  // checked after the parse, with our own message
    std::vector<std::pair<CLI::App*, CtlCommand>> Commands;

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
        Device(report);
        File(report);
        report
            ->add_option("--location", Options.Location,
                         "describes where the controller is installed (at most 80\ncharacters are kept)")
            ->type_name("TEXT");

        CLI::App* backup = Command(CtlCommand::Backup, "backup",
                                   "reads the controller as config does and writes FILE (JSON, to\n"
                                   "a temporary name renamed at the end): the controller, its\n"
                                   "bus-device table, every configuration block exactly as read\n"
                                   "(hex) and, for people, the sheet's fields");
        Device(backup);
        File(backup);

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
                                 "(at most /22), as search prints them; nothing is broadcast");
        scan->add_option("ADDR/PREFIX", Options.Device)->required();
        FormatOption(scan);

        Command(CtlCommand::Interfaces, "interfaces",
                "the interfaces a search can use (up, with an IPv4 address, not\n"
                "loopback), one per line: name and address/prefix length");

        App.footer(Footer);
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
                       "also ask this address, or each address of this range (at most\n"
                       "/22), in every search; repeatable, at most 4096 addresses in all")
            ->type_name("ADDR[/PREFIX]")
            ->take_last()
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        App.add_flag("--no-broadcast", Options.NoBroadcast, "a search asks the targets only");
    }
    void Device(CLI::App* sub) { sub->add_option("DEVICE", Options.Device)->required(); }
    void File(CLI::App* sub) { sub->add_option("FILE", Options.File)->required(); }
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
                owners.push_back(sub->get_name());
        std::string text;
        for (size_t i = 0; i < owners.size(); ++i)
            text += (i == 0 ? "" : i + 1 == owners.size() ? " and " : ", ") + owners[i];
        return text;
    }

    // The option whose value CLI11 found missing: its message starts with the name.
    static std::string MissingValue(const std::string& message)
    {
        for (const char* name : {"--interface", "--location", "--format", "--target"})
            if (message.starts_with(std::string(name) + ":"))
                return name == std::string("--interface") ? "--interface needs a name"
                                                          : std::string(name) + " needs a value";
        return message;
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

std::string TakesText(const CLI::App& sub)
{
    const size_t operands = sub.get_options([](const CLI::Option* o) { return o->get_positional(); }).size();
    return sub.get_name() + " takes " + std::to_string(operands) + " argument" + (operands == 1 ? "" : "s");
}

}  // namespace

std::string QuorctlHelp()
{
    return CtlLine().App.help();
}

std::string QuorctlVersion()
{
    return "quorctl " QUOR_VERSION "\n";
}

QuorctlOptions ParseQuorctlOptions(const std::vector<std::string>& args)
{
    CtlLine line;
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 takes them
    try {
        line.App.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return QuorctlOptions{};
    } catch (const CLI::CallForVersion&) {
        QuorctlOptions version;
        version.Command = CtlCommand::Version;
        return version;
    } catch (const CLI::ArgumentMismatch& e) {
        throw std::invalid_argument(CtlLine::MissingValue(e.what()));
    } catch (const CLI::RequiredError& e) {
        const CLI::App* chosen = line.Chosen();
        throw std::invalid_argument(chosen != nullptr ? TakesText(*chosen) : std::string(e.what()));
    } catch (const CLI::ParseError& e) {
        throw std::invalid_argument(e.what());
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
    if (chosen == nullptr)
        throw std::invalid_argument(words.empty() ? "no command given" : "unknown command: " + words.front());
    if (!words.empty())
        throw std::invalid_argument(TakesText(*chosen));
    options.Format = FormatOf(line.Format);
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
