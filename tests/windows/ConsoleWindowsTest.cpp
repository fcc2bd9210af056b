// glyphora-cli.exe on the Windows console: a command line outside ASCII reaches the program
// whole, and the paths and messages it prints come out as UTF-8, the same bytes the Linux
// program prints (less the CR that ends a Windows console line).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "tests/support/TempFolder.h"
#include "tests/windows/WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

const fs::path kCli = GLYPHORA_CLI_PATH;
const fs::path kSample = GLYPHORA_BUILD_DIR "/samples/glyphora-sample.dll";

// "Zürich 图标" in UTF-16 and in UTF-8.
const std::wstring kWideName = L"Z\u00fcrich \u56fe\u6807";
const std::string kUtf8Name = "Z\xc3\xbcrich \xe5\x9b\xbe\xe6\xa0\x87";

testing::ProgramRun RunCli(const std::wstring& arguments, const fs::path& folder)
{
    return testing::RunProgram(L"\"" + fs::absolute(kCli).make_preferred().wstring() + L"\" " + arguments, folder);
}

TEST(ConsoleWindowsTest, AnArgumentOutsideAsciiComesBackInTheMessage)
{
    const testing::TempFolder dir;
    const auto run = RunCli(L"-e \"" + kWideName + L".dll\" out.png", dir.path());
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "glyphora-cli: The command line could not be carried out: File not found: " + kUtf8Name + ".dll\r\n");
}

TEST(ConsoleWindowsTest, PathsOutsideAsciiArePrintedAsUtf8)
{
    const testing::TempFolder dir;
    fs::create_directory(dir.path() / L"scan");
    fs::copy_file(kSample, dir.path() / L"scan" / (kWideName + L".dll"));
    const auto run = RunCli(L"-scan=scan", dir.path());
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, "scan\\" + kUtf8Name + ".dll\r\n");
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace glyphora
