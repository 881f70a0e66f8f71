#include "link/Cipher.h"
#include "tests/support/HexBytes.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace quor {
namespace {

using test::HexBytes;

struct AesCase {
    const char* name;
    int nk;
    int nr;
    std::string_view key;
    std::string_view plain;
    std::string_view cipher;
    std::string_view lastRoundKey;  // the final four words of the key schedule
};

const AesCase AesCases[] = {
    // FIPS-197 appendix C.1
    {"C1_AES128", 4, 10, "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a", ""},
    // FIPS-197 appendix C.2
    {"C2_AES192", 6, 12, "000102030405060708090a0b0c0d0e0f1011121314151617",
     "00112233445566778899aabbccddeeff", "dda97ca4864cdfe06eaf70a0ec0d7191", ""},
    // FIPS-197 appendix C.3
    {"C3_AES256", 8, 14, "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089", ""},
    // FIPS-197 appendix A.1: w40..w43
    {"A1_AES128", 4, 10, "2b7e151628aed2a6abf7158809cf4f3c", "", "", "d014f9a8c9ee2589e13f0cc8b6630ca6"},
    // FIPS-197 appendix A.2: w48..w51
    {"A2_AES192", 6, 12, "8e73b0f7da0e6452c810f32b809079e562f8ead2522c6b7b", "", "",
     "e98ba06f448c773c8ecc720401002202"},
    // FIPS-197 appendix A.3: w56..w59; the only row with the extra SubWord step of Nk > 6
    {"A3_AES256", 8, 14, "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4", "", "",
     "fe4890d1e6188d0b046df344706c631e"},
};

void PrintTo(const AesCase& c, std::ostream* os)
{
    *os << c.name;
}

class AesVectors : public ::testing::TestWithParam<AesCase> {};

// Encryption with the round tables, and with the processor's AES instructions where it has them.
TEST_P(AesVectors, KeyScheduleAndBothDirections)
{
    const AesCase& c = GetParam();
    for (bool tablesOnly : {true, false}) {
        SCOPED_TRACE(tablesOnly ? "round tables" : "AES instructions where the processor has them");
        AES aes(c.nk, c.nr);
        aes.TablesOnly = tablesOnly;
        aes.SetKey(HexBytes(c.key).data());
        if (!c.lastRoundKey.empty()) {
            const auto last = aes.RoundKeys.begin() + 16 * c.nr;
            EXPECT_EQ(std::vector<uint8_t>(last, last + 16), HexBytes(c.lastRoundKey));
        }
        if (!c.plain.empty()) {
            std::vector<uint8_t> block = HexBytes(c.plain);
            aes.Encrypt(block.data());
            EXPECT_EQ(block, HexBytes(c.cipher));
            aes.Decrypt(block.data());
            EXPECT_EQ(block, HexBytes(c.plain));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fips197, AesVectors, ::testing::ValuesIn(AesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Aes, Aes128IsTheFipsAes128)
{
    AES128 aes;
    EXPECT_EQ(aes.BlockSize, 16);
    aes.SetKey(HexBytes(AesCases[0].key).data());
    std::vector<uint8_t> block = HexBytes(AesCases[0].plain);
    aes.Encrypt(block.data());
    EXPECT_EQ(block, HexBytes(AesCases[0].cipher));
}

// A round count whose schedule would not fit the 240-byte RoundKeys is refused, not overrun.
TEST(Aes, RefusesAScheduleLongerThanRoundKeys)
{
    const uint8_t key[32] = {};
    uint8_t block[16] = {};
    AES tooMany(8, 15);
    EXPECT_THROW(tooMany.SetKey(key), std::invalid_argument);
    EXPECT_THROW(tooMany.Encrypt(block), std::invalid_argument);
    EXPECT_THROW(tooMany.Decrypt(block), std::invalid_argument);
}

// OpenSSL's AES-ECB as the oracle over random keys and blocks of every key length: reaches the
// table entries that the few published vectors leave untouched.
TEST(Aes, MatchesOpenSslOnRandomBlocks)
{
    struct Shape {
        int nk, nr;
        const EVP_CIPHER* evp;
    };
    const Shape shapes[] = {
        {4, 10, EVP_aes_128_ecb()}, {6, 12, EVP_aes_192_ecb()}, {8, 14, EVP_aes_256_ecb()}};
    std::mt19937 rng(1197);
    auto randomByte = [&rng] { return static_cast<uint8_t>(rng()); };
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    for (const Shape& shape : shapes) {
        for (int iteration = 0; iteration < 100; ++iteration) {
            std::vector<uint8_t> key(4 * shape.nk);
            uint8_t plain[16], ours[16], theirs[16];
            std::generate(key.begin(), key.end(), randomByte);
            std::generate(std::begin(plain), std::end(plain), randomByte);

            AES aes(shape.nk, shape.nr);
            aes.SetKey(key.data());
            uint8_t byTables[16];
            std::copy_n(plain, 16, byTables);
            aes.TablesOnly = true;
            aes.Encrypt(byTables);
            aes.TablesOnly = false;
            std::copy_n(plain, 16, ours);
            aes.Encrypt(ours);
            ASSERT_TRUE(std::equal(ours, ours + 16, byTables))
                << "Nk " << shape.nk << ", iteration " << iteration;

            int written = 0;
            ASSERT_EQ(EVP_EncryptInit_ex(ctx.get(), shape.evp, nullptr, key.data(), nullptr), 1);
            EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
            ASSERT_EQ(EVP_EncryptUpdate(ctx.get(), theirs, &written, plain, 16), 1);
            ASSERT_EQ(written, 16);
            ASSERT_TRUE(std::equal(ours, ours + 16, theirs))
                << "Nk " << shape.nk << ", iteration " << iteration;

            aes.Decrypt(ours);
            ASSERT_TRUE(std::equal(ours, ours + 16, plain))
                << "Nk " << shape.nk << ", iteration " << iteration;
        }
    }
}

}  // namespace
}  // namespace quor
