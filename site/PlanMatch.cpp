#include "site/PlanMatch.h"

#include <algorithm>

#include "sheets/ControllerKinds.h"
#include "sheets/SheetWords.h"
#include "sheets/SlotNames.h"
#include "site/PlanValues.h"

namespace quor::site {

SheetMatch::SheetMatch(const std::vector<SheetField>& fields, const Controller& c, std::string controller)
    : Fields(fields), C(c), Name(std::move(controller))
{
}

std::optional<size_t> SheetMatch::Find(const WantedField& w, std::vector<SiteProblem>& problems)
{
    const auto it = std::find_if(Fields.begin(), Fields.end(), [&](const SheetField& f) {
        return f.Section == w.Section && f.Group == w.Group && f.Label == w.Label;
    });
    if (it != Fields.end())
        return it - Fields.begin();
    const auto problem = [&](FilePlace at, const std::string& path, const std::string& text) {
        problems.push_back({at, Name + ": " + path + ": " + text});
    };
    const std::vector<std::string> keys = Keys(w.Section);
    if (keys.empty()) {
        if (ReportedSections.insert(w.Section).second)
            problem(w.SectionAt, w.Section, NoSection(w.Section));
    } else if (!w.Group.empty() && Labels(w.Section, w.Group).empty()) {
        if (ReportedGroups.insert(w.Section + "\n" + w.Group).second)
            problem(w.GroupAt, w.Section + " / " + w.Group,
                    "no such group; " + w.Section + " holds " + Listed(keys));
    } else if (w.Group.empty() && !Labels(w.Section, w.Label).empty()) {
        problem(w.At, PathText(w.Section, w.Group, w.Label),
                "a group, not a field: it holds " + Listed(Labels(w.Section, w.Label)));
    } else {
        problem(w.At, PathText(w.Section, w.Group, w.Label),
                "no such field; " + (w.Group.empty() ? w.Section : w.Section + " / " + w.Group) + " holds " +
                    Listed(w.Group.empty() ? keys : Labels(w.Section, w.Group)));
    }
    return std::nullopt;
}

std::vector<std::string> SheetMatch::Sections() const
{
    std::vector<std::string> sections;
    for (const SheetField& f : Fields) {
        if (std::find(sections.begin(), sections.end(), f.Section) == sections.end())
            sections.push_back(f.Section);
    }
    return sections;
}

std::vector<std::string> SheetMatch::Keys(const std::string& section) const
{
    std::vector<std::string> keys;
    for (const SheetField& f : Fields) {
        const std::string& key = f.Group.empty() ? f.Label : f.Group;
        if (f.Section == section && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }
    return keys;
}

std::vector<std::string> SheetMatch::Labels(const std::string& section, const std::string& group) const
{
    std::vector<std::string> labels;
    for (const SheetField& f : Fields) {
        if (f.Section == section && f.Group == group)
            labels.push_back(f.Label);
    }
    return labels;
}

// A section of another kind of controller, or of a door the controller lacks.
std::string SheetMatch::NoSection(const std::string& section) const
{
    const int32_t kind = KindOfSection(section);
    const int32_t own = C.Table.Kind;
    if (kind != 0 && kind != own)
        return "no such section: " + Name + " is " + KindOfController(own) + " (" + SheetOf(own) + ")";
    if (section == words::Doors)
        return "no such section: " + Name + " keeps no train number";
    std::string text = "no such section";
    if (kind == KindDoors)
        text += ": " + Name + " has " + std::to_string(DoorsInUse(C.Table)) + " doors";
    return text + "; the sections are " + Listed(Sections());
}

}  // namespace quor::site
