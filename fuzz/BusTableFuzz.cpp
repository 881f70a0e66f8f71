// The read-table reply as a controller may send it: taking it in, comparing
// it, and every list and text built from the result.

#include <vector>

#include "fuzz/FuzzTarget.h"
#include "fuzz/TableChecks.h"
#include "model/Hardres.h"

using namespace quor;
using namespace quor::fuzz;

QUOR_FUZZ_TARGET(bus_table)
{
    const std::span<const uint8_t> reply(data, size);
    BusDevTable table;
    const bool taken = table.Parse(reply);
    if (taken) {
        FUZZ_CHECK(!table.Differs(reply));
    } else {
        FUZZ_CHECK(table.DevCount == 0 && table.PresentCount == 0 && table.DoorCount == 0);
    }
    // A shorter copy of the same reply: the received bytes end earlier.
    for (size_t cut : {size_t{1}, size_t{12}, size / 2}) {
        if (cut > 0 && cut <= size) {
            const std::vector<uint8_t> part(data, data + size - cut);
            (void)table.Differs(part);
        }
    }
    CheckTable(table);
    // The reply's own bytes, read as references, stand for whatever a
    // configuration block may hold.
    for (size_t i = 0; i + 1 < size && i < 128; i += 2)
        CheckRefTexts(table, static_cast<ResRef>(data[i] | data[i + 1] << 8));
    CheckRefTexts(table, NoRef);
    return 0;
}
