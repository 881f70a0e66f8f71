// Taking in and comparing the read-table reply, and the display order.
#include "model/Hardres.h"

#include <algorithm>
#include <utility>

#include "link/DevId.h"
#include "link/Frame.h"
#include "link/Udpdev.h"

namespace quor {

namespace {

constexpr size_t HeadRead = 4;  // N, kind and door count, train flag; bytes 4 and 5 are not read
constexpr size_t HeadLen = 6;
constexpr size_t EntryLen = 12;

// Whether the received bytes hold the head fields and every entry they announce.
bool HoldsEntries(std::span<const uint8_t> reply, size_t n)
{
    if (n == 0) {
        return reply.size() >= HeadRead;
    }
    return reply.size() >= HeadLen && (reply.size() - HeadLen) / EntryLen >= n;
}

void DecodeEntry(BusDev& dev, const uint8_t* d)
{
    dev.ResCount = {};
    dev.Taken = {};
    dev.Conn = d[0];
    dev.Flags = d[1];
    dev.ResCount[ResInput] = std::min<uint16_t>(d[4], 32);
    dev.ResCount[ResReader] = std::min<uint16_t>(d[5], 4);
    if (d[2] & 0x80) {
        dev.ResCount[ResOutputSet] = d[2] & 3;
    } else if (d[3] & 0x80) {
        dev.ResCount[ResOutputSet] = (d[3] >> 2) & 1;
    } else {
        dev.ResCount[ResOutput] = std::min<uint16_t>(d[2] + d[3], 32);
        dev.FixedOutputs = std::min<uint16_t>(d[2], 32);
    }
}

}  // namespace

// A rejected reply leaves the table forgotten; kind and train flag are left as they are.
void BusDevTable::Reject()
{
    Forget();
}

bool BusDevTable::Parse(std::span<const uint8_t> reply)
{
    const size_t n = reply.size() >= 2 ? Get16(reply.data()) : 0;
    if (n > MaxBusDevs || !HoldsEntries(reply, n)) {
        Reject();
        return false;
    }
    DevCount = static_cast<int32_t>(n);
    Kind = reply[2] >> 5;
    DoorCount = reply[2] & 0x1F;
    if (!(Kind == KindDoors || ((Kind == KindLift || Kind == KindLockers) && DoorCount == 1))) {
        Reject();
        return false;
    }
    TrainFlag = reply[3] >> 4;
    PresentCount = 0;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* e = &reply[HeadLen + EntryLen * i];
        BusDev& dev = Dev[i];
        dev.Id = Get32(e);
        if (dev.Present()) {
            Order[PresentCount++] = static_cast<int32_t>(i);
        }
        DecodeEntry(dev, e + 4);
    }
    Sort();
    return true;
}

void BusDevTable::Sort()
{
    // The order is that of passes of adjacent swaps, each moving an entry that is no controller
    // behind a successor with a lower key, until a pass swaps nothing; the controller's own
    // entry, listed first by the controller, so stays first. Every sequence of such swaps ends
    // in the same order, so it is built by insertion: an entry goes in front of the entries
    // with a higher key that stand behind the last controller, which keep their order.
    int run = 0;  // where the entries behind the last controller placed begin
    for (int i = 0; i < PresentCount; ++i) {
        const int32_t e = Order[i];
        const uint32_t key = DevId(Dev[e].Id).OrderKey();
        const auto at =
            std::upper_bound(Order.begin() + run, Order.begin() + i, key, [this](uint32_t k, int32_t other) {
                return k < DevId(Dev[other].Id).OrderKey();
            });
        std::move_backward(at, Order.begin() + i, Order.begin() + i + 1);
        *at = e;
        if (DevType(Dev[e].Id) == ControllerType) {
            run = static_cast<int>(at - Order.begin()) + 1;
        }
    }
}

bool BusDevTable::Differs(std::span<const uint8_t> reply) const
{
    if (reply.size() < 2) {
        return true;
    }
    const size_t n = Get16(reply.data());
    if (n != static_cast<size_t>(DevCount) || !HoldsEntries(reply, n)) {
        return true;
    }
    // The kind, door count and train flag decide which blocks the held
    // configuration is written as; a change there is a change of the table.
    if (reply.size() >= 4 &&
        ((reply[2] >> 5) != Kind || (reply[2] & 0x1F) != DoorCount || (reply[3] >> 4) != TrainFlag)) {
        return true;
    }
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* e = &reply[HeadLen + EntryLen * i];
        if (Get32(e) != Dev[i].Id || (e[5] & 0xF0) != (Dev[i].Flags & 0xF0)) {
            return true;
        }
    }
    return false;
}

}  // namespace quor
