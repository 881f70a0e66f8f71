#include "site/PlanFile.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "site/Files.h"
#include "site/Formats.h"
#include "site/JsonRead.h"
#include "site/RawBlocks.h"
#include "text/Sha256.h"

namespace quor::site {

namespace {

Json TargetJson(const SiteTarget& target)
{
    Json json = {
        {"name", target.Wanted->Name}, {"id", IdText(target.Id)}, {"fingerprint", target.Fingerprint}};
    Json changes = Json::array();
    for (const FieldChange& change : target.Changes)
        changes.push_back(ChangeJson(change));
    json["changes"] = changes;
    if (target.Writes.empty())
        return json;
    Json writes = Json::array();
    for (const BlockWrite& w : target.Writes)
        writes.push_back({{"type", w.Block.Type},
                          {"index", w.Block.Index},
                          {"from", HexText(w.From)},
                          {"to", HexText(w.To)}});
    json["write"] = writes;
    json["before"] = Json::parse(BackupText(*target.Before));
    return json;
}

FieldChange ChangeOf(const Json& json, const std::string& where)
{
    return {TextAt(json, "section", where), TextAt(json, "group", where), TextAt(json, "label", where),
            TextAt(json, "from", where), TextAt(json, "to", where)};
}

// A block to write must be one the backup holds, from the bytes it holds there.
BlockWrite WriteOf(const Json& json, const std::string& where, const Backup& before)
{
    BlockWrite w{{static_cast<uint8_t>(WholeAt(json, "type", where, 0, 255)),
                  static_cast<uint8_t>(WholeAt(json, "index", where, 0, 255))},
                 BytesAt(json, "from", where),
                 BytesAt(json, "to", where)};
    const auto held = std::find_if(before.Blocks.begin(), before.Blocks.end(),
                                   [&w](const RawBlock& b) { return b.Block == w.Block; });
    if (held == before.Blocks.end() || held->Bytes != w.From || w.To.size() != w.From.size())
        throw Damage(where, "block " + BlockText(w.Block) + " does not match the backup it was planned from");
    return w;
}

void TargetOf(const Json& json, const std::string& where, const std::string& source, SavedPlan& saved)
{
    const std::string name = TextAt(json, "name", where);
    const auto wanted = std::find_if(saved.File.Controllers.begin(), saved.File.Controllers.end(),
                                     [&name](const WantedController& w) { return w.Name == name; });
    if (wanted == saved.File.Controllers.end())
        throw Damage(Place(where, "name"), saved.SiteFile + " names no controller " + name);
    SiteTarget& target = saved.Plan.Targets.emplace_back();
    target.Wanted = &*wanted;
    target.Fingerprint = TextAt(json, "fingerprint", where);
    for (const Json& change : Member(json, "changes", where))
        target.Changes.push_back(ChangeOf(change, Place(where, "changes")));
    if (!json.contains("write"))
        return;
    target.Before = ParseBackup(Member(json, "before", where).dump(), source + ": " + name);
    target.Id = target.Before->ControllerId;
    if (Fingerprint(*target.Before) != target.Fingerprint)
        throw Damage(Place(where, "fingerprint"), "not that of the backup it holds");
    for (const Json& w : Member(json, "write", where))
        target.Writes.push_back(WriteOf(w, Place(where, "write"), *target.Before));
}

}  // namespace

Json ChangeJson(const FieldChange& change)
{
    return {{"section", change.Section},
            {"group", change.Group},
            {"label", change.Label},
            {"from", change.From},
            {"to", change.To}};
}

std::string PlanFileText(const SitePlan& plan, const std::string& siteFile, std::string_view siteText)
{
    if (!plan.Problems.empty())
        throw std::logic_error("a plan with problems is never saved");
    Json controllers = Json::array();
    for (const SiteTarget& target : plan.Targets)
        controllers.push_back(TargetJson(target));
    return JsonText({{"format", PlanFormat},
                     {"version", PlanVersion},
                     {"created", UtcNow()},
                     {"site_file", siteFile},
                     {"site_sha256", Sha256Hex(siteText)},
                     {"controllers", controllers}});
}

bool IsPlanText(std::string_view text)
{
    const Json root = Json::parse(text, nullptr, false);
    return root.is_object() && root.value("format", "") == PlanFormat;
}

void LoadPlan(const std::string& path, SavedPlan& saved)
{
    const Json root = Json::parse(ReadFile(path), nullptr, false);
    if (root.is_discarded() || !root.is_object() || root.value("format", "") != PlanFormat)
        throw std::runtime_error(path + " is not a saved quorctl site plan");
    if (root.value("version", 0) != PlanVersion)
        throw std::runtime_error(path + " is a plan of another version; this quorctl reads version " +
                                 std::to_string(PlanVersion));
    try {
        // Relative to the plan's folder: the two move together, from a review to the site.
        const std::filesystem::path site = TextAt(root, "site_file", "");
        saved.SiteFile =
            (site.is_relative() ? std::filesystem::path(path).parent_path() / site : site).string();
        saved.SiteHash = TextAt(root, "site_sha256", "");
        saved.Created = TextAt(root, "created", "");
        const std::string text = ReadFile(saved.SiteFile);
        if (Sha256Hex(text) != saved.SiteHash)
            throw std::runtime_error(saved.SiteFile + " has changed since " + path +
                                     " was planned from it; plan again");
        std::vector<SiteProblem> problems;
        saved.File = ReadSiteFile(text, problems);
        if (!problems.empty())
            throw Damage("site_file", saved.SiteFile + " has problems now");
        const Json& controllers = Member(root, "controllers", "");
        for (size_t i = 0; i < controllers.size(); ++i)
            TargetOf(controllers[i], "controllers[" + std::to_string(i) + "]", path, saved);
    } catch (const Damage& e) {
        throw std::runtime_error(path + ": a damaged plan: " + e.what());
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(path + ": a damaged plan: " + e.what());
    }
}

}  // namespace quor::site
