#include "site/Rollback.h"

#include <algorithm>
#include <stdexcept>

#include "site/DeviceSearch.h"
#include "site/KeptSession.h"
#include "site/RawBlocks.h"
#include "site/SiteRun.h"

namespace quor::site {

namespace {

const RawBlock& BackupBlock(const JournalEntry& entry, BlockId block)
{
    const auto it = std::find_if(entry.Before.Blocks.begin(), entry.Before.Blocks.end(),
                                 [block](const RawBlock& b) { return b.Block == block; });
    if (it == entry.Before.Blocks.end())
        throw std::logic_error("a journal's write outside its backup");
    return *it;
}

void PutBack(UdpDev& dev, const JournalEntry& entry)
{
    OpenKept(dev);
    for (const RawBlock& written : entry.Written) {
        if (!SameBody(ReadBlockKept(dev, written.Block), written.Bytes))
            throw std::runtime_error(entry.Name + " changed since the run; not rolled back");
    }
    for (const RawBlock& written : entry.Written) {
        const RawBlock& before = BackupBlock(entry, written.Block);
        dev.WriteBlock(before.Block.Type, before.Block.Index, BodyOf(before.Bytes));
    }
    for (const RawBlock& written : entry.Written) {
        const RawBlock& before = BackupBlock(entry, written.Block);
        if (!SameBody(ReadBlockKept(dev, before.Block), before.Bytes))
            throw std::runtime_error(entry.Name + ": block " + BlockText(before.Block) +
                                     " read back does not hold the backup's bytes");
    }
}

}  // namespace

RollbackOutcome RollbackSite(UdpDevSet& devices, const std::vector<JournalEntry>& entries,
                             const std::function<void(const std::string&)>& done)
{
    devices.Search();
    RollbackOutcome outcome;
    for (const JournalEntry& entry : entries) {
        UdpDev* dev = FindFound(devices, entry.Name);
        if (dev == nullptr || dev->Id != entry.Before.ControllerId) {
            outcome.Refused.push_back("no controller " + entry.Name + " answered the search");
            continue;
        }
        try {
            PutBack(*dev, entry);
            outcome.Restored.push_back(entry.Name);
            if (done)
                done(entry.Name);
        } catch (const UErr& e) {
            outcome.Refused.push_back(UnreadableText(e));
        } catch (const std::exception& e) {
            outcome.Refused.push_back(e.what());
        }
        EndKept(*dev);
    }
    return outcome;
}

}  // namespace quor::site
