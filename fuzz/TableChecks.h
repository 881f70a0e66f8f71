#pragma once
// What must hold of a bus-device table after any input, and of the lists and
// texts built from it.

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <span>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "model/Hardres.h"

namespace quor::fuzz {

// Well-formed UTF-8: the texts end up in the window's widgets and the report.
inline bool IsUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// A list area of exactly `size` elements, so that a write past its end is
// caught by the address sanitizer. It is made once per size and kept: clearing
// a fresh area of 2560 elements for every list cost more than the lists.
template <typename T> std::span<T> ListArea(size_t size)
{
    static std::map<size_t, std::unique_ptr<T[]>> areas;
    auto& area = areas[size];
    if (!area)
        area = std::make_unique_for_overwrite<T[]>(size);
    return {area.get(), size};
}

inline void CheckOrder(const BusDevTable& t)
{
    FUZZ_CHECK(t.DevCount >= 0 && t.DevCount <= MaxBusDevs);
    FUZZ_CHECK(t.PresentCount >= 0 && t.PresentCount <= t.DevCount);
    std::array<bool, MaxBusDevs> listed{};
    for (int p = 0; p < t.PresentCount; ++p) {
        const int e = t.Order[p];
        FUZZ_CHECK(e >= 0 && e < t.DevCount);
        FUZZ_CHECK(!listed[e]);
        FUZZ_CHECK(t.Dev[e].Present());
        listed[e] = true;
    }
    for (int e = 0; e < t.DevCount; ++e)
        FUZZ_CHECK(listed[e] == t.Dev[e].Present());
}

inline void CheckCounts(const BusDevTable& t)
{
    static constexpr std::array<uint16_t, ResKinds> Most = {32, 32, 4, 3};
    for (int e = 0; e < t.DevCount; ++e) {
        for (int k = 0; k < ResKinds; ++k)
            FUZZ_CHECK(t.Dev[e].ResCount[k] <= Most[k]);
        FUZZ_CHECK(t.Dev[e].FixedOutputs <= 32);
    }
}

inline void CheckFreeRefs(const BusDevTable& t, size_t size)
{
    const auto out = ListArea<ResRef>(size);
    for (int kind = -1; kind <= ResKinds; ++kind) {
        const int n = t.FreeRefs(kind, out);
        FUZZ_CHECK(n >= 0 && static_cast<size_t>(n) <= std::min<size_t>(size, MaxListLen));
        if (kind < 0 || kind == ResKinds)
            FUZZ_CHECK(n == 0);
        for (int i = 0; i < n; ++i) {
            const BusDev& dev = t.Dev[RefEntry(out[i])];
            FUZZ_CHECK(RefNamesEntry(out[i]) && (out[i] & 0xE0) == 0 && dev.Present());
            FUZZ_CHECK(RefNumber(out[i]) < dev.ResCount[kind]);
            FUZZ_CHECK(!(dev.Taken[kind] >> RefNumber(out[i]) & 1));
        }
    }
}

inline void CheckPairs(const BusDevTable& t, size_t size)
{
    const auto out = ListArea<uint16_t>(size);
    const int n = t.ReplacementPairs(out);
    FUZZ_CHECK(n >= 0 && static_cast<size_t>(n) <= std::min<size_t>(size, MaxListLen));
    for (int i = 0; i < n; ++i) {
        const int oldEntry = out[i] & 0xFF;
        const int newEntry = out[i] >> 8;
        FUZZ_CHECK(oldEntry != newEntry && oldEntry < t.DevCount && newEntry < t.DevCount);
        FUZZ_CHECK((t.Dev[oldEntry].Flags & FlagInactive) && (t.Dev[newEntry].Flags & FlagNew));
    }
    // Every device's name is checked with its row; one pair's text shows how they are joined.
    FUZZ_CHECK(n == 0 || IsUtf8(t.PairText(out[0])));
    FUZZ_CHECK(t.AnyInactive() || n == 0);
}

// The first and the last eight rows of the display order: a row is made from its own entry
// alone, and any entry can be brought to either end.
inline void CheckRows(const BusDevTable& t)
{
    FUZZ_CHECK(t.DevListRow(-1).empty() && t.DevListRow(t.PresentCount).empty());
    for (int p = 0; p < t.PresentCount; p = p == 7 ? std::max(8, t.PresentCount - 8) : p + 1) {
        const std::string row = t.DevListRow(p);
        FUZZ_CHECK(!row.empty() && IsUtf8(row));
        FUZZ_CHECK(IsUtf8(ConnName(t.Dev[t.Order[p]])));
    }
}

// Texts and lists for a reference from outside the table: any 16 bits, bit 15 included.
inline void CheckRefTexts(const BusDevTable& t, ResRef r)
{
    for (std::string_view prefix : {"Out", "In", "Rd"})
        FUZZ_CHECK(IsUtf8(t.ResItemText(r, prefix)));
    FUZZ_CHECK(IsUtf8(t.OutSetItemText(r)));
    FUZZ_CHECK(IsUtf8(t.PairText(r)));
    const auto inputs = ListArea<ResRef>(MaxListLen);
    const int n = t.FreeInputsOf(r, inputs);
    FUZZ_CHECK(n >= 0 && n <= 32);
    FUZZ_CHECK(RefNamesEntry(r) || n == 0);
    for (int i = 0; i < n; ++i)
        FUZZ_CHECK((inputs[i] & 0xFF00) == (r & 0xFF00) && RefNumber(inputs[i]) < 32);
}

// The free-resource lists, the only ones that follow the taken masks.
inline void CheckAllFreeRefs(const BusDevTable& t)
{
    for (size_t size : {size_t{0}, size_t{3}, size_t{MaxListLen}})
        CheckFreeRefs(t, size);
}

inline void CheckTable(const BusDevTable& t)
{
    CheckOrder(t);
    CheckCounts(t);
    CheckAllFreeRefs(t);
    for (size_t size : {size_t{0}, size_t{1}, size_t{MaxListLen}})
        CheckPairs(t, size);
    CheckRows(t);
}

}  // namespace quor::fuzz
