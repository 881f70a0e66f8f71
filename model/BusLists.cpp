// The lists the selectors and the bus pane offer: free resources and replacement pairs.
#include "model/Hardres.h"

#include <algorithm>

#include "link/DevId.h"

namespace quor {

namespace {

size_t Capacity(size_t outSize)
{
    return std::min<size_t>(outSize, MaxListLen);
}

}  // namespace

int BusDevTable::FreeRefs(int kind, std::span<ResRef> out) const
{
    if (kind < 0 || kind >= ResKinds) {
        return 0;
    }
    const size_t cap = Capacity(out.size());
    size_t count = 0;
    for (int p = 0; p < PresentCount; ++p) {
        const int e = Order[p];
        const BusDev& dev = Dev[e];
        for (int n = 0; n < dev.ResCount[kind] && count < cap; ++n) {
            if (!(dev.Taken[kind] >> n & 1)) {
                out[count++] = MakeRef(e, n);
            }
        }
    }
    return static_cast<int>(count);
}

int BusDevTable::FreeInputsOf(ResRef r, std::span<ResRef> out) const
{
    // An emptied entry keeps the resource counts it was decoded with, but has no device to offer.
    if (!RefNamesEntry(r) || !RefHasDevice(r)) {
        return 0;
    }
    const BusDev& dev = Dev[RefEntry(r)];
    const size_t cap = Capacity(out.size());
    size_t count = 0;
    for (int n = 0; n < dev.ResCount[ResInput] && count < cap; ++n) {
        if (!(dev.Taken[ResInput] >> n & 1)) {
            out[count++] = static_cast<ResRef>((r & 0xFF00) | n);
        }
    }
    return static_cast<int>(count);
}

bool BusDevTable::AnyInactive() const
{
    for (int p = 0; p < PresentCount; ++p) {
        if (Dev[Order[p]].Flags & FlagInactive) {
            return true;
        }
    }
    return false;
}

int BusDevTable::ReplacementPairs(std::span<uint16_t> out) const
{
    const size_t cap = Capacity(out.size());
    size_t count = 0;
    for (int j = 0; j < PresentCount; ++j) {
        const int o = Order[j];
        if (!(Dev[o].Flags & FlagInactive)) {
            continue;
        }
        for (int k = 0; k < PresentCount && count < cap; ++k) {
            const int w = Order[k];
            if (k != j && (Dev[w].Flags & FlagNew) && DevId(Dev[w].Id).SameModel(DevId(Dev[o].Id))) {
                out[count++] = static_cast<uint16_t>(w << 8 | o);
            }
        }
    }
    return static_cast<int>(count);
}

}  // namespace quor
