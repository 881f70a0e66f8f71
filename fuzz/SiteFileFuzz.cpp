// Site files: any text. ReadSiteFile names every problem with a place inside
// the text (or none); what it reads, written as a site file again, reads back
// as the same fields without a problem.

#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "site/SiteFile.h"

using namespace quor;
using namespace quor::site;

namespace {

int LineCount(std::string_view text)
{
    int lines = 1;
    for (char ch : text)
        lines += ch == '\n';
    return lines;
}

// None reads back as "-----", however the file spelled it.
std::string Spelled(const WantedField& f)
{
    return f.Section + "\x1F" + f.Group + "\x1F" + f.Label + "\x1F" + (f.Text.empty() ? "-----" : f.Text);
}

}  // namespace

QUOR_FUZZ_TARGET(site_file)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<SiteProblem> problems;
    const SiteFile file = ReadSiteFile(text, problems);
    for (const SiteProblem& p : problems) {
        FUZZ_CHECK(!p.Text.empty());
        FUZZ_CHECK(p.At.Line >= 0 && p.At.Line <= LineCount(text) + 1);
        FUZZ_CHECK(p.At.Column >= 0);
    }
    if (!problems.empty())
        return 0;

    std::vector<ExportedController> exported;
    for (const WantedController& c : file.Controllers) {
        ExportedController e{c.Name, {}};
        for (const WantedField& f : c.Fields)
            e.Fields.push_back({f.Section, f.Group, f.Label, f.Text, "", "", ""});
        exported.push_back(std::move(e));
    }
    std::vector<SiteProblem> again;
    const SiteFile read = ReadSiteFile(SiteFileText(exported), again);
    FUZZ_CHECK(again.empty());
    FUZZ_CHECK(read.Controllers.size() == file.Controllers.size());
    for (size_t i = 0; i < read.Controllers.size(); ++i) {
        const auto& a = file.Controllers[i];
        const auto& b = read.Controllers[i];
        FUZZ_CHECK(a.Name == b.Name);
        FUZZ_CHECK(a.Fields.size() == b.Fields.size());
        for (size_t j = 0; j < a.Fields.size(); ++j)
            FUZZ_CHECK(Spelled(a.Fields[j]) == Spelled(b.Fields[j]));
    }
    return 0;
}
