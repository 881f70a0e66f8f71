#include "tools/common/CliParse.h"

#include <stdexcept>

namespace quor::tools {

CliEnd ParseCli(CLI::App& app, const std::vector<std::string>& args, const CliMessages& messages)
{
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 takes them
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return CliEnd::Help;
    } catch (const CLI::CallForVersion&) {
        return CliEnd::Version;
    } catch (const CLI::ArgumentMismatch& e) {
        const std::string message = e.what();
        const std::string given =
            messages.NeedsValue ? messages.NeedsValue(message.substr(0, message.find(':'))) : std::string();
        throw std::invalid_argument(given.empty() ? message : given);
    } catch (const CLI::RequiredError& e) {
        throw std::invalid_argument(messages.Required ? messages.Required(e) : std::string(e.what()));
    } catch (const CLI::ParseError& e) {
        throw std::invalid_argument(e.what());
    }
    return CliEnd::Parsed;
}

}  // namespace quor::tools
