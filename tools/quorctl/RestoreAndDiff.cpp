// quorctl restore and diff.
#include "tools/quorctl/RestoreAndDiff.h"

#include <algorithm>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheets/SlotNames.h"
#include "site/Backup.h"
#include "site/ControllerRead.h"
#include "site/DeviceSearch.h"
#include "site/Diff.h"
#include "site/Formats.h"
#include "site/RawBlocks.h"
#include "site/Restore.h"

namespace quor::tools {

using namespace site;

namespace {

std::string Lines(const std::string& title, const std::vector<std::string>& lines)
{
    std::string text = title + "\n";
    for (const std::string& line : lines)
        text += "  " + line + "\n";
    return text;
}

std::span<const uint8_t> Body(const RawBlock& raw)
{
    return std::span(raw.Bytes).subspan(BlockHeadLen);
}

std::string BlockLine(const RawBlock& raw)
{
    return BlockText(raw.Block) + " " + SectionOf(raw.Block) + ", " + std::to_string(Body(raw).size()) +
           " bytes";
}

std::string DryRunText(const RestorePlan& plan, std::span<const RawBlock> held)
{
    std::vector<std::string> lines;
    for (const RawBlock& raw : plan.Blocks) {
        const auto same = [&raw](const RawBlock& h) { return h.Block == raw.Block && h.Bytes == raw.Bytes; };
        const bool unchanged = std::any_of(held.begin(), held.end(), same);
        lines.push_back(BlockLine(raw) +
                        (unchanged ? ", as on the controller: " : ", changes the controller's: ") +
                        HexText(Body(raw)));
    }
    return Lines("blocks to write, in this order:", lines) + "dry run: nothing written\n";
}

Backup BackupOf(Quorctl& ctl, const std::string& operand)
{
    if (!NamesDevice(operand))
        return LoadBackup(operand);
    UdpDev& dev = SearchFor(ctl.Devices, operand);
    Controller c;
    return TakeBackup(dev, c);
}

}  // namespace

int RunRestore(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out, std::ostream& err)
{
    const Backup backup = LoadBackup(options.File);
    UdpDev& dev = SearchFor(ctl.Devices, options.Device);
    Controller target;
    LoadTable(dev, target);
    const std::vector<RawBlock> held = ReadRawConfiguration(dev, target);
    const RestorePlan plan = PlanRestore(backup, target.Table, dev.Id, held, options.AcceptSerialChanges);
    const std::string name = DevName(dev.Id);
    if (!plan.Mapping.empty())
        out << Lines("bus devices (backup entry -> entry on " + name + "):", plan.Mapping);
    out << Lines("checks:", plan.Checks);
    if (!plan.Problems.empty()) {
        std::string text = "the backup does not fit " + name + "; nothing written:";
        for (const std::string& problem : plan.Problems)
            text += "\n  " + problem;
        throw std::runtime_error(text);
    }
    if (options.DryRun) {
        out << DryRunText(plan, held);
        return 0;
    }
    const RestoreWrite write = WriteRestore(
        dev, plan, [&out](const RawBlock& raw) { out << "written: " << BlockLine(raw) << '\n'; });
    if (write.Stop.empty())
        return 0;
    const std::string done = BlocksText(write.Written);
    err << write.Stop << "quorctl: restore of " << name << " stopped after " << write.Written.size() << " of "
        << plan.Blocks.size() << " blocks; written: " << (done.empty() ? "none" : done)
        << "; not written: " << BlocksText(write.Left) << "; nothing is rolled back\n";
    return 1;
}

bool NamesDevice(std::string_view operand)
{
    static const std::regex device(R"([A-Z][0-9]{2,3}_[0-9]{5}|[0-9]{1,3}(\.[0-9]{1,3}){3})");
    return std::regex_match(operand.begin(), operand.end(), device);
}

int RunDiff(Quorctl& ctl, const QuorctlOptions& options, std::ostream& out)
{
    // The file first: a file refused costs no search.
    const Backup second = LoadBackup(options.File);
    const Backup first = BackupOf(ctl, options.Device);
    const std::vector<std::string> lines = DiffLines(first, second);
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? 0 : 1;
}

}  // namespace quor::tools
