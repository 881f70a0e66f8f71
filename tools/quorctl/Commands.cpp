#include "tools/quorctl/Commands.h"

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "link/EndpointError.h"
#include "link/NetInterfaces.h"
#include "report/RapName.h"
#include "report/RapText.h"
#include "site/Backup.h"
#include "site/ControllerRead.h"
#include "site/DeviceSearch.h"
#include "site/Files.h"
#include "site/SiteRun.h"
#include "tools/quorctl/ConfigText.h"
#include "tools/quorctl/Listings.h"
#include "tools/quorctl/RestoreAndDiff.h"
#include "tools/quorctl/SiteFileCommands.h"
#include "tools/quorctl/TextLayout.h"

namespace quor::tools {

using namespace site;

void Quorctl::Search(std::ostream& out, OutputFormat format)
{
    Devices.Search();
    if (format != OutputFormat::Text) {
        out << SearchListing(Devices, format);
        return;
    }
    for (int i = 0; i < Devices.Count; ++i)
        out << Devices.Dev[i].ListRow() << '\n';
}

void Quorctl::Table(std::string_view device, std::ostream& out, OutputFormat format)
{
    UdpDev& dev = SearchFor(Devices, device);
    Controller controller;
    LoadTable(dev, controller);
    if (format != OutputFormat::Text) {
        out << TableListing(dev, controller.Table, format);
        return;
    }
    for (int p = 0; p < controller.Table.PresentCount; ++p)
        out << controller.Table.DevListRow(p) << '\n';
}

void Quorctl::Config(std::string_view device, std::ostream& out, OutputFormat format)
{
    UdpDev& dev = SearchFor(Devices, device);
    Controller controller;
    LoadConfiguration(dev, controller);
    out << (format == OutputFormat::Text ? ConfigText(dev, controller)
                                         : ConfigListing(dev, controller, format));
}

namespace {

void WriteReport(const Controller& controller, const std::string& path, std::string_view location,
                 std::chrono::year_month_day date)
{
    // As the window saves it: complete under its name, or not there at all.
    ReplaceFile(path, RapText(controller.Doors, controller.Table, location, date));
}

void NeedFolder(const std::string& folder)
{
    if (!std::filesystem::is_directory(folder))
        throw std::runtime_error("no folder " + folder);
}

// Runs one controller's part of a command for every controller: one that
// fails is named on err and the others go on. Returns the exit status.
int EachFound(UdpDevSet& devices, std::ostream& err, const std::function<void(UdpDev&)>& each)
{
    devices.Search();
    int status = 0;
    EachController(devices, FoundControllers(devices), each, [&](const std::string& why) {
        err << "quorctl: left out: " << why << '\n';
        status = 1;
    });
    return status;
}

}  // namespace

void Quorctl::Report(std::string_view device, const std::string& path, std::string_view location,
                     std::chrono::year_month_day date)
{
    UdpDev& dev = SearchFor(Devices, device);
    Controller controller;
    LoadConfiguration(dev, controller);
    if (controller.Table.Kind != KindDoors)
        throw std::runtime_error(DevName(dev.Id) + " is not a door controller");
    WriteReport(controller, path, location, date);
}

int Quorctl::ReportAll(const std::string& folder, std::string_view location, std::chrono::year_month_day date,
                       std::ostream& out, std::ostream& err)
{
    NeedFolder(folder);
    // The window's name for the report, with the ISO date's separator: a
    // program has no regional date format to follow.
    return EachFound(Devices, err, [&](UdpDev& dev) {
        Controller controller;
        LoadConfiguration(dev, controller);
        if (controller.Table.Kind != KindDoors)
            return;
        const std::string path =
            (std::filesystem::path(folder) / WithRapExtension(ProposedRapName('-', date, dev.Id))).string();
        WriteReport(controller, path, location, date);
        out << path << '\n';
    });
}

int Quorctl::BackupAll(const std::string& folder, std::ostream& out, std::ostream& err)
{
    NeedFolder(folder);
    return EachFound(Devices, err, [&](UdpDev& dev) {
        const std::string path = (std::filesystem::path(folder) / (DevName(dev.Id) + ".json")).string();
        Controller controller;
        SaveBackup(TakeBackup(dev, controller), path);
        out << path << '\n';
    });
}

void Quorctl::WriteBackup(std::string_view device, const std::string& path)
{
    UdpDev& dev = SearchFor(Devices, device);
    Controller controller;
    SaveBackup(TakeBackup(dev, controller), path);
}

SearchScope ScopeOf(const QuorctlOptions& options)
{
    SearchScope scope;
    scope.Broadcast = !options.NoBroadcast && options.Command != CtlCommand::Scan;
    if (options.Command == CtlCommand::Scan) {
        try {
            AddTarget(scope.Targets, options.Device, options.LoopbackTargets);
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument(std::string("scan ") + e.what());
        }
    }
    AddTargetOptions(scope, options.Targets, options.LoopbackTargets);
    return scope;
}

std::string ErrorLine(const std::exception& e)
{
    const auto* net = dynamic_cast<const EndpointError*>(&e);
    if (net != nullptr && net->Step == NetStep::Bind && net->code() == std::errc::address_in_use)
        return "quorctl: UDP port " + net->Subject +
               " is in use: another quorctl or quorConfig on this PC holds it\n";
    return "quorctl: " + std::string(e.what()) + "\n";
}

int FailureExit(const QuorctlOptions& options)
{
    // For diff and the site commands 1 tells of differences or changes.
    switch (options.Command) {
    case CtlCommand::Diff:
    case CtlCommand::SiteExport:
    case CtlCommand::SitePlan:
    case CtlCommand::SiteApply:
    case CtlCommand::SiteShow:
    case CtlCommand::SiteCheck:
    case CtlCommand::SiteRollback:
        return 2;
    default:
        return 1;
    }
}

int RunQuorctl(const QuorctlOptions& options, Endpoint& udp, std::ostream& out, std::ostream& err,
               std::chrono::year_month_day today)
{
    Quorctl ctl(udp);
    try {
        ctl.Devices.Scope = ScopeOf(options);
    } catch (const std::invalid_argument& e) {
        err << "quorctl: " << e.what() << '\n';
        return 2;
    }
    const int failed = FailureExit(options);
    try {
        switch (options.Command) {
        case CtlCommand::Help:
            out << QuorctlHelp(options.HelpOf);
            break;
        case CtlCommand::Version:
            out << QuorctlVersion();
            break;
        case CtlCommand::Search:
        case CtlCommand::Scan:
            ctl.Search(out, options.Format);
            if (const int left = ctl.Devices.NotListed(); left > 0)
                err << "quorctl: the list holds " << ctl.Devices.Capacity << " devices; " << left
                    << " more answered and are not listed\n";
            break;
        case CtlCommand::Table:
            ctl.Table(options.Device, out, options.Format);
            break;
        case CtlCommand::Config:
            ctl.Config(options.Device, out, options.Format);
            break;
        case CtlCommand::Report:
            if (options.All)
                return ctl.ReportAll(options.File, options.Location, today, out, err);
            ctl.Report(options.Device, options.File, options.Location, today);
            break;
        case CtlCommand::Interfaces:
            out << InterfaceLines(SearchInterfaces());
            break;
        case CtlCommand::Backup:
            if (options.All)
                return ctl.BackupAll(options.File, out, err);
            ctl.WriteBackup(options.Device, options.File);
            break;
        case CtlCommand::Restore:
            return RunRestore(ctl, options, out, err);
        case CtlCommand::Diff:
            return RunDiff(ctl, options, out);
        case CtlCommand::SiteExport:
            return RunSiteExport(ctl, options, out, err);
        case CtlCommand::SitePlan:
        case CtlCommand::SiteApply:
            return RunSitePlan(ctl, options, out, err);
        case CtlCommand::SiteShow:
        case CtlCommand::SiteCheck:
            return RunSiteOffline(options, out, err);
        case CtlCommand::SiteRollback:
            return RunSiteRollback(ctl, options, out, err);
        }
    } catch (const UErr& e) {
        err << e.Text();
        return failed;
    } catch (const std::exception& e) {
        err << ErrorLine(e);
        return failed;
    }
    return 0;
}

}  // namespace quor::tools
