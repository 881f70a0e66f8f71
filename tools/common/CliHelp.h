#pragma once
// The --help of quorctl and quorsim, written by CLI11 from the declarations
// that parse the command line, in the layout help2man turns into the manual
// pages: the usage lines, each command with its own options, the options, and
// the prose of the footer.

#include <set>
#include <string>

#include <CLI/CLI.hpp>

namespace quor::tools {

class CliHelp : public CLI::Formatter {
public:
    // Commands named in without take none of the program's own options
    // (quorctl interfaces: no --interface).
    explicit CliHelp(std::set<std::string> without = {});

    std::string make_usage(const CLI::App* app, std::string name) const override;
    std::string make_subcommand(const CLI::App* sub) const override;
    std::string make_positionals(const CLI::App* app) const override;
    std::string make_description(const CLI::App* app) const override;

private:
    std::set<std::string> Without;
};

// "[--name TYPE]" for each option of app the usage line names: not --help and
// not --version, and not the positionals.
std::string OptionUsage(const CLI::App& app);

// The positionals of app in the usage line: "DEVICE FILE".
std::string PositionalUsage(const CLI::App& app);

// The declared option that a word of the command line names ("--format" for
// "--format=json"), or null.
const CLI::Option* NamedOption(const CLI::App& app, const std::string& word);

}  // namespace quor::tools
