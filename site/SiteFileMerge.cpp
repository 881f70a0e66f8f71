#include "site/SiteFileMerge.h"

#include <algorithm>

namespace quor::site {

namespace {

constexpr int ControllerColumn = 3;  // "  K01_01101:", as the export writes it

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

bool BlankOrComment(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t\r\n");
    return first == line.npos || line[first] == '#';
}

// The line after the controllers map: the next key at the file's top, or the end.
size_t MapEnd(const std::vector<std::string_view>& lines, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (!BlankOrComment(lines[i]) && lines[i].front() != ' ')
            return i;
    }
    return lines.size();
}

// The line "controllers:" (or "controllers: {}") of a file without controllers.
size_t ControllersLine(const std::vector<std::string_view>& lines)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("controllers:"))
            return i;
    }
    return lines.size();
}

std::string Texts(std::span<const ExportedController> controllers)
{
    const std::string all = SiteFileText(controllers);
    return all.substr(all.find('\n', all.find("controllers:")) + 1);
}

const ExportedController* Exported(std::span<const ExportedController> controllers, const std::string& name)
{
    const auto it = std::find_if(controllers.begin(), controllers.end(),
                                 [&](const ExportedController& c) { return c.Name == name; });
    return it == controllers.end() ? nullptr : &*it;
}

}  // namespace

std::string MergeSiteFileText(std::string_view existing, std::span<const ExportedController> controllers,
                              std::vector<SiteProblem>& problems)
{
    const size_t before = problems.size();
    const SiteFile file = ReadSiteFile(existing, problems);
    for (const WantedController& c : file.Controllers) {
        if (c.At.Column != ControllerColumn)
            problems.push_back({c.At, "the export writes each controller as \"  " + c.Name +
                                          ":\" on a line of its own; this one stands otherwise"});
    }
    if (problems.size() > before)
        return {};
    const std::vector<std::string_view> lines = Lines(existing);
    std::vector<ExportedController> added;
    for (const ExportedController& c : controllers) {
        if (std::none_of(file.Controllers.begin(), file.Controllers.end(),
                         [&](const WantedController& w) { return w.Name == c.Name; }))
            added.push_back(c);
    }
    std::string out;
    if (file.Controllers.empty()) {
        // "controllers: {}" or "controllers:" alone: the added controllers follow the key.
        const size_t key = ControllersLine(lines);
        for (size_t i = 0; i < lines.size(); ++i)
            out += i == key ? "controllers:\n" + Texts(added) : std::string(lines[i]);
        return out;
    }
    // Each controller's first line; after the last, the end of the map, then of the file.
    std::vector<size_t> starts;
    for (const WantedController& c : file.Controllers)
        starts.push_back(static_cast<size_t>(c.At.Line - 1));
    const size_t last = starts.size() - 1;
    const size_t mapEnd = MapEnd(lines, starts.back() + 1);
    out.append(existing.substr(0, lines[starts.front()].data() - existing.data()));
    for (size_t k = 0; k <= last; ++k) {
        size_t to = k < last ? starts[k + 1] : mapEnd;
        // Comments and blank lines before the next controller stay with it.
        while (to > starts[k] + 1 && BlankOrComment(lines[to - 1]))
            --to;
        if (const ExportedController* read = Exported(controllers, file.Controllers[k].Name))
            out += Texts(std::span(read, 1));
        else
            for (size_t i = starts[k]; i < to; ++i)
                out += lines[i];
        if (k == last && !added.empty()) {
            if (out.back() != '\n')
                out += '\n';
            out += Texts(added);
        }
        for (size_t i = to; i < (k < last ? starts[k + 1] : lines.size()); ++i)
            out += lines[i];
    }
    return out;
}

}  // namespace quor::site
