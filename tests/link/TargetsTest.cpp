// Naming devices behind a router: which targets are taken, what they expand
// to, and the message for each that is refused.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "link/TargetTexts.h"

namespace quor::test {
namespace {

struct Accepted {
    const char* Text;
    size_t Count;
    uint32_t First;
    uint32_t Last;
};

TEST(Targets, AcceptedAndWhatTheyGive)
{
    const Accepted cases[] = {
        {"10.2.0.7", 1, 0x0A020007, 0x0A020007},
        {"10.2.0.0/30", 2, 0x0A020001, 0x0A020002},
        {"10.2.0.6/30", 2, 0x0A020005, 0x0A020006},
        {"10.2.0.0/24", 254, 0x0A020001, 0x0A0200FE},
        {"10.2.0.0/22", 1022, 0x0A020001, 0x0A0203FE},
        {"10.2.0.4/31", 2, 0x0A020004, 0x0A020005},
        {"10.2.0.0/32", 1, 0x0A020000, 0x0A020000},
        {"192.168.1.254", 1, 0xC0A801FE, 0xC0A801FE},
        // An address alone is one host, also where it ends in .0 or .255.
        {"10.45.1.255", 1, 0x0A2D01FF, 0x0A2D01FF},
        {"10.45.2.0", 1, 0x0A2D0200, 0x0A2D0200},
        // A range leaves out its own network and broadcast address only.
        {"10.45.1.0/23", 510, 0x0A2D0001, 0x0A2D01FE},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> targets;
        AddTarget(targets, c.Text, false);
        ASSERT_EQ(targets.size(), c.Count) << c.Text;
        EXPECT_EQ(targets.front(), c.First) << c.Text;
        EXPECT_EQ(targets.back(), c.Last) << c.Text;
    }
}

TEST(Targets, RefusedWithTheirMessages)
{
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"10.2.0", "10.2.0: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"10.2.0.256", "10.2.0.256: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"10.2.0.1/33", "10.2.0.1/33: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"10.2.0.1/", "10.2.0.1/: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"10.2.0.1/2x", "10.2.0.1/2x: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"router.local", "router.local: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {" 10.2.0.1", " 10.2.0.1: not an address; give ADDR or ADDR/PREFIX, e.g. 10.2.0.0/24"},
        {"10.2.0.0/21", "10.2.0.0/21: a range may be at most /22 (1,024 addresses)"},
        {"10.0.0.0/8", "10.0.0.0/8: a range may be at most /22 (1,024 addresses)"},
        {"239.1.2.3", "239.1.2.3: a multicast address; a device answers at its own address only"},
        {"224.0.0.0/24", "224.0.0.0/24: a multicast address; a device answers at its own address only"},
        {"127.0.0.1",
         "127.0.0.1: a loopback address reaches no device outside a network namespace of its own"},
        {"0.0.0.0", "0.0.0.0: not an address a device can have"},
        {"255.255.255.255", "255.255.255.255: not an address a device can have"},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> targets{0x0A090001};
        try {
            AddTarget(targets, c.Text, false);
            ADD_FAILURE() << c.Text << " was taken";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        EXPECT_EQ(targets, std::vector<uint32_t>{0x0A090001}) << c.Text;
    }
}

TEST(Targets, CountsAsMessagesWriteThem)
{
    const std::pair<int, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1024, "1,024"}, {4096, "4,096"}, {1234567, "1,234,567"}, {-1024, "-1,024"},
    };
    for (const auto& [count, text] : cases)
        EXPECT_EQ(GroupedCount(count), text) << count;
}

TEST(Targets, LoopbackOnlyInANamespaceOfOurOwn)
{
    std::vector<uint32_t> targets;
    AddTarget(targets, "127.0.0.5", true);
    EXPECT_EQ(targets, std::vector<uint32_t>{0x7F000005});
}

TEST(Targets, AtMost4096InAllAndEachAskedOnce)
{
    std::vector<uint32_t> targets;
    for (const char* range : {"10.1.0.0/22", "10.2.0.0/22", "10.3.0.0/22", "10.4.0.0/22"}) {
        AddTarget(targets, range, false);
    }
    AddTarget(targets, "10.4.0.9", false);  // already in 10.4.0.0/22
    EXPECT_EQ(targets.size(), 4088u);
    AddTarget(targets, "10.5.0.0/29", false);
    AddTarget(targets, "10.5.1.0/30", false);
    EXPECT_EQ(targets.size(), 4096u);
    try {
        AddTarget(targets, "10.5.2.0/30", false);
        ADD_FAILURE() << "past 4096 taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(std::string(e.what()),
                  "10.5.2.0/30: at most 4,096 addresses in all; the targets would give 4098");
    }
    AddTarget(targets, "10.5.0.1", false);
    EXPECT_EQ(targets.size(), 4096u);
    EXPECT_EQ(targets[4088], 0x0A050001u);
}

}  // namespace
}  // namespace quor::test
