// The CRC, one AES-128 block and the signing and verifying of a longest signed frame, each run
// beside OpenSSL's (or zlib's) equivalent; a ratio table of ours/theirs closes the output.

#include "link/Cipher.h"
#include "link/Crc32.h"

#include <benchmark/benchmark.h>
#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#if QUOR_BENCH_ZLIB
#include <zlib.h>
#endif

#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace quor;

constexpr size_t FrameLength = 1419;  // the longest frame of the protocol
constexpr size_t SignatureLength = 8;
constexpr size_t CoveredLength = FrameLength - SignatureLength;

std::vector<uint8_t> RandomBytes(size_t count, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> bytes(count);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(rng());
    return bytes;
}

const std::vector<uint8_t> Frame = RandomBytes(FrameLength, 1419);
const std::vector<uint8_t> Key = RandomBytes(16, 16);

void Crc32Ours(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Crc32(Frame.data(), Frame.size(), CrcInit));
    state.SetBytesProcessed(int64_t(state.iterations()) * FrameLength);
}

#if QUOR_BENCH_ZLIB
// OpenSSL has no CRC-32/MPEG-2. zlib's CRC-32 uses the same polynomial in the reflected (LSB-first)
// orientation, so its result differs, but the work is the same: a 32-bit CRC over the same bytes.
// zlib takes several bytes per step with larger tables, where ours takes one byte per lookup.
void Crc32Zlib(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0L, Frame.data(), static_cast<uInt>(Frame.size())));
    state.SetBytesProcessed(int64_t(state.iterations()) * FrameLength);
}
#endif

void AesBlockOurs(benchmark::State& state)
{
    AES128 aes;
    aes.SetKey(Key.data());
    std::array<uint8_t, 16> block{};
    for (auto _ : state) {
        aes.Encrypt(block.data());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
}

void AesBlockOpenSsl(benchmark::State& state)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, Key.data(), nullptr);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    std::array<uint8_t, 16> block{};
    int written = 0;
    for (auto _ : state) {
        EVP_EncryptUpdate(ctx, block.data(), &written, block.data(), 16);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    if (written != 16)
        state.SkipWithError("OpenSSL AES-128-ECB failed");
    EVP_CIPHER_CTX_free(ctx);
}

// The key is loaded once per signed exchange, so signing itself is Reset, Update, Final.
void SignOurs(const uint8_t* frame, uint8_t* signature)
{
    std::array<uint8_t, 16> tag;
    SharedCmac.Reset();
    SharedCmac.Update(frame, CoveredLength);
    SharedCmac.Final(tag.data());
    std::copy_n(tag.begin(), SignatureLength, signature);
}

class OpenSslSigner {
public:
    OpenSslSigner()
    {
        OSSL_PARAM params[] = {
            OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, const_cast<char*>("AES-128-CBC"), 0),
            OSSL_PARAM_construct_end(),
        };
        ok = mac && ctx && EVP_MAC_init(ctx, Key.data(), Key.size(), params) == 1;
    }
    ~OpenSslSigner()
    {
        EVP_MAC_CTX_free(ctx);
        EVP_MAC_free(mac);
    }
    OpenSslSigner(const OpenSslSigner&) = delete;
    OpenSslSigner& operator=(const OpenSslSigner&) = delete;

    // A null key restarts the MAC under the key already loaded, as our Reset does.
    bool Sign(const uint8_t* frame, uint8_t* signature)
    {
        std::array<uint8_t, 16> tag;
        size_t length = 0;
        const bool done = EVP_MAC_init(ctx, nullptr, 0, nullptr) == 1 &&
                          EVP_MAC_update(ctx, frame, CoveredLength) == 1 &&
                          EVP_MAC_final(ctx, tag.data(), &length, tag.size()) == 1;
        std::copy_n(tag.begin(), SignatureLength, signature);
        return done && length == tag.size();
    }

    bool ok = false;

private:
    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
    EVP_MAC_CTX* ctx = mac ? EVP_MAC_CTX_new(mac) : nullptr;
};

void SignOurs(benchmark::State& state)
{
    SharedAes128.SetKey(Key.data());
    std::vector<uint8_t> frame = Frame;
    for (auto _ : state) {
        SignOurs(frame.data(), frame.data() + CoveredLength);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * CoveredLength);
}

void SignOpenSsl(benchmark::State& state)
{
    OpenSslSigner signer;
    std::vector<uint8_t> frame = Frame;
    bool ok = signer.ok;
    for (auto _ : state) {
        ok &= signer.Sign(frame.data(), frame.data() + CoveredLength);
        benchmark::ClobberMemory();
    }
    if (!ok)
        state.SkipWithError("OpenSSL CMAC failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * CoveredLength);
}

// A received frame carrying its correct signature, so each verification runs to the end.
std::vector<uint8_t> SignedFrame()
{
    SharedAes128.SetKey(Key.data());
    std::vector<uint8_t> frame = Frame;
    SignOurs(frame.data(), frame.data() + CoveredLength);
    return frame;
}

void VerifyOurs(benchmark::State& state)
{
    const std::vector<uint8_t> frame = SignedFrame();
    bool accepted = true;
    for (auto _ : state) {
        uint8_t expected[SignatureLength];
        SignOurs(frame.data(), expected);
        accepted &= SameSignature(expected, frame.data() + CoveredLength, SignatureLength);
    }
    if (!accepted)
        state.SkipWithError("our signature did not verify");
    state.SetBytesProcessed(int64_t(state.iterations()) * CoveredLength);
}

void VerifyOpenSsl(benchmark::State& state)
{
    const std::vector<uint8_t> frame = SignedFrame();
    OpenSslSigner signer;
    bool accepted = signer.ok;
    for (auto _ : state) {
        uint8_t expected[SignatureLength];
        accepted &= signer.Sign(frame.data(), expected);
        accepted &= CRYPTO_memcmp(expected, frame.data() + CoveredLength, SignatureLength) == 0;
    }
    if (!accepted)
        state.SkipWithError("OpenSSL signature did not verify");
    state.SetBytesProcessed(int64_t(state.iterations()) * CoveredLength);
}

BENCHMARK(Crc32Ours)->Name("Crc32Frame/ours");
#if QUOR_BENCH_ZLIB
BENCHMARK(Crc32Zlib)->Name("Crc32Frame/zlib");
#endif
BENCHMARK(AesBlockOurs)->Name("Aes128Block/ours");
BENCHMARK(AesBlockOpenSsl)->Name("Aes128Block/openssl");
BENCHMARK(SignOurs)->Name("SignFrame/ours");
BENCHMARK(SignOpenSsl)->Name("SignFrame/openssl");
BENCHMARK(VerifyOurs)->Name("VerifyFrame/ours");
BENCHMARK(VerifyOpenSsl)->Name("VerifyFrame/openssl");

// Prints as usual and keeps each benchmark's real time per iteration, in nanoseconds, for the
// ratio table. With repetitions the mean stands for the benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (run.run_type == Run::RT_Aggregate && !mean)
                continue;
            const double ns =
                run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (mean || !seenMean[run.run_name.str()])
                realNs[run.run_name.str()] = ns;
            seenMean[run.run_name.str()] |= mean;
        }
    }

    void PrintRatios() const
    {
        struct Pair {
            const char* work;
            const char* yardstick;
        };
        const Pair pairs[] = {
            {"Crc32Frame", "zlib"},
            {"Aes128Block", "openssl"},
            {"SignFrame", "openssl"},
            {"VerifyFrame", "openssl"},
        };
        std::printf("\nReal time per iteration, ours against the yardstick:\n");
        std::printf("%-14s %-10s %12s %12s %8s\n", "work", "yardstick", "ours ns", "theirs ns", "ratio");
        for (const Pair& pair : pairs) {
            const auto ours = realNs.find(std::string(pair.work) + "/ours");
            const auto theirs = realNs.find(std::string(pair.work) + "/" + pair.yardstick);
            if (ours == realNs.end() || theirs == realNs.end() || theirs->second <= 0)
                continue;
            std::printf("%-14s %-10s %12.1f %12.1f %8.2f\n", pair.work, pair.yardstick, ours->second,
                        theirs->second, ours->second / theirs->second);
        }
    }

private:
    std::map<std::string, double> realNs;
    std::map<std::string, bool> seenMean;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
