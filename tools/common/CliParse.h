#pragma once
// Parsing a command line with CLI11, the way quorctl and quorsim share: help
// and version asked come back as such, and CLI11's errors become
// std::invalid_argument with the message the installer reads.

#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace quor::tools {

enum class CliEnd { Parsed, Help, Version };

struct CliMessages {
    // The message for an option given without its value ("--port" for
    // "--port: 1 required ..."); empty keeps CLI11's own.
    std::function<std::string(const std::string& option)> NeedsValue;
    // The message for a missing argument; unset keeps CLI11's own.
    std::function<std::string(const CLI::RequiredError& e)> Required;
};

// Parses args (the words after the program's name) with app.
CliEnd ParseCli(CLI::App& app, const std::vector<std::string>& args, const CliMessages& messages);

}  // namespace quor::tools
