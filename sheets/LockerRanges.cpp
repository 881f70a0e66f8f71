// The colour rule of the locker number edits.
#include "sheets/LockerRanges.h"

namespace quor {

namespace {

int Rows(const OutSetCfg& cfg)
{
    return cfg.OutputSetCount < LockerModules ? cfg.OutputSetCount : LockerModules;
}

}  // namespace

bool LockerNumberTaken(const OutSetCfg& cfg, uint16_t n, int row)
{
    if (n == NoLocker) {
        return false;
    }
    for (int j = 0; j < Rows(cfg); ++j) {
        const uint16_t f = cfg.LockerFirst(j);
        const uint16_t l = cfg.LockerLast(j);
        if (j != row && f != NoLocker && l != NoLocker && l - f < MaxLockersPerModule && f <= n && n <= l) {
            return true;
        }
    }
    return false;
}

bool LockerEditInvalid(const OutSetCfg& cfg, int row, bool last)
{
    if (row < 0 || row >= LockerModules) {
        return false;
    }
    const uint16_t f = cfg.LockerFirst(row);
    const uint16_t l = cfg.LockerLast(row);
    const uint16_t own = last ? l : f;
    const uint16_t other = last ? f : l;
    const bool module = cfg.OutputSets[row] != NoRef;
    const int span = l - f;  // signed: a last number below the first is a fault too
    if (other != NoLocker && (span < 0 || span >= MaxLockersPerModule)) {
        return true;
    }
    if ((own == NoLocker) == module) {
        return true;  // a module without numbers, or numbers without a module
    }
    return LockerNumberTaken(cfg, own, row);
}

LockerRangeColours CheckLockerRanges(const OutSetCfg& cfg)
{
    LockerRangeColours colours;
    for (int i = 0; i < LockerModules; ++i) {
        colours.FirstInvalid[i] = LockerEditInvalid(cfg, i, false);
        colours.LastInvalid[i] = LockerEditInvalid(cfg, i, true);
    }
    return colours;
}

}  // namespace quor
