#pragma once
// Where each device that waits to be put in the table sits, by identity. A
// search of thousands of devices adds one entry per reply and empties the
// index at every fold: its slots sit in one array that grows with the
// entries (a search of a hundred devices in quorctl's table of 8,192 touches
// a few kilobytes, not its whole room), a lookup hashes by a
// multiplication, and emptying touches only the slots in use.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quor {

class IdIndex {
public:
    // Room for at most `most` entries.
    explicit IdIndex(int most);
    // The position stored for id, -1 when there is none. Defined here, as
    // Add: a search looks up and adds once per reply.
    int Find(uint32_t id) const
    {
        const size_t mask = Slots.size() - 1;
        for (size_t i = Home(id); Slots[i].At >= 0; i = (i + 1) & mask) {
            if (Slots[i].Id == id) {
                return Slots[i].At;
            }
        }
        return -1;
    }
    // id must not be there yet.
    void Add(uint32_t id, int at)
    {
        if (2 * (Used.size() + 1) > Slots.size()) {
            Grow();
        }
        const size_t mask = Slots.size() - 1;
        size_t i = Home(id);
        while (Slots[i].At >= 0) {
            i = (i + 1) & mask;
        }
        Slots[i] = {id, at};
        Used.push_back(i);
    }
    void Clear();

private:
    // Twice the slots, the entries put in again.
    void Grow();
    struct Slot {
        uint32_t Id = 0;
        int32_t At = -1;  // -1: free
    };
    // Fibonacci hashing: the top bits of the product spread serial numbers
    // that differ only in their low bits.
    size_t Home(uint32_t id) const { return static_cast<uint32_t>(id * 0x9E3779B1u) >> Shift; }

    std::vector<Slot> Slots;  // a power of two, at least twice the entries: probes stay short
    std::vector<size_t> Used;
    int Shift;
};

}  // namespace quor
