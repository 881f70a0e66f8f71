#include "link/Cipher.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>
#include <vector>

namespace quor {
namespace {

using test::HexBytes;

// RFC 4493 section 4: one key, the first 0, 16, 40 and 64 bytes of one message.
constexpr std::string_view RfcKey = "2b7e1516 28aed2a6 abf71588 09cf4f3c";
constexpr std::string_view RfcMessage = "6bc1bee2 2e409f96 e93d7e11 7393172a"
                                        "ae2d8a57 1e03ac9c 9eb76fac 45af8e51"
                                        "30c81c46 a35ce411 e5fbc119 1a0a52ef"
                                        "f69f2445 df4f9b17 ad2b417b e66c3710";

struct CmacCase {
    size_t length;
    std::string_view tag;
};

const CmacCase CmacCases[] = {
    {0, "bb1d6929 e9593728 7fa37d12 9b756746"},   // RFC 4493 section 4, example 1
    {16, "070a16b4 6b4d4144 f79bdd9d d04a287c"},  // RFC 4493 section 4, example 2
    {40, "dfa66747 de9ae630 30ca3261 1497c827"},  // RFC 4493 section 4, example 3
    {64, "51f0bebf 7e3b9d92 fc497417 79363cfe"},  // RFC 4493 section 4, example 4
};

class CmacTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        aes.SetKey(HexBytes(RfcKey).data());
        mac.Reset();
    }

    std::vector<uint8_t> Tag() const
    {
        std::vector<uint8_t> tag(16);
        mac.Final(tag.data());
        return tag;
    }

    AES128 aes;
    Cmac mac{&aes};
    const std::vector<uint8_t> message = HexBytes(RfcMessage);
};

TEST_F(CmacTest, Rfc4493Examples)
{
    for (const CmacCase& c : CmacCases) {
        mac.Reset();
        mac.Update(message.data(), c.length);
        EXPECT_EQ(Tag(), HexBytes(c.tag)) << c.length << " bytes";
    }
}

// The program's single instances: the MAC runs on the shared cipher and serves after a Reset.
TEST(SharedCmac, RunsOnTheSharedAes128)
{
    ASSERT_EQ(SharedCmac.Cipher, &SharedAes128);
    SharedAes128.SetKey(HexBytes(RfcKey).data());
    const std::vector<uint8_t> message = HexBytes(RfcMessage);
    SharedCmac.Reset();
    SharedCmac.Update(message.data(), 64);  // traces of an earlier message, cleared by Reset
    SharedCmac.Reset();
    SharedCmac.Update(message.data(), 40);
    std::vector<uint8_t> tag(16);
    SharedCmac.Final(tag.data());
    EXPECT_EQ(tag, HexBytes(CmacCases[2].tag));
}

// The MAC keeps what it derives from the key, and the cipher skips loading the key it holds:
// neither may outlast a change of key. Another key's tag is that of a fresh cipher and MAC.
TEST_F(CmacTest, AChangeOfKeyReachesTheTag)
{
    const std::vector<uint8_t> otherKey = HexBytes("000102030405060708090a0b0c0d0e0f");
    mac.Update(message.data(), 40);
    ASSERT_EQ(Tag(), HexBytes(CmacCases[2].tag));

    aes.SetKey(otherKey.data());
    mac.Reset();
    mac.Update(message.data(), 40);
    AES128 freshAes;
    freshAes.SetKey(otherKey.data());
    Cmac fresh{&freshAes};
    fresh.Reset();
    fresh.Update(message.data(), 40);
    std::vector<uint8_t> freshTag(16);
    fresh.Final(freshTag.data());
    EXPECT_EQ(Tag(), freshTag);
    EXPECT_NE(freshTag, HexBytes(CmacCases[2].tag));

    aes.SetKey(HexBytes(RfcKey).data());
    mac.Reset();
    mac.Update(message.data(), 40);
    EXPECT_EQ(Tag(), HexBytes(CmacCases[2].tag));
}

TEST_F(CmacTest, FinalTwiceGivesTheSameTag)
{
    mac.Update(message.data(), 40);
    const std::vector<uint8_t> first = Tag();
    EXPECT_EQ(Tag(), first);
    EXPECT_EQ(first, HexBytes(CmacCases[2].tag));
}

// Final leaves State, Buffer and Count alone, so the message can go on after it.
TEST_F(CmacTest, UpdateAfterFinalContinuesTheMessage)
{
    mac.Update(message.data(), 16);
    EXPECT_EQ(Tag(), HexBytes(CmacCases[1].tag));
    mac.Update(message.data() + 16, 24);
    EXPECT_EQ(Tag(), HexBytes(CmacCases[2].tag));
}

struct Split {
    const char* name;
    std::vector<size_t> pieces;
};

void PrintTo(const Split& s, std::ostream* os)
{
    *os << s.name;
}

class CmacSplits : public CmacTest, public ::testing::WithParamInterface<Split> {};

TEST_P(CmacSplits, FortyBytesInPiecesGiveTheWholeMessageTag)
{
    size_t offset = 0;
    for (size_t piece : GetParam().pieces) {
        mac.Update(message.data() + offset, piece);
        offset += piece;
    }
    ASSERT_EQ(offset, 40u);
    EXPECT_EQ(Tag(), HexBytes(CmacCases[2].tag));
}

INSTANTIATE_TEST_SUITE_P(Pieces, CmacSplits,
                         ::testing::Values(Split{"Mixed", {3, 7, 1, 16, 5, 8}},
                                           Split{"WholeBlocksFirst", {16, 16, 8}},
                                           Split{"BufferFilledExactly", {10, 6, 24}},
                                           Split{"EmptyUpdates", {0, 40, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CompareCase {
    const char* name;
    std::string_view a;
    std::string_view b;
    size_t n;
    bool same;
};

const CompareCase CompareCases[] = {
    {"Equal", "07 0a 16 b4 6b 4d 41 44", "07 0a 16 b4 6b 4d 41 44", 8, true},
    {"FirstByteDiffers", "07 0a 16 b4 6b 4d 41 44", "06 0a 16 b4 6b 4d 41 44", 8, false},
    {"MiddleBitDiffers", "07 0a 16 b4 6b 4d 41 44", "07 0a 16 b4 eb 4d 41 44", 8, false},
    {"LastByteDiffers", "07 0a 16 b4 6b 4d 41 44", "07 0a 16 b4 6b 4d 41 45", 8, false},
    {"DifferenceBeyondN", "07 0a 16 b4 6b 4d 41 44", "07 0a 16 b4 6b 4d 41 45", 7, true},
    {"NothingCompared", "07", "08", 0, true},
};

TEST(SameSignature, ComparesExactlyNBytes)
{
    for (const CompareCase& c : CompareCases)
        EXPECT_EQ(SameSignature(HexBytes(c.a).data(), HexBytes(c.b).data(), c.n), c.same) << c.name;
}

}  // namespace
}  // namespace quor
