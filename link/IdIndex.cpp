#include "link/IdIndex.h"

#include <bit>

namespace quor {

IdIndex::IdIndex(int most)
    : Slots(std::bit_ceil(2 * static_cast<size_t>(most > 0 ? most : 1))),
      Shift(32 - std::countr_zero(Slots.size()))
{
    Used.reserve(static_cast<size_t>(most > 0 ? most : 0));
}

size_t IdIndex::Home(uint32_t id) const
{
    // Fibonacci hashing: the top bits of the product spread serial numbers
    // that differ only in their low bits.
    return static_cast<uint32_t>(id * 0x9E3779B1u) >> Shift;
}

int IdIndex::Find(uint32_t id) const
{
    const size_t mask = Slots.size() - 1;
    for (size_t i = Home(id); Slots[i].At >= 0; i = (i + 1) & mask) {
        if (Slots[i].Id == id) {
            return Slots[i].At;
        }
    }
    return -1;
}

void IdIndex::Add(uint32_t id, int at)
{
    const size_t mask = Slots.size() - 1;
    size_t i = Home(id);
    while (Slots[i].At >= 0) {
        i = (i + 1) & mask;
    }
    Slots[i] = {id, at};
    Used.push_back(i);
}

void IdIndex::Clear()
{
    for (const size_t i : Used) {
        Slots[i].At = -1;
    }
    Used.clear();
}

}  // namespace quor
