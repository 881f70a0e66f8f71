// Datagrams from the LAN as the link takes them in: plain and signed
// exchanges, the search's reply collection, and the model's reads of the bus
// table and the configuration through the link.
//
// Input: a setup byte (bit 0 Alive, bit 1 session open, bits 2-3 protocol
// version 1 to 4), the mode byte, a count byte and that many operations of 3
// bytes (operation, two arguments), then the datagrams the endpoint hands
// out (fuzz/Script.h).

#include <algorithm>
#include <array>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/ScriptedEndpoint.h"
#include "fuzz/TableChecks.h"
#include "link/Udpdev.h"
#include "model/Cfgquor.h"
#include "model/Cfgset.h"
#include "model/Controller.h"
#include "model/Hardres.h"
#include "model/KindConfig.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

constexpr uint32_t DeviceId = 0x212D3039;  // K01_12345
constexpr std::array<uint8_t, 16> SessionKey = {0x2B, 0x7E, 0x15, 0x16, 0x28, 0xAE, 0xD2, 0xA6,
                                                0xAB, 0xF7, 0x15, 0x88, 0x09, 0xCF, 0x4F, 0x3C};

// Every signed command is a letter; the byte 0 would ask AwaitReply for no echo at all.
uint8_t SignedCmd(uint8_t b)
{
    return b != 0 ? b : uint8_t{CmdReadBlock};
}

struct Op {
    uint8_t Code;
    uint8_t A;
    uint8_t B;
};

// The table stays within its capacity, ordered by the low 26 bits of the identity, one record per device.
void CheckSet(const UdpDevSet& set)
{
    FUZZ_CHECK(set.Count >= 0 && set.Count <= set.Capacity);
    FUZZ_CHECK(set.Selected >= -1 && set.Selected < set.Count);
    for (int i = 1; i < set.Count; ++i) {
        FUZZ_CHECK((set.Dev[i - 1].Id & 0x3FFFFFF) <= (set.Dev[i].Id & 0x3FFFFFF));
        for (int k = 0; k < i; ++k)
            FUZZ_CHECK(set.Dev[k].Id != set.Dev[i].Id);
    }
}

void Collect(UdpDevSet& set, const Op& op)
{
    set.Selected = op.A % (set.Count + 1) - 1;
    const int selected = set.Selected;
    const uint32_t selectedId = selected >= 0 ? set.Dev[selected].Id : 0;
    if (op.B & 1)
        set.Search();
    else
        set.CollectReplies(op.B * 4);
    CheckSet(set);
    // The selection follows its device as others are merged in before it.
    FUZZ_CHECK(selected < 0 || set.Dev[set.Selected].Id == selectedId);
}

void BlockRead(UdpDev& dev, const Op& op)
{
    CfgBlock shapes[] = {
        CfgBlock(BlockCommon, 0, 0, 0, 0, 8),
        CfgBlock(BlockDoor, 4, 0, 10, 4, 0),
        CfgBlock(BlockLift, 0, 4, 10, 4, 0),
        CfgBlock(BlockLockers, 0, 16, 4, 4, 64),
    };
    CfgBlock& block = shapes[op.A & 3];
    const CfgBlock before = block;
    if (ReadCfgBlock(dev, static_cast<uint8_t>(block.BlockType), op.B, block)) {
        BlockBody body;
        FUZZ_CHECK(block.Encode(body) == block.ExpectedLength() - BlockHeadLen);
    } else {
        FUZZ_CHECK(block == before);
    }
}

void Maintenance(UdpDev& dev, const Op& op)
{
    switch (op.A % 6) {
    case 0:
        dev.SignedCommand(SignedCmd(op.B), {});
        break;
    case 1:
        dev.KeepAlive();
        break;
    case 2:
        dev.CloseSession();
        break;
    case 3:
        dev.DeleteLost();
        break;
    case 4:
        dev.ReplaceDevice(static_cast<uint16_t>(op.A << 8 | op.B));
        break;
    default:
        dev.EnsureSession();
        break;
    }
}

void Store(UdpDev& dev, Controller& m, const Op& op)
{
    switch (op.A % 3) {
    case 0:
        m.Doors.Store(dev, m.Table);
        break;
    case 1:
        m.Lift.Write(dev);
        break;
    default:
        WriteCfgBlock(dev, op.B, 0, m.Lockers);
        break;
    }
}

void Run(UdpDev& dev, UdpDevSet& set, Controller& m, const Op& op)
{
    static const std::array<uint8_t, 40> Payload = {'p', 'a', 'y', 'l', 'o', 'a', 'd'};
    std::array<uint8_t, 40> result{};
    const auto payload = std::span(Payload).first(op.A % 8);
    const auto capacity = std::span(result).first(op.B % result.size());
    switch (op.Code % 10) {
    case 0:
        FUZZ_CHECK(dev.Exchange(op.A, payload, capacity) >= 0);
        break;
    case 1: {
        const int m = dev.SignedExchange(SignedCmd(op.A), payload, capacity);
        FUZZ_CHECK(m >= 0 && static_cast<size_t>(m) <= capacity.size());
        break;
    }
    case 2:
        FUZZ_CHECK(dev.Poll() == dev.Alive);
        break;
    case 3:
        (op.A & 1) ? dev.OpenSession() : RequireProtocolVersion(dev);
        break;
    case 4:
        BlockRead(dev, op);
        break;
    case 5: {
        BlockArea area;
        int length = -1;
        const bool read = (op.A & 1) ? m.Table.FetchIfChanged(dev) : dev.TryReadBusTable(area, &length);
        FUZZ_CHECK((op.A & 1) || !read || (length > 0 && length <= BlockAreaSize));
        break;
    }
    case 6:
        (op.A & 1) ? (void)ReadKindConfig(dev, m) : (void)m.Table.Fetch(dev);
        break;
    case 7:
        Collect(set, op);
        break;
    case 8:
        Maintenance(dev, op);
        break;
    default:
        Store(dev, m, op);
        break;
    }
}

}  // namespace

QUOR_FUZZ_TARGET(link_replies)
{
    FuzzInput in(data, size);
    const uint8_t setup = in.Byte();
    const uint8_t mode = in.Byte();
    std::vector<Op> ops(in.Byte() % 16);
    for (Op& op : ops)
        op = {in.Byte(), in.Byte(), in.Byte()};

    // The endpoint outlives the records: a record closes its session as it goes.
    ScriptedEndpoint udp(ReadScript(in));
    UdpDevSet set(udp);
    UdpDev dev(udp, DeviceId, 0x0A2D010A, 1 + (setup >> 2 & 3), mode);
    dev.Alive = setup & 1;
    dev.SessionOpen = setup & 2;
    dev.SessionKey = SessionKey;
    udp.Signer = &dev;
    Controller m;

    for (const Op& op : ops) {
        try {
            Run(dev, set, m, op);
        } catch (const UErr& e) {
            FUZZ_CHECK(e.Dev && e.Dev->Id == dev.Id && e.Code >= ErrNoAnswer && e.Code <= ErrModeRefuses);
            FUZZ_CHECK(!e.Text().empty());
        }
        CheckTable(m.Table);
        FUZZ_CHECK(m.Table.DoorCount >= 0 && m.Table.DoorCount <= 31);
    }
    return 0;
}
