// The plain side of an emulated device: status replies, time announcements and
// the frames a device drops. Expected CRCs come from a bitwise CRC-32/MPEG-2
// written apart from the program (poly 04C11DB7, init FFFFFFFF, check "abc" -> 9B73448C).

#include "sim/EmuDevice.h"

#include <gtest/gtest.h>

#include "tests/sim/SimOracle.h"

namespace quor::sim {
namespace {

using test::HexBytes;
using test::HexText;

constexpr uint32_t ControllerId = 0x212D3039;  // K01_12345
constexpr uint32_t RecorderId = 0x20650001;    // T01_00001, a time recorder
constexpr uint8_t Serwis = 2;
const char* const Pc = "10.45.0.1";

std::string Reply(EmuDevice& device, std::string_view request, int64_t nowMs = 0)
{
    const auto replies = device.Handle(HexBytes(request), Pc, nowMs);
    if (replies.empty())
        return "";
    EXPECT_EQ(replies.size(), 1u);
    return HexText(replies[0]);
}

TEST(EmuStatus, SearchAndPollGetTheSameStatusReply)
{
    EmuController device(ControllerId, Serwis);
    const std::string reply =
        "4D 4D 44 4F 39 30 2D 21 00 00 02 32 00 00 00 00 00 00 00 00 00 00 00 00 AC A0 DE 2A";
    EXPECT_EQ(Reply(device, "4D 4D 44 4F FF FF FF FF F8 F3 14 64"), reply);  // search, to all devices
    EXPECT_EQ(Reply(device, "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1C"), reply);  // poll, to its identity
    EXPECT_EQ(device.Received['O'], 2);
}

TEST(EmuStatus, TimeAnnouncementIsKeptAndNotAnswered)
{
    EmuDevice recorder(RecorderId, Serwis);
    EXPECT_EQ(Reply(recorder, "4D 4D 44 54 01 00 65 20 80 FA 1A 6A 80 E5 78 A6"), "");
    EXPECT_EQ(recorder.TimeAnnouncements, 0);  // a wrong CRC: not taken
    EmuController device(ControllerId, Serwis);
    EXPECT_EQ(Reply(device, "4D 4D 44 54 39 30 2D 21 80 FA 1A 6A 48 D7 C2 EF"), "");
    EXPECT_EQ(device.LastTime, 0x6A1AFA80u);
    EXPECT_EQ(device.TimeAnnouncements, 1);
    // The device shows the time it was told in its own status bytes 4 to 7.
    EXPECT_EQ(Reply(device, "4D 4D 44 4F 39 30 2D 21 AA 21 C1 1C"),
              "4D 4D 44 4F 39 30 2D 21 00 00 02 32 80 FA 1A 6A 00 00 00 00 00 00 00 00 77 B6 07 99");
}

TEST(EmuStatus, TimeRecorderAnswersStatusOnly)
{
    EmuDevice recorder(RecorderId, Serwis);
    EXPECT_EQ(Reply(recorder, "4D 4D 44 4F 01 00 65 20 CB B8 86 11"),
              "4D 4D 44 4F 01 00 65 20 00 00 02 32 00 00 00 00 00 00 00 00 00 00 00 00 EE E3 80 71");
    EXPECT_EQ(Reply(recorder, "4D 4D 44 4B 01 00 65 20 48 3B 72 31"), "");  // no sessions
    EXPECT_EQ(recorder.Received.count('K'), 0u);
}

TEST(EmuStatus, FramesNoDeviceSendsAreDropped)
{
    const char* const dropped[] = {
        "4D 4D 44 4F FF FF FF FF F8 F3 14",                          // 11 bytes
        "4D 4D 44 4F FF FF FF FF F8 F3 14 65",                       // wrong CRC
        "4D 4D 45 4F FF FF FF FF F8 F3 14 64",                       // wrong tag
        "4D 4D 44 4F 3A 30 2D 21 C4 93 B6 7C",                       // another identity
        "4D 4D 44 4B FF FF FF FF 7B 70 E0 44",                       // session request to all devices
        "4D 4D 44 4F 39 30 2D 21 00 01 02 03 18 54 D8 69",           // status request with a payload
        "4D 4D 44 43 39 30 2D 21 00 00 53 00 00 00 00 00 00 00 00",  // signed, no session
    };
    for (const char* frame : dropped) {
        EmuController device(ControllerId, Serwis);
        EXPECT_EQ(Reply(device, frame), "") << frame;
        EXPECT_TRUE(device.Received.empty()) << frame;
    }
}

TEST(EmuStatus, FloodMatchesNoRequest)
{
    EmuController device(ControllerId, Serwis);
    device.FloodPeriod = 50;
    EXPECT_EQ(device.FloodPeriodMs(), 50);
    // A status reply whose name variant (bits 28-30) is 3, then a command letter nobody sends.
    EXPECT_EQ(HexText(device.FloodDatagram()),
              "4D 4D 44 4F 39 30 2D 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 AD D9 D7 D6");
    EXPECT_EQ(HexText(device.FloodDatagram()),
              "4D 4D 44 4E 39 30 2D 21 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 86 1C 9C 6A");
}

}  // namespace
}  // namespace quor::sim
