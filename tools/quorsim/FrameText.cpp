#include "tools/quorsim/FrameText.h"

#include <algorithm>
#include <cstdio>

#include "link/Crc32.h"
#include "link/Udpdev.h"
#include "sim/EmuFrames.h"

namespace quor::tools {

namespace {

constexpr uint8_t EchoBit = 0x80;

std::string IdentityText(uint32_t id, const DeviceBook& book)
{
    if (id == sim::SearchId)
        return "all";
    if (book.Find(id))
        return DevName(id);
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

std::string CommandText(uint8_t cmd)
{
    const uint8_t letter = cmd & static_cast<uint8_t>(~EchoBit);
    if (letter > ' ' && letter <= '~')
        return std::string(1, static_cast<char>(letter)) + ((cmd & EchoBit) ? "*" : "");
    char text[8];
    std::snprintf(text, sizeof text, "x%02X", cmd);
    return text;
}

std::string SignatureVerdict(std::span<const uint8_t> frame, uint32_t id, const DeviceBook& book)
{
    const auto* controller = dynamic_cast<const sim::EmuController*>(book.Find(id));
    const bool keyHeld =
        controller && std::any_of(controller->SessionKey.begin(), controller->SessionKey.end(),
                                  [](uint8_t b) { return b != 0; });
    if (!keyHeld)
        return "nokey";
    return sim::SignatureHolds(controller->SessionKey, frame) ? "ok" : "bad";
}

// A block read or write request names its block in the first two payload
// bytes: type and index. Replies carry no name.
std::string BlockText(std::span<const uint8_t> data)
{
    const uint8_t cmd = data[10];
    if ((cmd != 'C' && cmd != 'c') || data.size() < sim::SignedOverhead + 2)
        return "";
    return " block=" + std::to_string(data[11]) + "." + std::to_string(data[12]);
}

std::string Signed(std::span<const uint8_t> data, const DeviceBook& book)
{
    const uint32_t id = sim::GetLe32(data.data() + 4);
    return CommandText(data[10]) + " " + IdentityText(id, book) +
           " signed ctr=" + std::to_string(sim::GetLe16(data.data() + 8)) +
           " len=" + std::to_string(data.size() - sim::SignedOverhead) +
           " sig=" + SignatureVerdict(data, id, book) + BlockText(data);
}

std::string Plain(std::span<const uint8_t> data, const DeviceBook& book)
{
    const size_t covered = data.size() - 4;
    const bool crcHolds = Crc32(data.first(covered)) == sim::GetLe32(data.data() + covered);
    return CommandText(data[3]) + " " + IdentityText(sim::GetLe32(data.data() + 4), book) +
           " plain len=" + std::to_string(data.size() - sim::PlainOverhead) +
           " crc=" + (crcHolds ? "ok" : "bad");
}

}  // namespace

const sim::EmuDevice* DeviceBook::Find(uint32_t id) const
{
    const auto hit =
        std::find_if(Devices.begin(), Devices.end(), [id](const auto* d) { return d->Id == id; });
    return hit == Devices.end() ? nullptr : *hit;
}

std::string DescribeDatagram(std::span<const uint8_t> data, const DeviceBook& book)
{
    const std::string bytes = "bytes=" + std::to_string(data.size());
    if (data.size() < 4 || !std::equal(data.begin(), data.begin() + 3, "MMD"))
        return "- - junk " + bytes;
    const bool isSigned = sim::HasSignedTag(data);
    if (data.size() < (isSigned ? sim::SignedOverhead : sim::PlainOverhead)) {
        const std::string id = data.size() >= 8 ? IdentityText(sim::GetLe32(data.data() + 4), book) : "-";
        return CommandText(data[3]) + " " + id + " short " + bytes;
    }
    return isSigned ? Signed(data, book) : Plain(data, book);
}

}  // namespace quor::tools
