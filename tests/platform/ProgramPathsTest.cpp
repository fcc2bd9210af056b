// The data-file lookup: beside the executable first, then ../share/glyphora, for the build
// folder, an installed tree and a portable copy that overrides an installed file.
#include "platform/ProgramPaths.h"

#include "platform/Files.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

TEST(ProgramPaths, DataFoldersAreTheExecutablesFolderThenTheInstalledShareFolder)
{
    const auto folders = DataFolders("/opt/tool/bin/glyphora");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], fs::path("/opt/tool/bin"));
    EXPECT_EQ(folders[1], fs::path("/opt/tool/share/glyphora"));
}

TEST(ProgramPaths, FindsEachFileInTheFirstFolderThatHoldsIt)
{
    testing::TempFolder root;
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path share = root.path() / "usr" / "share" / "glyphora";
    const fs::path program = bin / "glyphora";
    Touch(program);
    Touch(share / "english.lng"); // installed only
    Touch(share / "greek.lng");   // installed, and overridden beside the program
    Touch(bin / "greek.lng");
    Touch(bin / "polish.lng");                    // beside the program only
    fs::create_directories(share / "folder.chm"); // a folder is not a data file

    struct Case {
        const char* file;
        fs::path expected;
    };
    const Case cases[] = {
        {"english.lng", share}, {"greek.lng", bin},
        {"polish.lng", bin},    {"italian.lng", bin}, // nowhere: the first place searched
        {"folder.chm", bin},    {"", bin},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataFolderHolding(c.file, program), c.expected) << c.file;
}

TEST(ProgramPaths, TheRunningProgramLooksBesideItselfFirst)
{
    // The test executable sits in build/tests; the packs are copied to build/, one level up,
    // and no share/glyphora is beside it, so the lookup stays in the test's own folder.
    const fs::path here = ProgramFilePath().parent_path();
    EXPECT_EQ(DataFolderHolding("no-such-file.lng"), here);
    EXPECT_EQ(DataFilePath("no-such-file.lng"), here / "no-such-file.lng");
    EXPECT_EQ(DataFolderHolding(ProgramFilePath().filename().string()), here);
}

} // namespace
} // namespace glyphora
