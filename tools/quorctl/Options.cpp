#include "tools/quorctl/Options.h"

#include <stdexcept>

namespace quor::tools {

const char* const QuorctlUsage =
    R"usage(Usage: quorctl [--interface NAME] search
   or: quorctl [--interface NAME] table DEVICE
   or: quorctl [--interface NAME] config DEVICE
   or: quorctl [--interface NAME] report DEVICE FILE [--location TEXT]
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
  interfaces  the interfaces a search can use (up, with an IPv4 address, not
              loopback), one per line: name and address/prefix length

  --interface NAME
              the network interface to use, one of those that quorctl
              interfaces lists

DEVICE is a device name such as K01_12345, or its IP address; a search runs
first. Reading a controller needs mode Serwis or Instalacja; the session
opened for it is closed on exit.

Exit status: 0 done; 1 the device failed (the configurator's error message,
"Błąd nr N", on stderr), was not found, or another error; 2 a wrong command
line, an interface that cannot be used, or no --interface outside a network
namespace of its own.
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
    throw std::invalid_argument("unknown command: " + word);
}

// Words each command takes after its name.
size_t OperandsOf(CtlCommand command)
{
    switch (command) {
    case CtlCommand::Search:
    case CtlCommand::Interfaces:
        return 0;
    case CtlCommand::Report:
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
    bool locationGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help")
            return QuorctlOptions{};
        if (arg == "--location") {
            if (i + 1 >= args.size())
                throw std::invalid_argument("--location needs a value");
            options.Location = args[++i];
            locationGiven = true;
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
    if (locationGiven && options.Command != CtlCommand::Report)
        throw std::invalid_argument("--location belongs to report");
    if (!options.Interface.empty() && options.Command == CtlCommand::Interfaces)
        throw std::invalid_argument("interfaces lists them all; it takes no --interface");
    if (operands >= 1)
        options.Device = words[1];
    if (operands >= 2)
        options.File = words[2];
    return options;
}

}  // namespace quor::tools
