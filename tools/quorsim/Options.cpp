#include "tools/quorsim/Options.h"

#include <charconv>
#include <stdexcept>

namespace quor::tools {

const char* const QuorsimUsage =
    R"(Usage: quorsim SCENARIO [--device NAME|IP [--bind IP]] [--port N] [--log FILE] [--fault FAULT]...
   or: quorsim SCENARIO --list

Runs the emulated devices of a scenario file on real UDP sockets.

  --device NAME|IP  run this device alone, on a socket bound to 0.0.0.0 (it
                    takes broadcasts too): one process per device, each in
                    a network namespace holding the device's address
  --bind IP         with --device: bind to IP instead (127.0.0.1 for a check
                    on loopback)
  (no --device)     run every device, each bound to its own address, which
                    must be local; one more socket on 0.0.0.0 takes the
                    broadcast 255.255.255.255 in for all of them
  --port N          the port to listen on (default 45389)
  --log FILE        one line per datagram in and out, decoded
  --fault FAULT     KIND[:CMD[:COUNT]][@DEVICE]: spoil COUNT replies (default 1,
                    * until stop) to command letter CMD (default * any); KIND
                    drop, crc, sig, echo, ack, long, or late (the reply sent
                    350 ms after the request). flood:MS[@DEVICE]: one
                    unprompted datagram every MS ms to the last sender.
                    Without @DEVICE, every device of the process. Repeatable;
                    added to the scenario's own faults.
  --list            print NAME IP IDENTITY of each device and exit

Outside a network namespace of its own, quorsim runs only with --device and
a loopback --bind. SIGINT and SIGTERM stop it cleanly.
)";

namespace {

uint16_t PortNumber(const std::string& text)
{
    unsigned value = 0;
    const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (err != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535)
        throw std::invalid_argument("not a port number: " + text);
    return static_cast<uint16_t>(value);
}

}  // namespace

QuorsimOptions ParseOptions(const std::vector<std::string>& args)
{
    QuorsimOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw std::invalid_argument(arg + " needs a value");
            return args[++i];
        };
        if (arg == "-h" || arg == "--help")
            options.Help = true;
        else if (arg == "--list")
            options.List = true;
        else if (arg == "--device")
            options.Device = value();
        else if (arg == "--bind")
            options.BindIp = value();
        else if (arg == "--port")
            options.Port = PortNumber(value());
        else if (arg == "--log")
            options.LogPath = value();
        else if (arg == "--fault")
            options.Faults.push_back(ParseFaultOrder(value()));
        else if (arg.starts_with("-") || !options.ScenarioPath.empty())
            throw std::invalid_argument("unexpected argument: " + arg);
        else
            options.ScenarioPath = arg;
    }
    if (options.Help)
        return options;
    if (options.ScenarioPath.empty())
        throw std::invalid_argument("no scenario file");
    if (!options.BindIp.empty() && options.Device.empty())
        throw std::invalid_argument("--bind goes with --device");
    return options;
}

}  // namespace quor::tools
