// Opening a written file afterwards: the name a save completed with its extension is found.
#include "export/OpenSavedFile.h"
#include "platform/ShellOpen.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(OpenSavedFileTest, FindsTheNameTheSaveCompleted)
{
    const testing::TempFolder dir;
    std::vector<fs::path> opened;
    SetShellOpener([&](const fs::path& p) {
        opened.push_back(p);
        return true;
    });
    std::ofstream(dir.path() / "out.ico") << "x";
    std::ofstream(dir.path() / "page.htm") << "x";

    OpenSavedFile(dir.path() / "out", "ICO");       // type word upper case, file written lower case
    OpenSavedFile(dir.path() / "page.htm", "HTML"); // exists as named
    OpenSavedFile(dir.path() / "gone", "");         // nothing to complete: handed on as is
    SetShellOpener({});

    EXPECT_EQ(opened, (std::vector<fs::path>{dir.path() / "out.ico", dir.path() / "page.htm", dir.path() / "gone"}));
}

} // namespace
} // namespace glyphora
