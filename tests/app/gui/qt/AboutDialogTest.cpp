// The About box: its texts, the program's icon, the libraries with their versions, and the
// web address handed to the desktop when clicked; the window's About button shows it.
#include "app/gui/AboutDialog.h"
#include "app/gui/AppIcon.h"
#include "app/gui/LibraryVersions.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "platform/ShellOpen.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include "widgets/PushButton.h"
#include <QTest>
#include "widgets/SoftButton.h"

#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

namespace glyphora {
namespace {

TEST(AboutDialog, Texts)
{
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "About...");
    EXPECT_EQ(dialog.nameLabel()->text(), "Glyphora");
    EXPECT_TRUE(dialog.nameLabel()->font().bold());
    // Impact when installed, else the application's font: never whatever the matcher offers.
    const bool impact = QFontDatabase::families().contains(QStringLiteral("Impact"));
    for (const QLabel* heading : {dialog.nameLabel(), dialog.versionLabel()})
        EXPECT_EQ(QFontInfo(heading->font()).family(),
                  impact ? QStringLiteral("Impact") : QFontInfo(QApplication::font()).family());
    EXPECT_EQ(dialog.versionLabel()->text(), GLYPHORA_VERSION);
    EXPECT_FALSE(dialog.versionLabel()->text().isEmpty());
    EXPECT_EQ(dialog.noticeLabel()->text(), QString::fromUtf8("\u00A9 Marrowfield Software"));
    EXPECT_EQ(dialog.addressLabel()->text(), GLYPHORA_HOMEPAGE_URL);
    EXPECT_EQ(dialog.addressLabel()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(dialog.okButton()->text(), "OK");
    EXPECT_TRUE(dialog.okButton()->isDefault());

    const QPixmap icon = dialog.iconLabel()->pixmap();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.toImage(), ApplicationIcon().pixmap(32, 32).toImage()) << "the program's own icon";
}

TEST(AboutDialog, ListsTheLibrariesWithTheirVersions)
{
    AboutDialog dialog;
    const std::string text = dialog.librariesLabel()->text().toStdString();
    const std::vector<LibraryVersion> libraries = UsedLibraries();
    std::vector<std::string> names;
    for (const LibraryVersion& library : libraries) {
        names.push_back(library.name);
        EXPECT_FALSE(library.version.empty()) << library.name;
        EXPECT_NE(text.find(library.name + " " + library.version), std::string::npos) << text;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Qt", "libpng", "libjpeg", "giflib", "zlib", "libxlsxwriter"}));
    // The running libraries' own words for their versions.
    EXPECT_EQ(libraries[0].version, qVersion());
    EXPECT_EQ(libraries[1].version, png_get_libpng_ver(nullptr));
    EXPECT_EQ(libraries[4].version, zlibVersion());
}

TEST(AboutDialog, JpegReleaseNames)
{
    EXPECT_EQ(JpegReleaseName(62), "6b");
    EXPECT_EQ(JpegReleaseName(70), "7");
    EXPECT_EQ(JpegReleaseName(80), "8");
    EXPECT_EQ(JpegReleaseName(90), "9");
    EXPECT_EQ(JpegReleaseName(94), "9d");
}

TEST(AboutDialog, AddressTargets)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://glyphora.example.org", "https://glyphora.example.org"},
        {"www.example.org", "http://www.example.org"},
        {"someone@example.org", "mailto:someone@example.org"},
        {"www.someone@example.org", "mailto:www.someone@example.org"}, // an e-mail address wins
        {"ftp.example.org", "ftp.example.org"},
    };
    for (const auto& [caption, target] : cases)
        EXPECT_EQ(AddressTarget(caption), target) << caption;
}

TEST(AboutDialog, ClickingTheAddressOpensItWithTheDesktop)
{
    std::vector<std::filesystem::path> opened;
    SetShellOpener([&](const std::filesystem::path& path) {
        opened.push_back(path);
        return true;
    });
    AboutDialog dialog;
    QTest::mouseClick(dialog.addressLabel(), Qt::LeftButton);
    SetShellOpener({});
    EXPECT_EQ(opened, (std::vector<std::filesystem::path>{GLYPHORA_HOMEPAGE_URL}));
}

TEST(AboutDialog, TheWindowsAboutButtonShowsIt)
{
    test::ScriptedDialogs dialogs;
    MainWindow window({"-unused"}, &dialogs);
    EXPECT_TRUE(window.commands().softButton(Command::About)->isEnabled()) << "also without a file";
    window.commands().softButton(Command::About)->click();
    EXPECT_EQ(dialogs.aboutCount, 1);
}

} // namespace
} // namespace glyphora
