#include "site/PlanFile.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "site/Files.h"
#include "site/Formats.h"
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

// What a damaged plan lacks or holds wrong; the source is named by LoadPlan.
class Damage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const Json& At(const Json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end())
        throw Damage(std::string("no \"") + key + "\"");
    return *it;
}

std::string TextAt(const Json& object, const char* key)
{
    const Json& value = At(object, key);
    if (!value.is_string())
        throw Damage(std::string("\"") + key + "\" is not a text");
    return value.get<std::string>();
}

std::vector<uint8_t> BytesAt(const Json& object, const char* key)
{
    try {
        return ParseHexText(TextAt(object, key));
    } catch (const std::invalid_argument& e) {
        throw Damage(std::string("\"") + key + "\": " + e.what());
    }
}

FieldChange ChangeOf(const Json& json)
{
    return {TextAt(json, "section"), TextAt(json, "group"), TextAt(json, "label"), TextAt(json, "from"),
            TextAt(json, "to")};
}

// A block to write must be one the backup holds, from the bytes it holds there.
BlockWrite WriteOf(const Json& json, const Backup& before)
{
    const Json& type = At(json, "type");
    const Json& index = At(json, "index");
    if (!type.is_number_unsigned() || !index.is_number_unsigned() || type > 255 || index > 255)
        throw Damage("a block to write has no type and index");
    BlockWrite w{{type.get<uint8_t>(), index.get<uint8_t>()}, BytesAt(json, "from"), BytesAt(json, "to")};
    const auto held = std::find_if(before.Blocks.begin(), before.Blocks.end(),
                                   [&w](const RawBlock& b) { return b.Block == w.Block; });
    if (held == before.Blocks.end() || held->Bytes != w.From || w.To.size() != w.From.size())
        throw Damage("block " + std::to_string(w.Block.Type) + "/" + std::to_string(w.Block.Index) +
                     " to write does not match the backup it was planned from");
    return w;
}

void TargetOf(const Json& json, const std::string& source, SavedPlan& saved)
{
    const std::string name = TextAt(json, "name");
    const auto wanted = std::find_if(saved.File.Controllers.begin(), saved.File.Controllers.end(),
                                     [&name](const WantedController& w) { return w.Name == name; });
    if (wanted == saved.File.Controllers.end())
        throw Damage(saved.SiteFile + " names no controller " + name);
    SiteTarget& target = saved.Plan.Targets.emplace_back();
    target.Wanted = &*wanted;
    target.Fingerprint = TextAt(json, "fingerprint");
    for (const Json& change : At(json, "changes"))
        target.Changes.push_back(ChangeOf(change));
    if (!json.contains("write"))
        return;
    target.Before = ParseBackup(At(json, "before").dump(), source + ": " + name);
    target.Id = target.Before->ControllerId;
    if (Fingerprint(*target.Before) != target.Fingerprint)
        throw Damage(name + ": its fingerprint is not that of the backup it holds");
    for (const Json& w : At(json, "write"))
        target.Writes.push_back(WriteOf(w, *target.Before));
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
        const std::filesystem::path site = TextAt(root, "site_file");
        saved.SiteFile =
            (site.is_relative() ? std::filesystem::path(path).parent_path() / site : site).string();
        saved.SiteHash = TextAt(root, "site_sha256");
        saved.Created = TextAt(root, "created");
        const std::string text = ReadFile(saved.SiteFile);
        if (Sha256Hex(text) != saved.SiteHash)
            throw std::runtime_error(saved.SiteFile + " has changed since " + path +
                                     " was planned from it; plan again");
        std::vector<SiteProblem> problems;
        saved.File = ReadSiteFile(text, problems);
        if (!problems.empty())
            throw Damage(saved.SiteFile + " has problems now");
        for (const Json& target : At(root, "controllers"))
            TargetOf(target, path, saved);
    } catch (const Damage& e) {
        throw std::runtime_error(path + ": a damaged plan: " + e.what());
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(path + ": a damaged plan: " + e.what());
    }
}

}  // namespace quor::site
