#include "CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <QCommandLineParser>
#include <QCoreApplication>

#include "link/NetInterfaces.h"
#include "link/TargetTexts.h"
#include "tools/common/NetGuard.h"

bool AsksForTextOnly(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

namespace {

[[noreturn]] void Refuse(const QString& text)
{
    std::fputs(qPrintable(QCoreApplication::applicationName() + ": " + text), stderr);
    std::exit(2);
}

// The interface must be one a search can leave by, before any socket is opened on it.
void CheckInterface(const QString& name)
{
    const std::vector<quor::NetInterface> candidates = quor::SearchInterfaces();
    if (!quor::IsCandidate(candidates, name.toStdString())) {
        Refuse(
            name +
            " is not an interface a search can use (up, with an IPv4 address, not loopback); these are:\n" +
            QString::fromStdString(quor::InterfaceLines(candidates, "  ")));
    }
}

// The message for an option given last without its value, as quorctl words it;
// empty when no option lacks one. The parser takes whatever follows an option
// as its value, so only an option at the end can lack one.
QString MissingValue(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return {};
    const QString& last = arguments.constLast();
    if (last == "--interface" || last == "-interface")
        return "--interface needs a name";
    if (last == "--target" || last == "-target")
        return "--target needs a value";
    return {};
}

}  // namespace

CommandLine ReadCommandLine(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "quorConfig, the configurator of the quor access-control controllers. It finds the devices on\n"
        "the LAN by a broadcast search on UDP port 45389 and configures the controller you select.");
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption interfaceOption(
        "interface",
        "Send the search and every datagram out of network interface <name> only, and take in only what "
        "comes in on it: for a PC with several networks (Wi-Fi and a wired port), name the one the "
        "controllers are on. quorctl interfaces lists the candidates. Without it the routes decide, and a "
        "search leaves by the default route only.",
        "name");
    parser.addOption(interfaceOption);
    const QCommandLineOption targetOption(
        "target",
        QString::fromStdString(
            "Search also address <addr>, or each address of range <addr/prefix> (at most " +
            quor::WidestRangeText() +
            "), for controllers behind a router, which forwards no broadcast. Repeatable; at "
            "most " +
            std::to_string(quor::TargetsMost) + " addresses in all."),
        "addr[/prefix]");
    parser.addOption(targetOption);
    const QCommandLineOption noBroadcastOption("no-broadcast", "Search the --target addresses only.");
    parser.addOption(noBroadcastOption);
    // Parsed here rather than by process(), which ends a wrong line with
    // exit status 1 and the toolkit's words: a wrong line is status 2, as in quorctl.
    if (!parser.parse(app.arguments())) {
        const QString missing = MissingValue(app.arguments());
        Refuse((missing.isEmpty() ? parser.errorText() : missing) + "\n");
    }
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    if (parser.isSet(versionOption))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        Refuse("unexpected argument: " + parser.positionalArguments().constFirst() + "\n");
    CommandLine line;
    if (parser.isSet(interfaceOption)) {
        line.Interface = parser.value(interfaceOption);
        CheckInterface(line.Interface);
    }
    std::vector<std::string> targets;
    for (const QString& target : parser.values(targetOption))
        targets.push_back(target.toStdString());
    line.Scope.Broadcast = !parser.isSet(noBroadcastOption);
    try {
        quor::AddTargetOptions(line.Scope, targets, quor::tools::InSeparateNetNamespace());
    } catch (const std::invalid_argument& e) {
        Refuse(QString::fromStdString(e.what()) + "\n");
    }
    return line;
}
