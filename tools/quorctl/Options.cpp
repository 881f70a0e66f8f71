#include "tools/quorctl/Options.h"

#include <stdexcept>

namespace quor::tools {

const char* const QuorctlUsage =
    R"usage(Usage: quorctl [--interface NAME] search [--format json|csv]
   or: quorctl [--interface NAME] table DEVICE [--format json|csv]
   or: quorctl [--interface NAME] config DEVICE [--format json|csv]
   or: quorctl [--interface NAME] report DEVICE FILE [--location TEXT]
   or: quorctl [--interface NAME] backup DEVICE FILE
   or: quorctl [--interface NAME] restore DEVICE FILE [--dry-run] [--accept-serial-changes]
   or: quorctl [--interface NAME] diff DEVICE|FILE FILE
   or: quorctl interfaces
   or: quorctl --help

Talks to the devices on the LAN the way the configurator does, on UDP port
45389. It searches by broadcast to 255.255.255.255, which leaves by one
interface only, so on the machine's own network it needs the interface the
controllers are on: --interface NAME sends the search and every datagram out
of that interface, and takes in only what comes in on it. Without
--interface, quorctl runs only inside a network namespace of its own (the
virtual LAN: tools/lan run -- quorctl ...).

  search      the devices that answer, one per line as the Ethernet list
              shows them (name, address, mode), in the configurator's order
  table       the controller's bus-device list, one row per present device:
              entry, kind, name/connection and the first status that applies
  config      the controller's configuration as its sheet shows it: for each
              door (or the lift, or the lockers) every slot under its label
              with the resource assigned ("NC": the NC box is ticked;
              "Wyjście": an exit reader), then airlock, door type, times in
              seconds, train number, locker ranges and room name. A stored
              value the sheet offers no item for shows as "? (value)"; "!"
              marks a locker number the sheet shows in yellow
  report      writes the report file of a door controller (Windows-1250,
              CR LF) with today's date; --location TEXT describes where the
              controller is installed (at most 80 characters are kept)
  backup      reads the controller as config does and writes FILE (JSON, to
              a temporary name renamed at the end): the controller, its
              bus-device table, every configuration block exactly as read
              (hex) and, for people, the sheet's fields
  restore     writes the blocks of the backup FILE to the controller with
              the blocks, order and acknowledgements of the sheet's write
              button. A block names bus devices by their entry in the table,
              so each device it names is looked up by model and serial in
              the controller's table and the reference is moved to that
              entry; the backup's controller maps to this controller. The
              kind, the door count, the train number block and the block
              shapes must match and every device must be found; otherwise
              nothing is written and every mismatch is listed.
              --accept-serial-changes: a device not found is replaced by the
              only other device of its model on its connection (printed).
              --dry-run: prints the mapping, the checks and the blocks, and
              writes nothing. A failure half-way names the blocks written;
              nothing is rolled back
  diff        the differences between two configurations, one line each,
              "where: first -> second" in the sheets' words; references are
              compared by device, a controller's own entry with the other's.
              The first operand is a device when it reads like a device name
              or an address, otherwise a backup file (./K01_12345 is a file)
  interfaces  the interfaces a search can use (up, with an IPv4 address, not
              loopback), one per line: name and address/prefix length

  --interface NAME
              the network interface to use, one of those that quorctl
              interfaces lists

--format json|csv prints search, table and config for scripts (UTF-8; the
default is --format text):
  search  JSON: [{name, id, ip, mode, protocol}, ...]
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
network namespace of its own (diff: also any failure).
)usage";

namespace {

CtlCommand CommandOf(const std::string& word)
{
    if (word == "search")
        return CtlCommand::Search;
    if (word == "table")
        return CtlCommand::Table;
    if (word == "config")
        return CtlCommand::Config;
    if (word == "report")
        return CtlCommand::Report;
    if (word == "interfaces")
        return CtlCommand::Interfaces;
    if (word == "backup")
        return CtlCommand::Backup;
    if (word == "restore")
        return CtlCommand::Restore;
    if (word == "diff")
        return CtlCommand::Diff;
    throw std::invalid_argument("unknown command: " + word);
}

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

void CheckBelongs(const std::string& option, CtlCommand command)
{
    const bool listing =
        command == CtlCommand::Search || command == CtlCommand::Table || command == CtlCommand::Config;
    if (option == "--location" && command != CtlCommand::Report)
        throw std::invalid_argument("--location belongs to report");
    if (option == "--format" && !listing)
        throw std::invalid_argument("--format belongs to search, table and config");
    if ((option == "--dry-run" || option == "--accept-serial-changes") && command != CtlCommand::Restore)
        throw std::invalid_argument(option + " belongs to restore");
}

// Words each command takes after its name.
size_t OperandsOf(CtlCommand command)
{
    switch (command) {
    case CtlCommand::Search:
    case CtlCommand::Interfaces:
        return 0;
    case CtlCommand::Report:
    case CtlCommand::Backup:
    case CtlCommand::Restore:
    case CtlCommand::Diff:
        return 2;
    default:
        return 1;
    }
}

}  // namespace

QuorctlOptions ParseQuorctlOptions(const std::vector<std::string>& args)
{
    QuorctlOptions options;
    std::vector<std::string> words;
    std::vector<std::string> given;  // the options named, to check where they belong
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help")
            return QuorctlOptions{};
        if (arg == "--location" || arg == "--format") {
            if (i + 1 >= args.size())
                throw std::invalid_argument(arg + " needs a value");
            if (arg == "--location")
                options.Location = args[++i];
            else
                options.Format = FormatOf(args[++i]);
            given.push_back(arg);
        } else if (arg == "--dry-run" || arg == "--accept-serial-changes") {
            (arg == "--dry-run" ? options.DryRun : options.AcceptSerialChanges) = true;
            given.push_back(arg);
        } else if (arg == "--interface") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw std::invalid_argument("--interface needs a name");
            options.Interface = args[++i];
        } else if (arg.starts_with("-") && arg.size() > 1) {
            throw std::invalid_argument("unknown option: " + arg);
        } else {
            words.push_back(arg);
        }
    }
    if (words.empty())
        throw std::invalid_argument("no command given");
    options.Command = CommandOf(words[0]);
    const size_t operands = OperandsOf(options.Command);
    if (words.size() - 1 != operands)
        throw std::invalid_argument(words[0] + " takes " + std::to_string(operands) + " argument" +
                                    (operands == 1 ? "" : "s"));
    for (const std::string& option : given)
        CheckBelongs(option, options.Command);
    if (!options.Interface.empty() && options.Command == CtlCommand::Interfaces)
        throw std::invalid_argument("interfaces lists them all; it takes no --interface");
    if (operands >= 1)
        options.Device = words[1];
    if (operands >= 2)
        options.File = words[2];
    return options;
}

}  // namespace quor::tools
