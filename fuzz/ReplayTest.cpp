// Runs every saved input of fuzz/corpus/<target>/ through its target, so that
// the seeds and the inputs that once crashed stay ordinary tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "fuzz/Targets.h"

namespace quor::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* Name;
    int (*Run)(const uint8_t*, size_t);
};

// Names the target in the test's output.
void PrintTo(const Target& target, std::ostream* out)
{
    *out << target.Name;
}

#define QUOR_FUZZ_ENTRY(name) Target{#name, &QuorFuzz_##name},
const Target Targets[] = {QUOR_FUZZ_TARGETS(QUOR_FUZZ_ENTRY)};
#undef QUOR_FUZZ_ENTRY

const fs::path CorpusDir = QUOR_FUZZ_CORPUS_DIR;

std::vector<fs::path> SavedInputs(const char* target)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(CorpusDir / target))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The input in a heap block of exactly its size, as libFuzzer hands it over,
// so that a read past its end is caught by the address sanitizer.
std::unique_ptr<uint8_t[]> ReadExactly(const fs::path& file, size_t& size)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size = bytes.size();
    auto block = std::make_unique<uint8_t[]>(size);
    std::copy(bytes.begin(), bytes.end(), block.get());
    return block;
}

class Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Replay, EverySavedInputPasses)
{
    const Target& target = GetParam();
    const auto files = SavedInputs(target.Name);
    EXPECT_FALSE(files.empty()) << "no saved inputs for " << target.Name;
    for (const auto& file : files) {
        size_t size = 0;
        const auto input = ReadExactly(file, size);
        try {
            EXPECT_EQ(target.Run(input.get(), size), 0) << file;
        } catch (const CheckFailure& failure) {
            ADD_FAILURE() << file << ": " << failure.What;
        } catch (const std::exception& e) {
            ADD_FAILURE() << file << ": escaped: " << e.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, Replay, ::testing::ValuesIn(Targets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.Name);
                         });

TEST(ReplayCorpus, EveryFolderBelongsToATarget)
{
    for (const auto& entry : fs::directory_iterator(CorpusDir)) {
        const std::string name = entry.path().filename().string();
        const bool known = std::any_of(std::begin(Targets), std::end(Targets),
                                       [&name](const Target& t) { return name == t.Name; });
        EXPECT_TRUE(known) << "fuzz/corpus/" << name << " has no target";
    }
}

}  // namespace
}  // namespace quor::fuzz
