#pragma once
// Which locker number edits are shown as invalid (yellow): a range that is not
// 1 to 32 lockers long, a module without numbers, numbers without a module,
// or a number inside another module's range. Nothing is blocked by it.

#include <array>
#include <cstdint>

#include "model/Cfgset.h"

namespace quor {

struct LockerRangeColours {
    std::array<bool, LockerModules> FirstInvalid{};
    std::array<bool, LockerModules> LastInvalid{};

    bool operator==(const LockerRangeColours&) const = default;
};

inline constexpr int MaxLockersPerModule = 32;

// Whether number n lies in the range of a row other than row (rows with both
// numbers set and at most 32 lockers long). False for none.
bool LockerNumberTaken(const OutSetCfg& cfg, uint16_t n, int row);
// Whether the first (last false) or last number edit of row is invalid.
bool LockerEditInvalid(const OutSetCfg& cfg, int row, bool last);
LockerRangeColours CheckLockerRanges(const OutSetCfg& cfg);

}  // namespace quor
