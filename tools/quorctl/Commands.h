#pragma once
// quorctl's commands over any endpoint: a real UDP socket, or the in-memory
// LAN of the tests. Errors are turned into messages here, while the device
// they name still exists.

#include <chrono>
#include <ostream>
#include <string>
#include <string_view>

#include "link/Endpoint.h"
#include "link/Udpdev.h"
#include "tools/quorctl/Options.h"

namespace quor::tools {

// quorctl is not bound by the window's table of 100: every address of all
// targets may answer, and the broadcast besides.
inline constexpr int QuorctlCapacity = 8192;

class Quorctl {
public:
    explicit Quorctl(Endpoint& udp) : Devices(udp, QuorctlCapacity) {}

    // The Ethernet list rows of every device that answers a search.
    void Search(std::ostream& out, OutputFormat format = OutputFormat::Text);
    // The bus-device list rows of a controller.
    void Table(std::string_view device, std::ostream& out, OutputFormat format = OutputFormat::Text);
    // The configuration of a controller as its sheet shows it.
    void Config(std::string_view device, std::ostream& out, OutputFormat format = OutputFormat::Text);
    // The report file of a door controller; the location is UTF-8.
    void Report(std::string_view device, const std::string& path, std::string_view location,
                std::chrono::year_month_day date);
    // The backup file of a controller.
    void WriteBackup(std::string_view device, const std::string& path);
    // --all: one report of each door controller, one backup of each
    // controller, in folder; each path written on out, each controller that
    // cannot be read on err. Exit status 1 when one could not be, else 0.
    int ReportAll(const std::string& folder, std::string_view location, std::chrono::year_month_day date,
                  std::ostream& out, std::ostream& err);
    int BackupAll(const std::string& folder, std::ostream& out, std::ostream& err);

    // Destroying the table closes the sessions this program opened.
    UdpDevSet Devices;
};

// Whom the search asks: the targets (and scan's range) expanded. Throws
// std::invalid_argument naming the option and what is wrong.
SearchScope ScopeOf(const QuorctlOptions& options);

// The line that tells of a failure: its message, or for UDP port 45389
// held already, who likely holds it.
std::string ErrorLine(const std::exception& e);

// The exit status of a command that failed: 2 for diff and the site
// commands, whose 1 tells of differences or changes; 1 for the others.
int FailureExit(const QuorctlOptions& options);

// Runs one command line. Returns the exit status; a UErr comes out as its
// text on err, any other failure as its message, with FailureExit.
int RunQuorctl(const QuorctlOptions& options, Endpoint& udp, std::ostream& out, std::ostream& err,
               std::chrono::year_month_day today);

}  // namespace quor::tools
