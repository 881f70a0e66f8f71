// SHA-256 against OpenSSL's over random bytes of every length up to 300, so
// that the padding meets every place in a block, once and twice over.

#include "text/Sha256.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <algorithm>
#include <random>
#include <vector>

namespace quor {
namespace {

TEST(Sha256Oracle, MatchesOpenSsl)
{
    std::mt19937 rng(1804);
    for (size_t length = 0; length <= 300; ++length) {
        std::vector<uint8_t> message(length);
        std::generate(message.begin(), message.end(), [&rng] { return static_cast<uint8_t>(rng()); });
        std::array<uint8_t, 32> expected;
        SHA256(message.data(), message.size(), expected.data());

        ASSERT_EQ(Sha256(message), expected) << length << " bytes";
        const size_t cut = std::uniform_int_distribution<size_t>(0, length)(rng);
        Sha256Digest digest;
        digest.Update(std::span(message).first(cut));
        digest.Update(std::span(message).subspan(cut));
        ASSERT_EQ(digest.Final(), expected) << length << " bytes cut after " << cut;
    }
}

}  // namespace
}  // namespace quor
