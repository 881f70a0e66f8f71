#pragma once
// A site plan saved for a later apply: what was reviewed is what gets
// written. It holds the site file's hash, and for each controller with a
// change the fingerprint and backup of what it was planned from, the blocks
// to write with their bytes and the changes in the sheets' words (format in
// docs/site-file.md).

#include <string>
#include <string_view>

#include "site/Formats.h"
#include "site/SiteFile.h"
#include "site/SiteRun.h"

namespace quor::site {

inline constexpr std::string_view PlanFormat = "quorctl site plan";
inline constexpr int PlanVersion = 1;

// {section, group, label, from, to}: a change as plans and saved plans give it to scripts.
Json ChangeJson(const FieldChange& change);

// The plan's text; siteFile is the site file's path, absolute or relative to
// the folder the plan is saved in, and siteText its bytes as planned. The
// plan must have no problems.
std::string PlanFileText(const SitePlan& plan, const std::string& siteFile, std::string_view siteText);

struct SavedPlan {
    std::string SiteFile;  // its path, a relative one taken from the plan's folder
    std::string SiteHash;  // SHA-256 of its bytes, in hex
    std::string Created;   // UTC, "2026-05-28T10:15:00Z"
    // The site file as read again: the plan's targets point into it, so a
    // SavedPlan is not copied.
    quor::site::SiteFile File;
    SitePlan Plan;

    SavedPlan() = default;
    SavedPlan(const SavedPlan&) = delete;
    SavedPlan& operator=(const SavedPlan&) = delete;
};

// Reads a plan and the site file it names, which must hold the bytes it was
// planned from; throws std::runtime_error naming source and what is wrong
// (no plan, another version, damaged, a site file changed since).
void LoadPlan(const std::string& path, SavedPlan& saved);

// True when the file's text is a saved plan rather than a site file.
bool IsPlanText(std::string_view text);

}  // namespace quor::site
