#pragma once
// The target limits as help and messages write them, formatted from the
// constants of Targets.h so that no text repeats a number.

#include <string>

#include "link/Targets.h"

namespace quor {

// The addresses of the widest range a target may give.
inline constexpr int TargetRangeMost = 1 << (32 - TargetShortestPrefix);

// "/22", the widest range.
std::string WidestRangeText();
// "4,096": a count with its thousands set apart, as messages write it.
std::string GroupedCount(int count);

}  // namespace quor
