// CMAC against OpenSSL's CMAC over random keys, lengths and ways of splitting the message.

#include "link/Cipher.h"

#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace quor {
namespace {

constexpr size_t LongestFrame = 1419;

using MacPtr = std::unique_ptr<EVP_MAC, decltype(&EVP_MAC_free)>;
using MacCtxPtr = std::unique_ptr<EVP_MAC_CTX, decltype(&EVP_MAC_CTX_free)>;
using CipherCtxPtr = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::vector<uint8_t> OpenSslCmac(EVP_MAC* mac, const char* cipherName, const std::vector<uint8_t>& key,
                                 const std::vector<uint8_t>& message)
{
    MacCtxPtr ctx(EVP_MAC_CTX_new(mac), EVP_MAC_CTX_free);
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, const_cast<char*>(cipherName), 0),
        OSSL_PARAM_construct_end(),
    };
    std::vector<uint8_t> tag(16);
    size_t length = 0;
    if (!ctx || EVP_MAC_init(ctx.get(), key.data(), key.size(), params) != 1 ||
        EVP_MAC_update(ctx.get(), message.data(), message.size()) != 1 ||
        EVP_MAC_final(ctx.get(), tag.data(), &length, tag.size()) != 1)
        return {};
    tag.resize(length);
    return tag;
}

// Many short pieces, so that pieces end before, on and after block boundaries; now and then
// the whole rest at once.
std::vector<size_t> RandomSplit(std::mt19937& rng, size_t length)
{
    std::vector<size_t> pieces;
    for (size_t rest = length; rest > 0;) {
        size_t piece = rest;
        if (rng() % 8 != 0)
            piece = std::uniform_int_distribution<size_t>(0, std::min<size_t>(rest, 40))(rng);
        pieces.push_back(piece);
        rest -= piece;
    }
    return pieces;
}

std::vector<uint8_t> OurCmac(Cmac& mac, const std::vector<uint8_t>& message,
                             const std::vector<size_t>& pieces)
{
    mac.Reset();
    size_t offset = 0;
    for (size_t piece : pieces) {
        mac.Update(message.data() + offset, piece);
        offset += piece;
    }
    std::vector<uint8_t> tag(mac.Cipher->BlockSize);
    mac.Final(tag.data());
    return tag;
}

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t count)
{
    std::vector<uint8_t> bytes(count);
    std::generate(bytes.begin(), bytes.end(), [&rng] { return static_cast<uint8_t>(rng()); });
    return bytes;
}

TEST(CmacOracle, Aes128MatchesOpenSsl)
{
    MacPtr evpMac(EVP_MAC_fetch(nullptr, "CMAC", nullptr), EVP_MAC_free);
    ASSERT_TRUE(evpMac);
    std::mt19937 rng(4493);
    AES128 aes;
    Cmac mac(&aes);
    for (int iteration = 0; iteration < 300; ++iteration) {
        const std::vector<uint8_t> key = RandomBytes(rng, 16);
        const size_t length = std::uniform_int_distribution<size_t>(0, LongestFrame)(rng);
        const std::vector<uint8_t> message = RandomBytes(rng, length);
        const std::vector<size_t> pieces = RandomSplit(rng, length);

        aes.SetKey(key.data());
        const std::vector<uint8_t> expected = OpenSslCmac(evpMac.get(), "AES-128-CBC", key, message);
        ASSERT_EQ(expected.size(), 16u);
        ASSERT_EQ(OurCmac(mac, message, pieces), expected)
            << "iteration " << iteration << ", " << length << " bytes in " << pieces.size() << " pieces";
    }
}

// A 64-bit block cipher, for the subkey constant 0x1B: triple DES through OpenSSL, since the
// program itself has no such cipher.
class TripleDes : public Coder {
public:
    explicit TripleDes(const std::vector<uint8_t>& key) : Coder(8)
    {
        ok = ctx && EVP_EncryptInit_ex(ctx.get(), EVP_des_ede3_ecb(), nullptr, key.data(), nullptr) == 1 &&
             EVP_CIPHER_CTX_set_padding(ctx.get(), 0) == 1;
    }
    void Encrypt(uint8_t* block) const override
    {
        int written = 0;
        if (EVP_EncryptUpdate(ctx.get(), block, &written, block, 8) != 1 || written != 8)
            ADD_FAILURE() << "triple DES block failed";
    }
    void Decrypt(uint8_t*) const override { ADD_FAILURE() << "CMAC never decrypts"; }

    bool ok = false;

private:
    CipherCtxPtr ctx{EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free};
};

TEST(CmacOracle, EightByteBlocksMatchOpenSsl)
{
    MacPtr evpMac(EVP_MAC_fetch(nullptr, "CMAC", nullptr), EVP_MAC_free);
    ASSERT_TRUE(evpMac);
    std::mt19937 rng(3838);
    for (int iteration = 0; iteration < 100; ++iteration) {
        const std::vector<uint8_t> key = RandomBytes(rng, 24);
        const size_t length = std::uniform_int_distribution<size_t>(0, 100)(rng);
        const std::vector<uint8_t> message = RandomBytes(rng, length);
        const std::vector<size_t> pieces = RandomSplit(rng, length);

        const std::vector<uint8_t> expected = OpenSslCmac(evpMac.get(), "DES-EDE3-CBC", key, message);
        if (expected.empty())
            GTEST_SKIP() << "this OpenSSL offers no triple DES CMAC";
        TripleDes des(key);
        ASSERT_TRUE(des.ok);
        Cmac mac(&des);
        ASSERT_EQ(OurCmac(mac, message, pieces), expected)
            << "iteration " << iteration << ", " << length << " bytes in " << pieces.size() << " pieces";
    }
}

}  // namespace
}  // namespace quor
