// SHA-256 against the published example digests, and the incremental form
// against the one-shot digest wherever its input is cut.

#include "text/Sha256.h"
#include "text/HexText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(Sha256, PublishedExamples)
{
    const struct {
        std::string message;
        std::string_view digest;
    } cases[] = {
        // FIPS 180-2 appendix B.1, one block
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // NIST example values, the empty message
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // FIPS 180-2 appendix B.2, 448 bits: the length spills into a second block
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        // FIPS 180-2 appendix B.3, one million 'a'
        {std::string(1'000'000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [message, digest] : cases) {
        SCOPED_TRACE(message.substr(0, 60));
        EXPECT_EQ(Sha256Hex(message), digest);
        const std::array<uint8_t, 32> bytes = Sha256(Bytes(message));
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), ParseHexText(digest));
    }
}

TEST(Sha256Digest, EverySplitGivesTheOneShotDigest)
{
    std::vector<uint8_t> input(200);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<uint8_t>(i * 37 + 11);
    const std::array<uint8_t, 32> whole = Sha256(input);
    const std::span<const uint8_t> all(input);
    Sha256Digest digest;
    for (size_t cut = 0; cut <= input.size(); ++cut) {
        digest.Update(all.first(cut));
        digest.Update(all.subspan(cut));
        EXPECT_EQ(digest.Final(), whole) << "cut after " << cut << " bytes";
    }
}

TEST(Sha256Digest, StartsAfreshAfterFinal)
{
    Sha256Digest digest;
    digest.Update(std::string_view("some earlier text"));
    (void)digest.Final();
    digest.Update(std::string_view("ab"));
    digest.Update(std::string_view("c"));
    EXPECT_EQ(HexText(digest.Final()), "BA 78 16 BF 8F 01 CF EA 41 41 40 DE 5D AE 22 23 "
                                       "B0 03 61 A3 96 17 7A 9C B4 10 FF 61 F2 00 15 AD");
}

}  // namespace
}  // namespace quor
