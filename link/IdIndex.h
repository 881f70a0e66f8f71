#pragma once
// Where each device that waits to be put in the table sits, by identity. A
// search of thousands of devices adds one entry per reply and empties the
// index at every fold: its slots sit in one array sized once, a lookup
// hashes by a multiplication, and emptying touches only the slots in use.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quor {

class IdIndex {
public:
    // Room for at most `most` entries.
    explicit IdIndex(int most);
    // The position stored for id, -1 when there is none.
    int Find(uint32_t id) const;
    // id must not be there yet.
    void Add(uint32_t id, int at);
    void Clear();

private:
    struct Slot {
        uint32_t Id = 0;
        int32_t At = -1;  // -1: free
    };
    size_t Home(uint32_t id) const;

    std::vector<Slot> Slots;  // a power of two, at least twice `most`: probes stay short
    std::vector<size_t> Used;
    int Shift;
};

}  // namespace quor
