#include "link/IdIndex.h"

#include <algorithm>
#include <bit>

namespace quor {

namespace {

// Where an index starts: room for 128 entries.
constexpr size_t FirstSlots = 256;

}  // namespace

IdIndex::IdIndex(int most)
    : Slots(std::min(FirstSlots, std::bit_ceil(2 * static_cast<size_t>(most > 0 ? most : 1)))),
      Shift(32 - std::countr_zero(Slots.size()))
{
    Used.reserve(static_cast<size_t>(most > 0 ? most : 0));
}

void IdIndex::Grow()
{
    std::vector<Slot> old(Slots.size() * 2);
    old.swap(Slots);
    Shift = 32 - std::countr_zero(Slots.size());
    const std::vector<size_t> used = std::move(Used);
    Used.clear();
    Used.reserve(used.capacity());
    for (const size_t i : used) {
        Add(old[i].Id, old[i].At);
    }
}

void IdIndex::Clear()
{
    for (const size_t i : Used) {
        Slots[i].At = -1;
    }
    Used.clear();
}

}  // namespace quor
