#include "tools/common/CliHelp.h"

#include <sstream>

namespace quor::tools {
namespace {

bool InUsage(const CLI::App& app, const CLI::Option* opt)
{
    return opt->nonpositional() && opt != app.get_help_ptr() && opt != app.get_help_all_ptr() &&
           opt != app.get_version_ptr();
}

std::string OptionText(const CLI::Option* opt)
{
    std::string text = opt->get_name(false, true);
    if (opt->get_type_size() != 0 && !opt->get_type_name().empty())
        text += " " + opt->get_type_name();
    return text;
}

}  // namespace

CliHelp::CliHelp(std::set<std::string> without) : Without(std::move(without))
{
    column_width(14);
}

std::string OptionUsage(const CLI::App& app)
{
    std::string text;
    for (const CLI::Option* opt : app.get_options([&app](const CLI::Option* o) { return InUsage(app, o); })) {
        text += " [" + OptionText(opt) + "]";
        if (opt->get_expected_max() == CLI::detail::expected_max_vector_size)
            text += "...";
    }
    return text;
}

std::string PositionalUsage(const CLI::App& app)
{
    std::string text;
    for (const CLI::Option* opt : app.get_options([](const CLI::Option* o) { return o->get_positional(); }))
        text += " " + opt->get_name(true, false);
    return text;
}

const CLI::Option* NamedOption(const CLI::App& app, const std::string& word)
{
    const std::string name = word.substr(0, word.find('='));
    for (const CLI::Option* opt : app.get_options())
        if (opt->nonpositional() && opt->check_name(name))
            return opt;
    return nullptr;
}

std::string CliHelp::make_usage(const CLI::App* app, std::string name) const
{
    std::ostringstream out;
    const char* lead = "Usage: ";
    const auto line = [&](const std::string& program, const std::string& words) {
        out << lead << program << words << '\n';
        lead = "   or: ";
    };
    const std::vector<const CLI::App*> subs = app->get_subcommands([](const CLI::App*) { return true; });
    // A command's own help (quorctl site --help) names the program's options before it.
    std::string program = name;
    if (const CLI::App* parent = app->get_parent(); parent != nullptr && !subs.empty())
        program = parent->get_name() + OptionUsage(*parent) + " " + app->get_name();
    if (subs.empty())
        line(name, PositionalUsage(*app) + OptionUsage(*app));
    const std::string own = OptionUsage(*app);
    for (const CLI::App* sub : subs) {
        const std::string command = (Without.contains(sub->get_name()) ? "" : own) + " " + sub->get_name();
        // A command of commands (quorctl site) has a line for each of its own.
        const std::vector<const CLI::App*> nested =
            sub->get_subcommands([](const CLI::App*) { return true; });
        if (nested.empty())
            line(program, command + PositionalUsage(*sub) + OptionUsage(*sub));
        for (const CLI::App* inner : nested)
            line(program, command + " " + inner->get_name() + PositionalUsage(*inner) + OptionUsage(*inner));
    }
    if (!subs.empty())
        for (const CLI::Option* flag : {app->get_help_ptr(), app->get_version_ptr()})
            if (flag != nullptr && !flag->get_lnames().empty())
                line(name, " --" + flag->get_lnames().front());
    if (!app->get_description().empty())
        out << '\n' << app->get_description() << '\n';
    return out.str();
}

namespace {

// The command, what it does, and its own options beneath it; then its own
// commands, each further in.
void CommandHelp(std::ostream& out, const CLI::App* sub, const std::string& indent, size_t width)
{
    CLI::detail::format_help(out, indent + sub->get_name(), sub->get_description(), width);
    for (const CLI::Option* opt : sub->get_options([sub](const CLI::Option* o) { return InUsage(*sub, o); }))
        CLI::detail::format_help(out, indent + "  " + OptionText(opt), opt->get_description(), width);
    for (const CLI::App* inner : sub->get_subcommands([](const CLI::App*) { return true; }))
        CommandHelp(out, inner, indent + "  ", width);
}

}  // namespace

std::string CliHelp::make_subcommand(const CLI::App* sub) const
{
    std::ostringstream out;
    CommandHelp(out, sub, "", column_width_);
    return out.str();
}

// The description follows the usage lines (make_usage).
std::string CliHelp::make_description(const CLI::App*) const
{
    return {};
}

// The operands are named in the usage lines and described by their command.
std::string CliHelp::make_positionals(const CLI::App*) const
{
    return {};
}

}  // namespace quor::tools
