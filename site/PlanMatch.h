#pragma once
// Finding a site file's field on the controller's sheet, or saying why the
// sheet has no such section, group or field, with what it has instead.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/Controller.h"
#include "sheets/SheetFields.h"
#include "site/SiteFile.h"

namespace quor::site {

class SheetMatch {
public:
    // fields: the sheet's fields as read from c, whose name is controller.
    SheetMatch(const std::vector<SheetField>& fields, const Controller& c, std::string controller);

    // The index of the field w states; none after adding why to problems. A
    // missing section or group is reported once however many fields it holds.
    std::optional<size_t> Find(const WantedField& w, std::vector<SiteProblem>& problems);

private:
    std::vector<std::string> Sections() const;
    // The groups and fields outside any group of a section.
    std::vector<std::string> Keys(const std::string& section) const;
    std::vector<std::string> Labels(const std::string& section, const std::string& group) const;
    std::string NoSection(const std::string& section) const;

    const std::vector<SheetField>& Fields;
    const Controller& C;
    const std::string Name;
    std::set<std::string> ReportedSections;
    std::set<std::string> ReportedGroups;
};

}  // namespace quor::site
