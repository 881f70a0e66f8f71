#pragma once
// Reading a fuzz input front to back. Past its end every read yields zeros
// or an empty span, so a target never needs to check what is left.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quor::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : Unread(data, size) {}

    bool Empty() const { return Unread.empty(); }

    uint8_t Byte()
    {
        const auto b = Take(1);
        return b.empty() ? 0 : b[0];
    }

    uint16_t Word()
    {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }

    std::span<const uint8_t> Take(size_t n)
    {
        const auto part = Unread.first(std::min(n, Unread.size()));
        Unread = Unread.subspan(part.size());
        return part;
    }

    std::span<const uint8_t> Rest() { return Take(Unread.size()); }

private:
    std::span<const uint8_t> Unread;
};

}  // namespace quor::fuzz
