// quorsim's decoded log line of one datagram. Frames of controller K01_12345
// (0x212D3039); plain-frame CRCs from tests/sim/EmuDeviceTest.cpp (a bitwise
// CRC-32/MPEG-2 written apart from the program). Signed frames: session bytes
// 00..0F, key AES-128(00..0F, 00..0F) = 0A940BB5416EF045F1C39458C653EA5A and
// signatures from `openssl mac -cipher AES-128-CBC CMAC` over the bytes before them.

#include "tools/quorsim/FrameText.h"

#include <gtest/gtest.h>

#include "tests/support/HexBytes.h"

namespace quor::tools {
namespace {

using test::HexBytes;

constexpr uint32_t ControllerId = 0x212D3039;  // K01_12345
constexpr uint32_t RecorderId = 0x20650001;    // T01_00001, not a controller: it holds no key

const std::array<uint8_t, 16> SessionKey = {0x0A, 0x94, 0x0B, 0xB5, 0x41, 0x6E, 0xF0, 0x45,
                                            0xF1, 0xC3, 0x94, 0x58, 0xC6, 0x53, 0xEA, 0x5A};

struct TextCase {
    const char* Name;
    const char* Frame;
    const char* Text;
};

const TextCase TextCases[] = {
    {"search to all", "4D 4D 44 4F FF FF FF FF F8 F3 14 64", "O all plain len=0 crc=ok"},
    {"poll", "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1C", "O K01_12345 plain len=0 crc=ok"},
    {"poll, CRC spoilt", "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1D", "O K01_12345 plain len=0 crc=bad"},
    {"status reply", "4D 4D 44 4F 39 30 2D 21 00 00 02 32 00 00 00 00 00 00 00 00 00 00 00 00 AC A0 DE 2A",
     "O K01_12345 plain len=16 crc=ok"},
    {"identity of no scenario device", "4D 4D 44 4F 39 30 2D 31 00 00 00 00",
     "O 0x312D3039 plain len=0 crc=bad"},
    {"time to recorder, CRC spoilt", "4D 4D 44 54 01 00 65 20 80 FA 1A 6A 80 E5 78 A6",
     "T T01_00001 plain len=4 crc=bad"},
    {"keep-alive request", "4D 4D 44 43 39 30 2D 21 01 00 53 26 FC 91 15 D9 F3 F1 48",
     "S K01_12345 signed ctr=1 len=0 sig=ok"},
    {"acknowledgement, echo bit", "4D 4D 44 43 39 30 2D 21 01 00 D3 06 D4 7D E1 19 69 8B 36 53",
     "S* K01_12345 signed ctr=1 len=1 sig=ok"},
    {"acknowledgement, signature spoilt", "4D 4D 44 43 39 30 2D 21 01 00 D3 06 D4 7D E1 19 69 8B 36 52",
     "S* K01_12345 signed ctr=1 len=1 sig=bad"},
    {"signed to a device without key", "4D 4D 44 43 01 00 65 20 01 00 53 26 FC 91 15 D9 F3 F1 48",
     "S T01_00001 signed ctr=1 len=0 sig=nokey"},
    {"block write names its block", "4D 4D 44 43 39 30 2D 21 05 00 63 01 00 AA BB CC 97 56 4B E9 AB A2 7B 4C",
     "c K01_12345 signed ctr=5 len=5 sig=ok block=1.0"},
    {"block read names its block", "4D 4D 44 43 39 30 2D 21 02 00 43 10 00 43 0B 4E 61 6E 15 68 08",
     "C K01_12345 signed ctr=2 len=2 sig=ok block=16.0"},
    {"block read reply: the block, no name",
     "4D 4D 44 43 39 30 2D 21 02 00 C3 01 02 03 18 10 B0 9E B0 8F C0 FF",
     "C* K01_12345 signed ctr=2 len=3 sig=ok"},
    {"block write too short to name one", "4D 4D 44 43 39 30 2D 21 06 00 63 01 E5 76 42 A9 CE 0E 3C CB",
     "c K01_12345 signed ctr=6 len=1 sig=ok"},
    {"command byte not a letter", "4D 4D 44 43 39 30 2D 21 01 00 05 26 FC 91 15 D9 F3 F1 48",
     "x05 K01_12345 signed ctr=1 len=0 sig=bad"},
    {"plain too short for its CRC", "4D 4D 44 4F 39 30 2D 21 AA 21 C1", "O K01_12345 short bytes=11"},
    {"signed too short for its signature", "4D 4D 44 43 39 30 2D 21 01 00 53 26 FC 91 15 D9 F3 F1",
     "C K01_12345 short bytes=18"},
    {"tag only", "4D 4D 44 4F", "O - short bytes=4"},
    {"foreign tag", "4D 4D 45 4F 39 30 2D 21 AA 21 C1 1C", "- - junk bytes=12"},
    {"three bytes", "4D 4D 44", "- - junk bytes=3"},
    {"empty", "", "- - junk bytes=0"},
};

TEST(FrameText, DescribesEachKindOfDatagram)
{
    sim::EmuController controller(ControllerId, 2);
    controller.SessionKey = SessionKey;
    sim::EmuDevice recorder(RecorderId, 2);
    DeviceBook book;
    book.Add(controller);
    book.Add(recorder);
    for (const TextCase& c : TextCases)
        EXPECT_EQ(DescribeDatagram(HexBytes(c.Frame), book), c.Text) << c.Name;
}

TEST(FrameText, ControllerWithoutSessionHasNoKey)
{
    sim::EmuController controller(ControllerId, 2);
    DeviceBook book;
    book.Add(controller);
    EXPECT_EQ(DescribeDatagram(HexBytes("4D 4D 44 43 39 30 2D 21 01 00 53 26 FC 91 15 D9 F3 F1 48"), book),
              "S K01_12345 signed ctr=1 len=0 sig=nokey");
}

}  // namespace
}  // namespace quor::tools
