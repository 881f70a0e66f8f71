#pragma once
// quorctl's command line.

#include <string>
#include <vector>

namespace quor::tools {

enum class CtlCommand { Help, Search, Table, Config, Report };

// How search, table and config print what they found.
enum class OutputFormat { Text, Json, Csv };

struct QuorctlOptions {
    CtlCommand Command = CtlCommand::Help;
    std::string Device;    // a device name such as K01_12345, or a dotted address
    std::string File;      // report: the file to write
    std::string Location;  // report: UTF-8, at most LocationMax characters are kept
    OutputFormat Format = OutputFormat::Text;
};

// The location dialog's edit field takes at most this many characters.
inline constexpr int LocationMax = 80;

extern const char* const QuorctlUsage;

// Throws std::invalid_argument naming what is wrong.
QuorctlOptions ParseQuorctlOptions(const std::vector<std::string>& args);

}  // namespace quor::tools
