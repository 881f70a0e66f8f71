// Replacing a file people keep: the text arrives whole, a file replaced keeps
// its permissions, a new one gets the usual ones, and the umask is left alone.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "site/Files.h"
#include "tests/support/FileText.h"

namespace quor::site {
namespace {

namespace fs = std::filesystem;

struct ModeCase {
    const char* Name;
    int Before;  // the mode of the file replaced; -1 when there is none
    mode_t Umask;
    int After;
};

const ModeCase ModeCases[] = {
    {"NewFileUnderUmask022", -1, 022, 0644},      {"NewFileUnderUmask077", -1, 077, 0600},
    {"PrivateFileStaysPrivate", 0600, 022, 0600}, {"GroupReadableStaysSo", 0640, 077, 0640},
    {"ReadOnlyStaysReadOnly", 0444, 022, 0444},
};

class ReplaceFileMode : public testing::TestWithParam<ModeCase> {};

TEST_P(ReplaceFileMode, KeepsTheReplacedModeAndTheUmask)
{
    const ModeCase& c = GetParam();
    const fs::path folder = fs::temp_directory_path() / ("quor-files-" + std::string(c.Name));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "backup.json").string();
    if (c.Before >= 0) {
        std::ofstream(path) << "old";
        ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.Before)), 0);
    }
    const mode_t saved = ::umask(c.Umask);
    ReplaceFile(path, "new text\n");
    const mode_t during = ::umask(saved);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.After));
    EXPECT_EQ(during, c.Umask);
    EXPECT_EQ(test::ReadFile(path), "new text\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFileMode, testing::ValuesIn(ModeCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ReplaceFile, AFolderThatIsNotThereLeavesNothing)
{
    const fs::path folder = fs::temp_directory_path() / "quor-files-missing";
    fs::remove_all(folder);
    try {
        ReplaceFile((folder / "a.json").string(), "x");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "cannot write " + (folder / "a.json").string() + ": No such file or directory");
    }
    EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
}  // namespace quor::site
