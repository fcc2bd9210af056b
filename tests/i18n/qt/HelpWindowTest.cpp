// The compiled help files read through chmlib, and the help window that shows them: pages,
// contents, index, back and forward, links, pictures, and the viewer that keeps one window
// per help file. Runs on the offscreen platform.
#include "i18n/HelpSitemap.h"
#include "i18n/LanguagePack.h"
#include "i18n/TextIds.h"
#include "i18n/qt/ChmArchive.h"
#include "i18n/qt/ChmHelpViewer.h"
#include "i18n/qt/HelpWindow.h"
#include "platform/UserLanguage.h"
#include "scan/FolderScan.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kPages = {
    "/contents.htm",  "/opening-files.htm", "/saving.htm",   "/export.htm",   "/printing-icons.htm",
    "/find-pane.htm", "/command-line.htm",  "/settings.htm", "/keyboard.htm",
};

fs::path HelpFile(const char* language)
{
    return fs::path(GLYPHORA_BUILD_DIR) / (std::string(language) + ".chm");
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(ChmArchive, ListsEveryPageOfTheEnglishHelp)
{
    const auto archive = ChmArchive::Open(HelpFile("english"));
    ASSERT_TRUE(archive);
    const std::vector<std::string> files = archive->ListFiles();
    for (const std::string& page : kPages)
        EXPECT_NE(std::find(files.begin(), files.end(), page), files.end()) << page;
    for (const char* other : {"/help.css", "/images/main-window.png", "/english.hhc", "/english.hhk"})
        EXPECT_NE(std::find(files.begin(), files.end(), other), files.end()) << other;
    for (const std::string& file : files)
        EXPECT_TRUE(file[1] != '#' && file[1] != '$' && file.back() != '/') << file;

    const HelpFileInfo& info = archive->Info();
    EXPECT_EQ(info.defaultPage, "/contents.htm");
    EXPECT_EQ(info.contentsFile, "/english.hhc");
    EXPECT_EQ(info.indexFile, "/english.hhk");
    EXPECT_EQ(info.title, "Glyphora Help");
    EXPECT_EQ(info.lcid, 0x0409u);
}

TEST(ChmArchive, ReadsObjectsByPathWithinTheirLimit)
{
    const auto archive = ChmArchive::Open(HelpFile("english"));
    ASSERT_TRUE(archive);
    const auto page = archive->Read("/export.htm");
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("<h1>Export options</h1>"), std::string::npos);
    EXPECT_FALSE(archive->Read("/export.htm#skip")); // a path, not an address with a fragment
    EXPECT_EQ(archive->Read("/EXPORT.HTM"), page);   // paths inside a help file ignore case

    const std::string picture = ReadBytes(fs::path(GLYPHORA_SOURCE_DIR) / "docs" / "screenshot.png");
    EXPECT_EQ(archive->Read("/images/main-window.png"), picture);
    EXPECT_FALSE(archive->Read("/images/main-window.png", picture.size() - 1));

    EXPECT_FALSE(archive->Read("/nope.htm"));
    EXPECT_FALSE(archive->Read("export.htm")); // not a path inside the file
    EXPECT_FALSE(archive->Read(""));
    EXPECT_FALSE(archive->Read("/" + std::string(600, 'x')));
    EXPECT_FALSE(archive->Read(std::string("/export.htm\0x", 13)));
    EXPECT_TRUE(archive->Contains("/contents.htm"));
    EXPECT_FALSE(archive->Contains("/contents.html"));
}

TEST(ChmArchive, FilesThatAreNoHelpFilesDoNotOpen)
{
    testing::TempFolder folder;
    EXPECT_FALSE(ChmArchive::Open(folder.path() / "missing.chm"));
    EXPECT_FALSE(ChmArchive::Open(folder.path()));
    EXPECT_FALSE(ChmArchive::Open(fs::path(GLYPHORA_BUILD_DIR) / "english.lng"));
    std::ofstream(folder.path() / "empty.chm").flush();
    EXPECT_FALSE(ChmArchive::Open(folder.path() / "empty.chm"));
}

TEST(ChmArchive, DamagedCopiesNeitherCrashNorReadPastTheirEnd)
{
    const std::string whole = ReadBytes(HelpFile("english"));
    ASSERT_GT(whole.size(), 8192u);
    testing::TempFolder folder;
    int index = 0;
    auto tryCopy = [&](const std::string& bytes) {
        const fs::path copy = folder.path() / ("damaged" + std::to_string(index++) + ".chm");
        std::ofstream(copy, std::ios::binary) << bytes;
        if (const auto archive = ChmArchive::Open(copy)) {
            for (const std::string& file : archive->ListFiles()) {
                if (const auto data = archive->Read(file)) {
                    EXPECT_LE(data->size(), ChmArchive::kMaxObjectBytes);
                }
            }
            for (const std::string& page : kPages)
                (void)archive->Read(page);
        }
    };
    for (std::size_t size :
         {std::size_t(16), std::size_t(100), std::size_t(600), std::size_t(4096), whole.size() / 2, whole.size() - 1})
        tryCopy(whole.substr(0, size));
    // Bytes changed in the directory and in the compressed content.
    for (std::size_t at :
         {std::size_t(0x60), std::size_t(0x200), std::size_t(0x1100), whole.size() / 3, whole.size() - 200}) {
        std::string changed = whole;
        for (std::size_t i = at; i < std::min(at + 16, changed.size()); ++i)
            changed[i] = static_cast<char>(changed[i] ^ 0x5A);
        tryCopy(changed);
    }
}

// Every link and picture of every page resolves inside its own help file, fragments
// included, and both languages hold the same pages.
TEST(ChmArchive, LinksOfBothHelpFilesResolve)
{
    std::set<std::string> pagesByLanguage[2];
    int language = 0;
    for (const char* name : {"english", "ukrainian"}) {
        const auto archive = ChmArchive::Open(HelpFile(name));
        ASSERT_TRUE(archive) << name;
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
        for (const std::string& file : archive->ListFiles()) {
            if (file.size() < 4 || file.substr(file.size() - 4) != ".htm") continue;
            pagesByLanguage[language].insert(file);
            const QString text = QString::fromStdString(*archive->Read(file));
            for (auto it = reference.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                const QUrl resolved =
                    QUrl(QStringLiteral("chm:") + QString::fromStdString(file)).resolved(QUrl(target));
                if (resolved.scheme() != QStringLiteral("chm")) continue;
                const std::string path = resolved.path().toStdString();
                const auto targetText = archive->Read(path);
                ASSERT_TRUE(targetText) << name << file << " links to missing " << target.toStdString();
                if (resolved.hasFragment()) {
                    EXPECT_NE(targetText->find("id=\"" + resolved.fragment().toStdString() + "\""), std::string::npos)
                        << name << file << " links to a missing place " << target.toStdString();
                }
            }
        }
        const auto contents = archive->Read(archive->Info().contentsFile);
        ASSERT_TRUE(contents);
        for (const std::string& page : SitemapPages(ParseSitemap(*contents, archive->Info().lcid)))
            EXPECT_TRUE(archive->Contains(page)) << name << " contents name " << page;
        ++language;
    }
    EXPECT_EQ(pagesByLanguage[0], pagesByLanguage[1]);
    EXPECT_EQ(pagesByLanguage[0], std::set<std::string>(kPages.begin(), kPages.end()));
}

std::unique_ptr<HelpWindow> OpenWindow(const char* language)
{
    auto archive = ChmArchive::Open(HelpFile(language));
    if (!archive) return nullptr;
    auto window = std::make_unique<HelpWindow>(std::move(*archive));
    window->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    return window;
}

std::string Text(const HelpWindow& window)
{
    return window.browser->toPlainText().toStdString();
}

TEST(HelpWindow, ShowsTheContentsAndTheExportPage)
{
    const auto window = OpenWindow("english");
    ASSERT_TRUE(window);
    window->ShowContents();
    window->show();
    EXPECT_EQ(window->CurrentPage(), "/contents.htm");
    EXPECT_NE(Text(*window).find("Glyphora pulls the icons out of files."), std::string::npos);
    EXPECT_EQ(window->windowTitle().toStdString(), "Glyphora Help"); // the page is titled as the file

    ASSERT_EQ(window->contentsTree->topLevelItemCount(), 1);
    const QTreeWidgetItem* top = window->contentsTree->topLevelItem(0);
    EXPECT_EQ(top->text(0).toStdString(), "Glyphora Help");
    ASSERT_EQ(top->childCount(), 7);
    EXPECT_TRUE(top->isExpanded());
    EXPECT_EQ(window->contentsTree->currentItem(), top);

    EXPECT_TRUE(window->ShowPage("/export.htm"));
    EXPECT_EQ(window->CurrentPage(), "/export.htm");
    EXPECT_NE(Text(*window).find("Export options"), std::string::npos);
    EXPECT_NE(Text(*window).find("Column count"), std::string::npos);
    ASSERT_TRUE(window->contentsTree->currentItem());
    EXPECT_EQ(window->contentsTree->currentItem()->text(0).toStdString(), "Export options");
    EXPECT_EQ(window->windowTitle().toStdString(), "Export options - Glyphora Help");
}

TEST(HelpWindow, BackForwardAndLinksBetweenPages)
{
    const auto window = OpenWindow("english");
    ASSERT_TRUE(window);
    window->ShowContents();
    EXPECT_FALSE(window->backAction->isEnabled());

    emit window->browser->anchorClicked(QUrl(QStringLiteral("printing-icons.htm"))); // a relative link
    EXPECT_EQ(window->CurrentPage(), "/printing-icons.htm");
    EXPECT_TRUE(window->backAction->isEnabled());
    emit window->browser->anchorClicked(QUrl(QStringLiteral("ms-its:english.chm::/settings.htm")));
    EXPECT_EQ(window->CurrentPage(), "/settings.htm");

    window->backAction->trigger();
    EXPECT_EQ(window->CurrentPage(), "/printing-icons.htm");
    window->backAction->trigger();
    EXPECT_EQ(window->CurrentPage(), "/contents.htm");
    EXPECT_FALSE(window->backAction->isEnabled());
    EXPECT_TRUE(window->forwardAction->isEnabled());
    window->forwardAction->trigger();
    EXPECT_EQ(window->CurrentPage(), "/printing-icons.htm");

    // A link into a page's middle, then a click in the contents tree, then home.
    window->ShowPage("/export.htm");
    emit window->browser->anchorClicked(QUrl(QStringLiteral("command-line.htm#switches")));
    EXPECT_EQ(window->CurrentPage(), "/command-line.htm");
    EXPECT_EQ(window->browser->source().fragment().toStdString(), "switches");
    QTreeWidgetItem* saving = window->contentsTree->topLevelItem(0)->child(1);
    emit window->contentsTree->itemClicked(saving, 0);
    EXPECT_EQ(window->CurrentPage(), "/saving.htm");
    window->homeAction->trigger();
    EXPECT_EQ(window->CurrentPage(), "/contents.htm");
}

TEST(HelpWindow, PicturesAndStyleSheetComeFromTheHelpFile)
{
    const auto window = OpenWindow("english");
    ASSERT_TRUE(window);
    window->ShowContents();
    bool pictureInPage = false;
    for (QTextBlock block = window->browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat() &&
                it.fragment().charFormat().toImageFormat().name() == QStringLiteral("images/main-window.png"))
                pictureInPage = true;
    EXPECT_TRUE(pictureInPage);

    const QVariant picture =
        window->browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/main-window.png")));
    const QImage image = QImage::fromData(picture.toByteArray());
    EXPECT_EQ(
        image.size(),
        QImage(QString::fromStdString((fs::path(GLYPHORA_SOURCE_DIR) / "docs" / "screenshot.png").string())).size());
    EXPECT_FALSE(image.isNull());
    const QVariant css =
        window->browser->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("help.css")));
    EXPECT_TRUE(css.toByteArray().contains("font-family"));
    // Nothing is fetched from outside the help file.
    EXPECT_FALSE(
        window->browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("https://example.org/x.png")))
            .isValid());
    EXPECT_FALSE(window->browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("file:///etc/passwd")))
                     .isValid());
}

TEST(HelpWindow, AMissingPageSaysSo)
{
    const auto window = OpenWindow("english");
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->ShowPage("/no-such-topic.htm"));
    EXPECT_TRUE(window->ShowsMissingPage());
    EXPECT_NE(Text(*window).find("Page not found"), std::string::npos);
    EXPECT_NE(Text(*window).find("/no-such-topic.htm"), std::string::npos);
    EXPECT_TRUE(window->ShowPage("/export.htm"));
    EXPECT_FALSE(window->ShowsMissingPage());
}

TEST(HelpWindow, IndexFindsEntriesAsYouType)
{
    const auto window = OpenWindow("english");
    ASSERT_TRUE(window);
    window->ShowContents();
    EXPECT_TRUE(window->navigationTabs->isTabEnabled(1));
    EXPECT_EQ(window->indexList->count(), 36);
    QTest::keyClicks(window->indexFilter, "prin");
    ASSERT_TRUE(window->indexList->currentItem());
    EXPECT_EQ(window->indexList->currentItem()->text().toStdString(), "Printing");
    QTest::keyClick(window->indexFilter, Qt::Key_Return);
    EXPECT_EQ(window->CurrentPage(), "/printing-icons.htm");

    window->indexFilter->clear();
    QTest::keyClicks(window->indexFilter, "SWITCH");
    QTest::keyClick(window->indexFilter, Qt::Key_Return);
    EXPECT_EQ(window->CurrentPage(), "/command-line.htm");
    EXPECT_EQ(window->browser->source().fragment().toStdString(), "switches");
}

TEST(HelpWindow, TheUkrainianHelpReadsUkrainianThroughout)
{
    const auto window = OpenWindow("ukrainian");
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Archive().Info().lcid, 0x0422u);
    EXPECT_EQ(window->Archive().Info().title, "Довідка Glyphora"); // stored in windows-1251
    window->ShowContents();
    EXPECT_EQ(window->navigationTabs->tabText(0).toStdString(), "Зміст");
    EXPECT_EQ(window->navigationTabs->tabText(1).toStdString(), "Покажчик");
    EXPECT_EQ(window->backAction->text().toStdString(), "Назад");
    const QTreeWidgetItem* top = window->contentsTree->topLevelItem(0);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->text(0).toStdString(), "Довідка Glyphora");
    ASSERT_EQ(top->childCount(), 7);
    EXPECT_EQ(top->child(1)->text(0).toStdString(), "Збереження та експорт");
    EXPECT_EQ(top->child(1)->child(0)->text(0).toStdString(), "Параметри експорту");
    EXPECT_TRUE(window->ShowPage("/export.htm"));
    EXPECT_NE(Text(*window).find("Кількість стовпців"), std::string::npos);
    EXPECT_FALSE(window->ShowPage("/nope.htm"));
    EXPECT_NE(Text(*window).find("Сторінку не знайдено"), std::string::npos);
}

TEST(ChmHelpViewer, OneWindowPerHelpFileClosedTogether)
{
    test::ScriptedDialogs dialogs;
    ChmHelpViewer viewer(dialogs);
    viewer.ShowContents(HelpFile("english"));
    ASSERT_EQ(viewer.Windows().size(), 1u);
    HelpWindow* english = viewer.Windows()[0];
    EXPECT_TRUE(english->isVisible());
    EXPECT_EQ(english->CurrentPage(), "/contents.htm");

    viewer.ShowTopic(fs::path(GLYPHORA_BUILD_DIR) / "." / "english.chm", "/export.htm"); // the same file
    ASSERT_EQ(viewer.Windows().size(), 1u);
    EXPECT_EQ(english->CurrentPage(), "/export.htm");

    viewer.ShowTopic(HelpFile("ukrainian"), "/printing-icons.htm");
    ASSERT_EQ(viewer.Windows().size(), 2u);
    EXPECT_EQ(viewer.Windows()[1]->CurrentPage(), "/printing-icons.htm");

    // A window the user closes is gone from the viewer.
    QPointer<HelpWindow> ukrainian = viewer.Windows()[1];
    ukrainian->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ukrainian.isNull());
    EXPECT_EQ(viewer.Windows().size(), 1u);

    QPointer<HelpWindow> watched = english;
    viewer.CloseAll();
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(viewer.Windows().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ChmHelpViewer, FilesThatCannotBeShownAreReported)
{
    test::ScriptedDialogs dialogs;
    ChmHelpViewer viewer(dialogs);
    const fs::path missing = fs::path(GLYPHORA_BUILD_DIR) / "no-such-help.chm";
    viewer.ShowContents(missing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "File not found:\n" + missing.string());
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);

    // A file that is no help file: the viewer's own words, not a language pack's text about
    // language packs.
    ASSERT_TRUE(LoadLanguagePack(fs::path(GLYPHORA_BUILD_DIR) / "english.lng"));
    const std::string packText = LangString(kTextPackCannotBeLoaded);
    const fs::path notHelp = fs::path(GLYPHORA_BUILD_DIR) / "english.lng";
    viewer.ShowTopic(notHelp, "/export.htm");
    ReleaseLanguagePack();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    ASSERT_FALSE(packText.empty());
    EXPECT_EQ(dialogs.messages[1].text.find(packText), std::string::npos);
    EXPECT_EQ(dialogs.messages[1].text,
              UnreadableHelpFileMessage(UserLanguageId()).arg(QString::fromStdString(notHelp.string())).toStdString());
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(UnreadableHelpFileMessage(0x0409).arg(QStringLiteral("x.chm")).toStdString(),
              "The help file\nx.chm\ncannot be read: it is damaged or it is no compiled help file.");
    EXPECT_TRUE(viewer.Windows().empty());
}

// What the pages say of the program holds for the program: a file in a subfolder is written
// as the scan lists it, and the spreadsheet stands with the other document exports.
TEST(ChmArchive, ThePagesDescribeTheProgramAsItIs)
{
    testing::TempFolder folder;
    fs::create_directories(folder.path() / "system");
    fs::copy_file(test::SampleModule(), folder.path() / "system" / "shell.dll");
    std::vector<std::string> listed;
    ScanForIconFiles(folder.path(), folder.path(), kIconFileMasks, 1, true, listed);
    ASSERT_EQ(listed.size(), 1u);

    for (const char* name : {"english", "ukrainian"}) {
        const auto archive = ChmArchive::Open(HelpFile(name));
        ASSERT_TRUE(archive) << name;
        EXPECT_NE(archive->Read("/find-pane.htm").value_or("").find("<code>" + listed[0] + "</code>"),
                  std::string::npos)
            << name;
        for (const char* page : {"/saving.htm", "/export.htm", "/command-line.htm"})
            EXPECT_NE(archive->Read(page).value_or("").find("xlsx</code>"), std::string::npos) << name << page;
    }
}

} // namespace
} // namespace glyphora
