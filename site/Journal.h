#pragma once
// The record of one apply, kept in a folder of its own: the plan, a backup
// of each controller taken before it is written, and a line for every step
// as it happens (journal.jsonl, one JSON object per line), so that the
// record holds what was done however the run ends, and a rollback can put
// the backups back (format in docs/site-file.md).

#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "site/Backup.h"
#include "site/Formats.h"
#include "site/SiteApply.h"

namespace quor::site {

class Journal {
public:
    // Creates the folder; throws std::runtime_error when it cannot.
    explicit Journal(std::string folder);

    // $XDG_STATE_HOME/quorctl/journal/2026-12-11T14-05-09Z (~/.local/state
    // without XDG_STATE_HOME).
    static std::string DefaultFolder();

    const std::string& Folder() const { return Path; }

    void Plan(const std::string& planText);
    // Saves the controller's backup as NAME.json and records it.
    void Backup(const std::string& name, const site::Backup& before);
    void Written(const std::string& name, const RawBlock& block);
    void ReadBack(const std::string& name, const RawBlock& block);
    void Done(const std::string& name);
    // The outcome, with the failure and the controllers not reached.
    void Outcome(const ApplyOutcome& outcome, const std::string& signal);

private:
    void Record(const std::string& line);

    std::string Path;
    std::ofstream Lines;
};

// The outcome for scripts and the journal: {written: [names], failed: null
// or {name, reason, written: [blocks], not_written: [blocks]}, not_reached:
// [names], signal: null or "SIGINT" or "SIGTERM"}.
Json OutcomeJson(const ApplyOutcome& outcome, const std::string& signal);

// What a journal says a run wrote on one controller: its backup as taken
// before, and each block the run wrote with the bytes it left there (the
// last write of a block counts).
struct JournalEntry {
    std::string Name;
    site::Backup Before;
    std::vector<RawBlock> Written;
};

// The controllers the journal in folder records writes to, in the order
// they were written; throws std::runtime_error for a folder that holds no
// journal or a damaged one.
std::vector<JournalEntry> ReadJournal(const std::string& folder);

}  // namespace quor::site
