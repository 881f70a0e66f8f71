// Backup files: any text. ParseBackup refuses what does not hold together with
// std::runtime_error; what it takes in must come out of the file it writes
// again, compare equal to itself, and restore onto its own table unchanged.

#include <set>
#include <stdexcept>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "site/Backup.h"
#include "site/Diff.h"
#include "site/Restore.h"

using namespace quor;
using namespace quor::site;

namespace {

// Two entries of one device make the mapping choose between them.
bool EachDeviceOnce(const Backup& backup)
{
    std::set<uint32_t> devices;
    for (const BusDev& dev : backup.Entries) {
        if (dev.Present() && !devices.insert(dev.Id & 0x3FFFFFF).second)
            return false;
    }
    return true;
}

}  // namespace

QUOR_FUZZ_TARGET(backup_file)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Backup backup;
    try {
        backup = ParseBackup(text, "fuzz.json");
    } catch (const std::runtime_error& e) {
        FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.json"));
        return 0;
    }
    const std::string written = BackupText(backup);
    FUZZ_CHECK(BackupText(ParseBackup(written, "again.json")) == written);
    FUZZ_CHECK(DiffLines(backup, backup).empty());

    Controller own;
    Unpack(backup, own);
    const RestorePlan plan = PlanRestore(backup, own.Table, backup.ControllerId, backup.Blocks, false);
    if (EachDeviceOnce(backup)) {
        FUZZ_CHECK(plan.Problems.empty());
        FUZZ_CHECK(plan.Blocks.size() == backup.Blocks.size());
        for (size_t i = 0; i < plan.Blocks.size(); ++i)
            FUZZ_CHECK(plan.Blocks[i].Bytes == backup.Blocks[i].Bytes);
    }
    return 0;
}
