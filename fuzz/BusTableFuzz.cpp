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
    if (!table.Parse(reply)) {
        FUZZ_CHECK(table.DevCount == 0 && table.PresentCount == 0 && table.DoorCount == 0);
        CheckTable(table);
        CheckRefTexts(table, NoRef);
        return 0;
    }
    // The checks below cost far more than taking the reply in: they run only
    // for the replies the table accepts, so that the fuzzer spends its time
    // on finding those.
    FUZZ_CHECK(!table.Differs(reply));
    // A shorter copy of the same reply: the received bytes end earlier.
    for (size_t cut : {size_t{1}, size_t{12}, size / 2}) {
        if (cut > 0 && cut <= size) {
            const std::vector<uint8_t> part(data, data + size - cut);
            (void)table.Differs(part);
        }
    }
    CheckTable(table);
    // Up to eight references from the bytes behind the announced entries, which
    // the table ignores, stand for whatever a configuration block may hold.
    const size_t behind = 6 + 12 * static_cast<size_t>(table.DevCount);
    for (size_t i = behind; i + 1 < size && i < behind + 16; i += 2)
        CheckRefTexts(table, static_cast<ResRef>(data[i] | data[i + 1] << 8));
    CheckRefTexts(table, NoRef);
    return 0;
}
