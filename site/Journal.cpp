#include "site/Journal.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "site/Files.h"
#include "site/Formats.h"
#include "site/RawBlocks.h"

namespace quor::site {

namespace fs = std::filesystem;

namespace {

constexpr char LinesName[] = "journal.jsonl";

// "2026-12-11T14-05-09Z": a time that every file system takes in a name.
std::string FolderTime()
{
    std::string time = UtcNow();
    std::replace(time.begin(), time.end(), ':', '-');
    return time;
}

Json BlockJson(const std::string& event, const std::string& name, const RawBlock& block)
{
    return {{"event", event},
            {"controller", name},
            {"block", BlockText(block.Block)},
            {"hex", HexText(block.Bytes)}};
}

Json Blocks(const std::vector<BlockId>& blocks)
{
    Json list = Json::array();
    for (const BlockId block : blocks)
        list.push_back(BlockText(block));
    return list;
}

}  // namespace

Journal::Journal(std::string folder) : Path(std::move(folder))
{
    // One run's record to a folder: a rollback puts back what the run it records wrote.
    if (fs::exists(fs::path(Path) / LinesName))
        throw std::runtime_error("the journal folder " + Path + " already holds the journal of another run");
    std::error_code error;
    fs::create_directories(Path, error);
    if (error)
        throw std::runtime_error("cannot create the journal folder " + Path + ": " + error.message());
    Lines.open(fs::path(Path) / LinesName, std::ios::binary | std::ios::app);
    if (!Lines)
        throw std::runtime_error("cannot write the journal in " + Path);
}

std::string Journal::DefaultFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = state != nullptr && *state != '\0' ? fs::path(state)
                    : home != nullptr                  ? fs::path(home) / ".local" / "state"
                                                       : fs::temp_directory_path();
    // Two runs in one second each get a folder of their own.
    const fs::path first = base / "quorctl" / "journal" / FolderTime();
    fs::path folder = first;
    for (int n = 2; fs::exists(folder); ++n)
        folder = first.string() + "-" + std::to_string(n);
    return folder.string();
}

void Journal::Record(const std::string& line)
{
    // Written through at once: the record must hold what was done even when
    // the run is killed right after.
    Lines << line << '\n' << std::flush;
    if (!Lines)
        throw std::runtime_error("cannot write the journal in " + Path);
}

void Journal::Plan(const std::string& planText)
{
    ReplaceFile((fs::path(Path) / "plan.json").string(), planText);
    Record(Json{{"event", "plan"}, {"file", "plan.json"}, {"time", UtcNow()}}.dump());
}

void Journal::Backup(const std::string& name, const site::Backup& before)
{
    const std::string file = name + ".json";
    SaveBackup(before, (fs::path(Path) / file).string());
    Record(Json{{"event", "backup"}, {"controller", name}, {"file", file}}.dump());
}

void Journal::Written(const std::string& name, const RawBlock& block)
{
    Record(BlockJson("written", name, block).dump());
}

void Journal::ReadBack(const std::string& name, const RawBlock& block)
{
    Record(BlockJson("read-back", name, block).dump());
}

void Journal::Done(const std::string& name)
{
    Record(Json{{"event", "done"}, {"controller", name}}.dump());
}

void Journal::Outcome(const ApplyOutcome& outcome, const std::string& signal)
{
    Json line = {{"event", "outcome"}, {"time", UtcNow()}};
    line.update(OutcomeJson(outcome, signal));
    Record(line.dump());
}

Json OutcomeJson(const ApplyOutcome& outcome, const std::string& signal)
{
    Json failed = nullptr;
    if (!outcome.Failed.empty())
        failed = {{"name", outcome.Failed},
                  {"reason", outcome.Reason},
                  {"written", Blocks(outcome.Sent)},
                  {"not_written", Blocks(outcome.NotSent)}};
    return {{"written", outcome.Written},
            {"failed", failed},
            {"not_reached", outcome.NotReached},
            {"signal", signal.empty() ? Json(nullptr) : Json(signal)}};
}

std::vector<JournalEntry> ReadJournal(const std::string& folder)
{
    const fs::path lines = fs::path(folder) / LinesName;
    if (!fs::exists(lines))
        throw std::runtime_error(folder + " holds no quorctl journal (" + LinesName + ")");
    std::vector<JournalEntry> entries;
    const auto entryOf = [&entries](const std::string& name) -> JournalEntry* {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&name](const JournalEntry& e) { return e.Name == name; });
        return it == entries.end() ? nullptr : &*it;
    };
    const std::string text = ReadFile(lines.string());
    size_t number = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string where = lines.string() + ":" + std::to_string(++number);
        const Json line = Json::parse(text.substr(at, end - at), nullptr, false);
        at = end + 1;
        if (line.is_discarded() || !line.is_object())
            throw std::runtime_error(where + ": not a journal line");
        const std::string event = line.value("event", "");
        const std::string name = line.value("controller", "");
        if (event == "backup")
            entries.push_back({name, LoadBackup((fs::path(folder) / line.value("file", "")).string()), {}});
        if (event != "written")
            continue;
        JournalEntry* entry = entryOf(name);
        if (entry == nullptr)
            throw std::runtime_error(where + ": a write to " + name + " without its backup before");
        RawBlock block;
        try {
            block.Bytes = ParseHexText(line.value("hex", ""));
        } catch (const std::invalid_argument& e) {
            throw std::runtime_error(where + ": " + e.what());
        }
        const std::string id = line.value("block", "");
        const auto held = std::find_if(entry->Before.Blocks.begin(), entry->Before.Blocks.end(),
                                       [&id](const RawBlock& b) { return BlockText(b.Block) == id; });
        if (held == entry->Before.Blocks.end())
            throw std::runtime_error(where + ": block " + id + " is not one of " + name + "'s");
        block.Block = held->Block;
        std::erase_if(entry->Written, [&block](const RawBlock& b) { return b.Block == block.Block; });
        entry->Written.push_back(std::move(block));
    }
    std::erase_if(entries, [](const JournalEntry& e) { return e.Written.empty(); });
    return entries;
}

}  // namespace quor::site
