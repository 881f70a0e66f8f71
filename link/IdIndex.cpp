#include "link/IdIndex.h"

#include <bit>

namespace quor {

IdIndex::IdIndex(int most)
    : Slots(std::bit_ceil(2 * static_cast<size_t>(most > 0 ? most : 1))),
      Shift(32 - std::countr_zero(Slots.size()))
{
    Used.reserve(static_cast<size_t>(most > 0 ? most : 0));
}

void IdIndex::Clear()
{
    for (const size_t i : Used) {
        Slots[i].At = -1;
    }
    Used.clear();
}

}  // namespace quor
