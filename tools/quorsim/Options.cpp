#include "tools/quorsim/Options.h"

#include <charconv>
#include <memory>
#include <stdexcept>

#include "QuorVersion.h"
#include "tools/common/CliHelp.h"
#include "tools/common/CliParse.h"

namespace quor::tools {

namespace {

const char* const About = "Runs the emulated devices of a scenario file on real UDP sockets.";

const char* const Footer =
    R"((no --device)  run every device, each bound to its own address, which
              must be local; one more socket on 0.0.0.0 takes the
              broadcast 255.255.255.255 in for all of them

Outside a network namespace of its own, quorsim runs only with --device and
a loopback --bind. SIGINT and SIGTERM stop it cleanly.)";

uint16_t PortNumber(const std::string& text)
{
    unsigned value = 0;
    const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (err != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535)
        throw std::invalid_argument("not a port number: " + text);
    return static_cast<uint16_t>(value);
}

// The command line as CLI11 reads it; --help is written from the same declarations.
struct SimLine {
    CLI::App App{About, "quorsim"};
    QuorsimOptions Options;
    std::string Port;
    std::vector<std::string> Faults;

    SimLine()
    {
        App.formatter(std::make_shared<CliHelp>());
        App.set_help_flag("-h,--help", "this text");
        App.set_version_flag("--version", QUOR_VERSION, "the version of quorsim");
        App.add_option("SCENARIO", Options.ScenarioPath);
        App.add_option("--device", Options.Device,
                       "run this device alone, on a socket bound to 0.0.0.0 (it\n"
                       "takes broadcasts too): one process per device, each in\n"
                       "a network namespace holding the device's address")
            ->type_name("NAME|IP");
        App.add_option("--bind", Options.BindIp,
                       "with --device: bind to IP instead (127.0.0.1 for a check\non loopback)")
            ->type_name("IP");
        App.add_option("--port", Port, "the port to listen on (default 45389)")->type_name("N");
        App.add_option("--log", Options.LogPath, "one line per datagram in and out, decoded")
            ->type_name("FILE");
        App.add_option("--fault", Faults,
                       "KIND[:CMD[:COUNT]][@DEVICE]: spoil COUNT replies (default 1,\n"
                       "* until stop) to command letter CMD (default * any); KIND\n"
                       "drop, crc, sig, echo, ack, long, or late (the reply sent\n"
                       "350 ms after the request). flood:MS[@DEVICE]: one\n"
                       "unprompted datagram every MS ms to the last sender.\n"
                       "Without @DEVICE, every device of the process. Repeatable;\n"
                       "added to the scenario's own faults.")
            ->type_name("FAULT")
            ->allow_extra_args(false);
        App.add_flag("--list", Options.List, "print NAME IP IDENTITY of each device and exit");
        App.allow_extras();
        App.footer(Footer);
    }
};

}  // namespace

std::string QuorsimHelp()
{
    return SimLine().App.help();
}

std::string QuorsimVersion()
{
    return "quorsim " QUOR_VERSION "\n";
}

QuorsimOptions ParseOptions(const std::vector<std::string>& args)
{
    SimLine line;
    CliMessages messages;
    messages.NeedsValue = [](const std::string& option) { return option + " needs a value"; };
    switch (ParseCli(line.App, args, messages)) {
    case CliEnd::Help: {
        QuorsimOptions help;
        help.Help = true;
        return help;
    }
    case CliEnd::Version: {
        QuorsimOptions version;
        version.Version = true;
        return version;
    }
    case CliEnd::Parsed:
        break;
    }
    QuorsimOptions& options = line.Options;
    const std::vector<std::string> extra = line.App.remaining();
    if (!extra.empty())
        throw std::invalid_argument("unexpected argument: " + extra.front());
    if (line.App.get_option("--port")->count() != 0)
        options.Port = PortNumber(line.Port);
    for (const std::string& order : line.Faults)
        options.Faults.push_back(ParseFaultOrder(order));
    if (options.ScenarioPath.empty())
        throw std::invalid_argument("no scenario file");
    if (!options.BindIp.empty() && options.Device.empty())
        throw std::invalid_argument("--bind goes with --device");
    return options;
}

}  // namespace quor::tools
