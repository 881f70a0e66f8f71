// Datagrams from configurators as an emulated device takes them in: the
// controllers of sim/scenarios/small.json (one open, one closed to the
// configuration), a controller with raw tables and blocks and no bus, and a
// plain device.
//
// Input: a byte choosing the device (bits 0-1) and whether a fault is armed
// (bit 2), three fault bytes (kind, command, count), then the datagrams
// (fuzz/Script.h); a datagram's delay counts in steps of 32 ms squared, so
// that sessions can lapse.

#include <cstring>
#include <memory>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/Script.h"
#include "sim/EmuDevice.h"
#include "sim/EmuFrames.h"
#include "sim/Scenario.h"

using namespace quor;
using namespace quor::fuzz;

namespace {

const char* const Peers[] = {"10.45.0.1", "10.45.0.2"};
// The longest frame of the protocol: a signed frame with the longest payload.
constexpr size_t LongestFrame = sim::SignedOverhead + sim::LongestPayload;

struct Devices {
    sim::Scenario Small = sim::LoadScenario(QUOR_SCENARIO_DIR "/small.json");
    sim::EmuController Raw{0x212D0005, 2};
    sim::EmuDevice Plain{0x20640007, 2};

    Devices()
    {
        // A table and blocks as bytes, not as a bus: writes of any shape are kept.
        Raw.BusTable = {0x01, 0x00, 0x21, 0x00, 0x00, 0x00, 0x05, 0x00, 0x2D,
                        0x21, 0x00, 0x00, 0x02, 0x02, 0x04, 0x02, 0x00, 0x00};
        Raw.Blocks[{1, 0}] = {0x01, 0x04, 0x0A, 0x04, 0x00, 0x00, 0x08, 0x00};
    }
};

// A fresh copy of the chosen device for every input: inputs must not see each other's state.
std::unique_ptr<sim::EmuDevice> Fresh(int choice)
{
    static const Devices prototypes;
    switch (choice) {
    case 0:
    case 1:
        return std::make_unique<sim::EmuController>(
            static_cast<const sim::EmuController&>(*prototypes.Small.Devices[choice]));
    case 2:
        return std::make_unique<sim::EmuController>(prototypes.Raw);
    default:
        return std::make_unique<sim::EmuDevice>(prototypes.Plain);
    }
}

const sim::SessionKeyBytes& KeyOf(const sim::EmuDevice& device)
{
    static const sim::SessionKeyBytes none{};
    const auto* controller = dynamic_cast<const sim::EmuController*>(&device);
    return controller ? controller->SessionKey : none;
}

void CheckReply(const sim::EmuDevice& device, const Bytes& reply, bool faultArmed)
{
    FUZZ_CHECK(reply.size() >= sim::PlainOverhead && reply.size() <= LongestFrame);
    FUZZ_CHECK(std::memcmp(reply.data(), "MMD", 3) == 0 && sim::GetLe32(&reply[4]) == device.Id);
    if (faultArmed)
        return;
    if (sim::HasSignedTag(reply))
        FUZZ_CHECK(reply.size() >= sim::SignedOverhead && sim::SignatureHolds(KeyOf(device), reply));
    else
        FUZZ_CHECK(sim::ReadPlain(reply).has_value());
}

void CheckBus(const sim::EmuDevice& device, size_t entries)
{
    const auto* controller = dynamic_cast<const sim::EmuController*>(&device);
    if (!controller || !controller->Bus)
        return;
    FUZZ_CHECK(controller->Bus->Entries.size() == entries);
    FUZZ_CHECK(controller->Bus->TableBytes().size() <= sim::LongestPayload);
}

}  // namespace

// Every kind of sim::Fault, DropReply to LateReply.
constexpr int FaultKinds = 7;

QUOR_FUZZ_TARGET(emu_handle)
{
    FuzzInput in(data, size);
    const uint8_t choice = in.Byte();
    const uint8_t kind = in.Byte();
    const uint8_t cmd = in.Byte();
    const uint8_t count = in.Byte();
    auto device = Fresh(choice & 3);
    const bool faultArmed = choice & 4;
    if (faultArmed)
        device->Inject(static_cast<sim::Fault>(kind % FaultKinds), cmd, count % 4 - 1);
    const auto* controller = dynamic_cast<const sim::EmuController*>(device.get());
    const size_t entries = controller && controller->Bus ? controller->Bus->Entries.size() : 0;

    int64_t now = 0;
    for (ScriptedDatagram& d : ReadScript(in)) {
        now += 32 * d.Delay() * d.Delay();
        if (d.Matched() && d.Data.size() >= 4) {
            const uint8_t head[4] = {'M', 'M', 'D', d.Data[3]};
            MatchHead(d.Data, head, device->Id);
        }
        if (d.Sealed())
            Seal(d.Data, KeyOf(*device));
        for (const Bytes& reply : device->Handle(d.Data, Peers[d.FromSecond()], now))
            CheckReply(*device, reply, faultArmed);
        CheckBus(*device, entries);
    }
    return 0;
}
