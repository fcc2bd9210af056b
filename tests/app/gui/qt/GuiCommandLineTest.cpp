// The window's command line against the console front end: the same export writes the same
// bytes, and -closewhendone ends the window with exit status 0.
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int RunProgram(const char* program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromLatin1(program), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

TEST(GuiCommandLine, FolderExportMatchesTheConsoleFrontEndByteForByte)
{
    testing::TempFolder folder;
    const fs::path gui = folder.path() / "gui", cli = folder.path() / "cli";
    const QString module = QString::fromStdString(test::SampleModule().string());
    const QStringList tail{QStringLiteral("-desttype=png"), QStringLiteral("-iconindex=0")};
    ASSERT_EQ(RunProgram(GLYPHORA_GUI_PATH, QStringList{"-e", module, QString::fromStdString(gui.string())} + tail +
                                                QStringList{"-closewhendone"}),
              0);
    ASSERT_EQ(RunProgram(GLYPHORA_CLI_PATH, QStringList{"-e", module, QString::fromStdString(cli.string())} + tail), 0);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(cli))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 6u);
    for (const std::string& name : names) {
        ASSERT_TRUE(fs::exists(gui / name)) << name;
        EXPECT_EQ(Bytes(gui / name), Bytes(cli / name)) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(gui), fs::directory_iterator{}), 6);
}

} // namespace
} // namespace glyphora
