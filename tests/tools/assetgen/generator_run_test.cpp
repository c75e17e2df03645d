// Runs the generator the way the build does and checks that it writes the
// same bytes as the build's own run, and that it reports bad arguments and
// unwritable folders instead of claiming success.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs the generator in `folder` (by default the test's own).
int RunGenerator(const std::string& arguments, const std::string& folder = ".")
{
    const std::string command =
        "cd '" + folder + "' && " + std::string(ASSETGEN_PATH) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GeneratorRun, WritesTheSameBytesEveryRun)
{
    const ondra::test::ScratchFolder scratch;
    const fs::path folder = scratch.File("rerun");
    ASSERT_EQ(RunGenerator(folder.string()), 0);
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ONDRA_DATA_DIR)) {
        const fs::path twin = folder / entry.path().filename();
        ASSERT_TRUE(fs::exists(twin)) << entry.path().filename();
        EXPECT_TRUE(ReadBytes(entry.path()) == ReadBytes(twin)) << entry.path().filename() << " differs between runs";
        ++compared;
    }
    int written = 0;
    for ([[maybe_unused]] const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        ++written;
    }
    EXPECT_EQ(written, compared);
    EXPECT_GT(compared, 40);
}

TEST(GeneratorRun, FailsWithoutAFolderOrWithAnUnwritableOne)
{
    EXPECT_NE(RunGenerator(""), 0);
    const ondra::test::ScratchFolder scratch;
    const fs::path blocker = scratch.File("blocker");
    std::ofstream(blocker.string()) << "a file where the folder should be";
    EXPECT_NE(RunGenerator(blocker.string()), 0);
    EXPECT_NE(RunGenerator((blocker / "inside").string()), 0);
}

// Options are never taken for the folder to fill.
TEST(GeneratorRun, HelpAndUnknownOptionsWriteNoData)
{
    const struct {
        const char* arguments;
        int status;
    } cases[] = {{"--help >/dev/null", 0}, {"-h >/dev/null", 0}, {"--help >/dev/full", 1}, {"--verbose", 2}};
    const ondra::test::ScratchFolder scratch;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(RunGenerator(c.arguments, scratch.Path()), c.status);
    }
    EXPECT_TRUE(fs::is_empty(scratch.Path())) << "an option was taken for a folder";
}

}  // namespace
