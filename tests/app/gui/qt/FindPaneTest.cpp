// The find pane in the main window, headless with scripted dialogs: showing and hiding it,
// scanning the tree's folder with the minimum and the subfolder option, the minimum box's
// typing and arrows, opening a listed file, stopping a scan with Escape, going to the open
// file's folder, saving the icons of every listed file with one overwrite answer, and the
// splitters' limits and stored sizes.
#include "app/gui/FindPane.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/MinimumCountBox.h"
#include "scan/qt/FolderTree.h"
#include "settings/IniDocument.h"
#include "settings/SettingsStorage.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"
#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/PaneSplitter.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SearchListBox.h"
#include "widgets/SoftButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const fs::path kSample32 = GLYPHORA_BUILD_DIR "/samples/glyphora-sample32.dll";
constexpr int kSampleGroups = 6;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FindPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{}, &dialogs);
        window->resize(640, 600);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        pane = window->findPane();
        ASSERT_NE(pane, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pane->tree()->isBuilt(); }, 5000));
    }

    // Copies of the sample modules (six groups each) and files without icons.
    void fillFolder()
    {
        fs::create_directories(root() / "sub" / "deeper");
        fs::copy_file(test::SampleModule(), root() / "b.dll");
        fs::copy_file(kSample32, root() / "A.exe");
        fs::copy_file(test::SampleModule(), root() / "sub" / "c.ocx");
        fs::copy_file(kSample32, root() / "sub" / "deeper" / "d.dll");
        std::ofstream(root() / "notes.dll") << "no icons";
        std::ofstream(root() / "readme.txt") << "not matched";
    }

    const fs::path& root() const { return folder.path(); }
    std::string sub(const std::string& path) const { return fs::path(path).make_preferred().string(); }

    // Shows the pane (when hidden) and scans folder, waiting for the scan to end.
    bool scan(const fs::path& where)
    {
        if (!pane->isPaneVisible()) pane->toggle();
        QSignalSpy done(pane, &FindPane::scanFinished);
        pane->tree()->setFolder(where);
        return done.wait(10000);
    }
    // Waits for the scan that a change has started.
    bool waitForScan()
    {
        QSignalSpy done(pane, &FindPane::scanFinished);
        return !pane->isScanning() || done.wait(10000);
    }

    testing::TempFolder folder;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    FindPane* pane = nullptr;
};

TEST_F(FindPaneTest, TheFindButtonShowsAndHidesThePaneWithItsStripControls)
{
    PushButton* button = window->commands().pushButton(Command::ToggleFindPane);
    EXPECT_EQ(button, pane->searchButton());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(pane->paneSplitter()->isVisible());
    EXPECT_FALSE(pane->minimumBox()->isVisible());
    EXPECT_EQ(pane->minimumBox(), window->findPane()->minimumBox());
    EXPECT_EQ(pane->minimumLabel(), window->findPane()->minimumLabel());
    EXPECT_EQ(button->text(), "Find files with icons inside >>");

    const int gridHeight = window->gridView()->height();
    button->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(pane->isPaneVisible());
    for (QWidget* shown : std::initializer_list<QWidget*>{pane, pane->paneSplitter(), pane->copyDirButton(),
                                                          pane->minimumLabel(), pane->minimumBox()})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    EXPECT_EQ(button->text(), "Find files with icons inside <<");
    EXPECT_EQ(pane->height(), kFindPaneMinHeight);
    EXPECT_EQ(window->gridView()->height(), gridHeight - kFindPaneMinHeight - kSplitterThickness);
    EXPECT_EQ(pane->minimumLabel()->text(), "Minimum number of icons");
    EXPECT_EQ(pane->folderLabel()->text(), "Folder to scan:");
    EXPECT_EQ(pane->filesLabel()->text(), "Files (.dll, .exe, .ocx) with icons:");
    EXPECT_EQ(pane->subfoldersCheck()->text(), "Include subfolders");
    EXPECT_EQ(pane->minimumBox()->text(), "1");
    EXPECT_FALSE(pane->saveAllButton()->isEnabled()); // nothing listed

    button->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(pane->isPaneVisible());
    EXPECT_FALSE(pane->minimumBox()->isVisible());
    EXPECT_EQ(window->gridView()->height(), gridHeight);
}

TEST_F(FindPaneTest, ScansTheTreesFolderWithTheMinimumAndTheSubfolderOption)
{
    fillFolder();
    ASSERT_TRUE(scan(root()));
    EXPECT_EQ(pane->listedEntries(), (Strings{"A.exe", "b.dll"}));
    EXPECT_EQ(pane->countLabel()->text(), "2");
    EXPECT_FALSE(pane->stoppedLabel()->isVisible());
    EXPECT_TRUE(pane->saveAllButton()->isEnabled());
    EXPECT_EQ(pane->listedFiles(), (std::vector<fs::path>{root() / "A.exe", root() / "b.dll"}));

    pane->subfoldersCheck()->setChecked(true);
    ASSERT_TRUE(waitForScan());
    EXPECT_EQ(pane->listedEntries(), (Strings{"A.exe", "b.dll", sub("sub/c.ocx"), sub("sub/deeper/d.dll")}));
    EXPECT_EQ(pane->countLabel()->text(), "4");

    pane->minimumBox()->setText(QString::number(kSampleGroups + 1));
    ASSERT_TRUE(waitForScan());
    EXPECT_EQ(pane->listedEntries(), Strings{});
    EXPECT_EQ(pane->countLabel()->text(), "0");
    EXPECT_FALSE(pane->saveAllButton()->isEnabled());

    // No folder selected (or a node without one): the list is only emptied.
    pane->minimumBox()->setText(QString::number(kSampleGroups));
    ASSERT_TRUE(waitForScan());
    EXPECT_EQ(pane->fileList()->count(), 4);
    pane->tree()->setCurrentItem(nullptr);
    EXPECT_EQ(pane->fileList()->count(), 0);
    EXPECT_FALSE(pane->isScanning());
}

TEST_F(FindPaneTest, TheMinimumBoxTakesDigitsOnlyAndItsArrowsStepWithinTheirRange)
{
    pane->toggle();
    QLineEdit* edit = pane->minimumBox()->lineEdit();
    QSignalSpy scans(pane, &FindPane::scanFinished);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "0");
    EXPECT_EQ(edit->text(), "1"); // a zero turns back into 1, selected whole
    EXPECT_EQ(edit->selectedText(), "1");
    QTest::keyClicks(edit, "a2x-");
    EXPECT_EQ(edit->text(), "2");
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "00");
    EXPECT_EQ(edit->text(), "200");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "20");
    edit->setText("9999");
    EXPECT_EQ(edit->text(), "9999");
    QTest::keyClicks(edit, "5"); // four digits at most
    EXPECT_EQ(edit->text(), "9999");

    QToolButton* up = pane->minimumBox()->upButton();
    QToolButton* down = pane->minimumBox()->downButton();
    down->click();
    EXPECT_EQ(edit->text(), "999"); // the arrows work within 1 to 1000
    up->click();
    up->click();
    EXPECT_EQ(edit->text(), "1000");
    edit->setText("1");
    down->click();
    EXPECT_EQ(edit->text(), "1");
    edit->setText("00");
    EXPECT_EQ(edit->text(), "1");

    // Pasted text that is no number starts no scan and says why.
    fs::copy_file(test::SampleModule(), root() / "a.dll");
    ASSERT_TRUE(scan(root()));
    ASSERT_EQ(pane->fileList()->count(), 1);
    dialogs.messages.clear();
    edit->setText("1a");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(dialogs.messages[0].text.find("'1a'"), std::string::npos);
    EXPECT_EQ(pane->fileList()->count(), 0);
    EXPECT_EQ(pane->countLabel()->text(), "0");
    EXPECT_FALSE(pane->isScanning());
    EXPECT_TRUE(window->centralWidget()->isEnabled());
}

// A pasted minimum that is no number empties the list, and the button that saves what the
// list holds goes with it: clicking it saves nothing, not even the open file.
TEST_F(FindPaneTest, APastedNonNumberLeavesNothingToSave)
{
    fs::copy_file(test::SampleModule(), root() / "a.dll");
    ASSERT_TRUE(scan(root()));
    ASSERT_EQ(pane->fileList()->count(), 1);
    ASSERT_TRUE(pane->saveAllButton()->isEnabled());

    QLineEdit* edit = pane->minimumBox()->lineEdit();
    QGuiApplication::clipboard()->setText(QStringLiteral("1a"));
    edit->selectAll();
    edit->paste();
    ASSERT_EQ(edit->text(), "1a");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(pane->fileList()->count(), 0);
    EXPECT_FALSE(pane->saveAllButton()->isEnabled());
    QTest::mouseClick(pane->saveAllButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.folderTitles, Strings{});
}

TEST_F(FindPaneTest, ChoosingAListedFileOpensItOnce)
{
    fillFolder();
    ASSERT_TRUE(scan(root()));
    SearchListBox* list = pane->fileList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(40, 9)); // the first row
    EXPECT_EQ(window->FileName(), root() / "A.exe");
    EXPECT_EQ(window->gridView()->grid()->Count(), kSampleGroups);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(window->FileName(), root() / "b.dll");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(window->FileName(), root() / "A.exe");
    window->gridView()->grid()->SetItemIndex(3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(40, 9)); // the file shown: not opened again
    EXPECT_EQ(window->gridView()->grid()->ItemIndex(), 3);

    // Typing searches the list: "b" completes to the entry, Enter selects and opens it.
    QTest::keyClicks(list, "b");
    ASSERT_TRUE(list->isEditorVisible());
    QTest::keyClick(list->searchEditor(), Qt::Key_Return);
    EXPECT_EQ(window->FileName(), root() / "b.dll");
}

TEST_F(FindPaneTest, EscapeStopsTheScanAfterTheFileBeingListed)
{
    for (int i = 0; i < 40; ++i)
        fs::copy_file(test::SampleModule(), root() / ("m" + std::to_string(100 + i) + ".dll"));
    pane->toggle();

    // At the first listed file: the scan is running with the window closed to input; Escape
    // goes to the window, whose key command asks the scan runner to stop.
    bool sawRunning = false;
    QMetaObject::Connection hook = QObject::connect(pane->fileList()->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (sawRunning) return;
        sawRunning = true;
        EXPECT_TRUE(pane->isScanning());
        EXPECT_FALSE(pane->isStopRequested());
        EXPECT_FALSE(window->centralWidget()->isEnabled());
        EXPECT_FALSE(pane->searchButton()->isEnabled());
        EXPECT_EQ(window->statusPanel(StatusPanel::Hint)->text(), "Searching for files with icons. Please wait...");
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(pane->isStopRequested());
    });
    QSignalSpy done(pane, &FindPane::scanFinished);
    pane->tree()->setFolder(root());
    ASSERT_TRUE(done.wait(10000));
    QObject::disconnect(hook);
    ASSERT_TRUE(sawRunning);
    EXPECT_EQ(done.takeFirst().at(0).value<ScanOutcome>(), ScanOutcome::Stopped);
    EXPECT_EQ(pane->fileList()->count(), 1);
    EXPECT_EQ(pane->countLabel()->text(), "1");
    EXPECT_TRUE(pane->stoppedLabel()->isVisible());
    EXPECT_EQ(pane->stoppedLabel()->text(), "Search stopped");
    EXPECT_TRUE(window->centralWidget()->isEnabled());
    EXPECT_TRUE(pane->saveAllButton()->isEnabled());
    EXPECT_EQ(window->statusPanel(StatusPanel::Hint)->text(), "");
    QTest::qWait(50); // nothing more arrives from the stopped walk
    EXPECT_EQ(pane->fileList()->count(), 1);

    // The next scan runs to the end again.
    pane->subfoldersCheck()->setChecked(true);
    ASSERT_TRUE(waitForScan());
    EXPECT_EQ(pane->fileList()->count(), 40);
    EXPECT_FALSE(pane->stoppedLabel()->isVisible());
}

// Escape pressed through the window's own key and shortcut dispatch: the focused control still
// receives it (the list's search editor closes, a splitter drag is cancelled), and while a scan
// runs it stops the scan.
TEST_F(FindPaneTest, EscapeReachesTheFocusedControlAndStillStopsAScan)
{
    for (int i = 0; i < 40; ++i)
        fs::copy_file(test::SampleModule(), root() / ("m" + std::to_string(100 + i) + ".dll"));
    window->activateWindow(); // window shortcuts need the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(scan(root()));
    ASSERT_EQ(pane->fileList()->count(), 40);
    // Escape as the user presses it: to whichever control has the focus.
    const auto pressEscape = [this] {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window.get(), Qt::Key_Escape);
    };

    // The list's search editor opens with the first letter typed and closes with Escape.
    SearchListBox* list = pane->fileList();
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("m1"));
    ASSERT_TRUE(list->isEditorVisible());
    pressEscape();
    EXPECT_FALSE(list->isEditorVisible());

    // A drag of the splitter above the pane ends with Escape and leaves every size as it was.
    PaneSplitter* splitter = pane->paneSplitter();
    const int paneHeight = pane->paneHeight();
    const int gridHeight = window->gridView()->height();
    test::SendMouse(splitter, QEvent::MouseButtonPress, {100, 1}, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(splitter, QEvent::MouseMove, {100, -39}, Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(splitter->isDragging());
    pressEscape();
    EXPECT_FALSE(splitter->isDragging());
    test::SendMouse(splitter, QEvent::MouseButtonRelease, {100, -39}, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(pane->paneHeight(), paneHeight);
    EXPECT_EQ(window->gridView()->height(), gridHeight);

    // While a scan runs, Escape stops it after the file being listed.
    bool pressed = false;
    QMetaObject::Connection hook = QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (pressed) return;
        pressed = true;
        pressEscape();
    });
    QSignalSpy done(pane, &FindPane::scanFinished);
    pane->rescan();
    ASSERT_TRUE(done.wait(10000));
    QObject::disconnect(hook);
    ASSERT_TRUE(pressed);
    EXPECT_EQ(done.takeFirst().at(0).value<ScanOutcome>(), ScanOutcome::Stopped);
    EXPECT_EQ(list->count(), 1);
    EXPECT_TRUE(pane->stoppedLabel()->isVisible());
}

// The window takes no input while a scan runs; when the scan ends the keys go to the control
// that had them, so the tree can be walked folder by folder with the arrow keys, each step
// starting a scan and waiting for it to end.
TEST_F(FindPaneTest, TheTreeIsWalkedWithTheKeysScanAfterScan)
{
    constexpr int kFolders = 10;
    const auto folderName = [](int i) { return "f" + std::to_string(i); };
    for (int i = 0; i < kFolders; ++i) {
        fs::create_directories(root() / folderName(i));
        fs::copy_file(test::SampleModule(), root() / folderName(i) / ("m" + std::to_string(i) + ".dll"));
    }
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(scan(root()));
    FolderTree* tree = pane->tree();
    tree->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), tree);
    QWindow* keys = window->windowHandle(); // the keys come as the desktop delivers them

    QTest::keyClick(keys, Qt::Key_Right); // opens the scanned folder
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->findFolderNode(root() / folderName(0)) != nullptr; }, 5000));
    for (int i = 0; i < kFolders; ++i) {
        QSignalSpy done(pane, &FindPane::scanFinished);
        QTest::keyClick(keys, i == 0 ? Qt::Key_Right : Qt::Key_Down);
        // The scan may be over before the key's delivery returns.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000)) << "no scan after key " << i;
        EXPECT_EQ(tree->folder(), root() / folderName(i));
        EXPECT_EQ(pane->listedEntries(), Strings{"m" + std::to_string(i) + ".dll"});
        ASSERT_EQ(QApplication::focusWidget(), tree) << "after scan " << i;
    }
}

// A branch read again during a scan can move the tree's selection; that scan gives way to
// one of the new folder.
TEST_F(FindPaneTest, AFolderChangeDuringAScanReplacesIt)
{
    fs::create_directories(root() / "many");
    fs::create_directories(root() / "few");
    for (int i = 0; i < 40; ++i)
        fs::copy_file(test::SampleModule(), root() / "many" / ("m" + std::to_string(100 + i) + ".dll"));
    std::ofstream(root() / "few" / "notes.dll") << "no icons";
    pane->toggle();
    bool moved = false;
    QMetaObject::Connection hook = QObject::connect(pane->fileList()->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (moved) return;
        moved = true;
        pane->tree()->setCurrentItem(pane->tree()->findFolderNode(root() / "few"));
    });
    pane->tree()->setFolder(root() / "many");
    ASSERT_TRUE(QTest::qWaitFor([&] { return moved && !pane->isScanning(); }, 10000));
    QObject::disconnect(hook);
    QTest::qWait(50); // nothing more arrives from the replaced walk
    EXPECT_EQ(pane->listedEntries(), Strings{});
    EXPECT_EQ(pane->countLabel()->text(), "0");
    EXPECT_FALSE(pane->isStopRequested());
    EXPECT_TRUE(window->centralWidget()->isEnabled());
}

TEST_F(FindPaneTest, TheFolderButtonMovesTheTreeToTheOpenFilesFolder)
{
    fillFolder();
    pane->toggle();
    window->SelectFile(root() / "sub" / "c.ocx");
    QSignalSpy done(pane, &FindPane::scanFinished);
    pane->copyDirButton()->click();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(pane->tree()->folder(), root() / "sub");
    EXPECT_EQ(pane->listedEntries(), Strings{"c.ocx"});
}

TEST_F(FindPaneTest, SavingAllListedFilesAsksOnceForEveryFile)
{
    fs::copy_file(test::SampleModule(), root() / "one.dll");
    fs::copy_file(kSample32, root() / "two.dll");
    fs::copy_file(test::SampleModule(), root() / "three.exe");
    ASSERT_TRUE(scan(root()));
    ASSERT_EQ(pane->fileList()->count(), 3);
    const fs::path dest = root() / "icons";

    ASSERT_EQ(window->commands().members(Command::SaveListedAs).size(), 6u);
    EXPECT_EQ(window->commands().members(Command::SaveListedAs)[5]->text(), "as &PNG (*.png)");
    EXPECT_EQ(pane->saveAllButton()->dropDown(), static_cast<QWidget*>(window->commands().menu(Menu::SaveListed)));
    dialogs.folderAnswers.push_back(dest);
    window->commands().members(Command::SaveListedAs)[5]->trigger();
    ASSERT_EQ(dialogs.folderTitles, Strings{"Select folder to save images:"});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "18 icon(s) saved.");
    EXPECT_TRUE(fs::exists(dest / "ico_one_dll0006.png"));
    EXPECT_TRUE(fs::exists(dest / "ico_three_exe0001.png"));
    EXPECT_TRUE(fs::exists(dest / "ico_two_dll0003.png"));

    // Again into the same folder: the first existing file asks, "yes to all" holds for the
    // rest of that file and for the two after it.
    dialogs.messages.clear();
    dialogs.folderAnswers.push_back(dest);
    dialogs.messageAnswers.push_back(DialogAnswer::YesToAll);
    std::ofstream(dest / "ico_one_dll0001.png", std::ios::trunc) << "old";
    window->commands().members(Command::SaveListedAs)[5]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoNoToAllYesToAll);
    EXPECT_NE(dialogs.messages[0].text.find((dest / "ico_one_dll0001.png").string()), std::string::npos);
    EXPECT_EQ(dialogs.messages[1].text, "18 icon(s) saved.");
    EXPECT_NE(ReadText(dest / "ico_one_dll0001.png"), "old");
}

TEST_F(FindPaneTest, SplittersKeepBothSidesAtTheirMinimum)
{
    pane->toggle();
    QCoreApplication::processEvents();
    QWidget* client = window->centralWidget();
    PaneSplitter* above = pane->paneSplitter();
    const auto dragBy = [](PaneSplitter* splitter, QPoint delta) {
        const QPoint start(splitter->width() / 2, splitter->height() / 2);
        test::SendMouse(splitter, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        test::SendMouse(splitter, QEvent::MouseMove, start + delta, Qt::NoButton, Qt::LeftButton);
        test::SendMouse(splitter, QEvent::MouseButtonRelease, start + delta, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
    };

    dragBy(above, {0, -2000});
    EXPECT_EQ(pane->paneHeight(), client->height() - kFindPaneMinHeight - kSplitterThickness);
    EXPECT_EQ(above->y(), kFindPaneMinHeight); // the upper area keeps its minimum
    dragBy(above, {0, 2000});
    EXPECT_EQ(pane->paneHeight(), kFindPaneMinHeight);

    PaneSplitter* between = pane->listSplitter();
    dragBy(between, {-2000, 0});
    EXPECT_EQ(pane->filePanelWidth(), pane->width() - kFilePanelMinWidth - kSplitterThickness);
    EXPECT_EQ(pane->dirPanel()->width(), kFilePanelMinWidth);
    dragBy(between, {2000, 0});
    EXPECT_EQ(pane->filePanelWidth(), kFilePanelMinWidth);

    // The pane's controls follow the sides.
    pane->setPaneHeight(260);
    QCoreApplication::processEvents();
    SearchListBox* list = pane->fileList();
    EXPECT_EQ(list->x() + list->width(), pane->filePanel()->width() - 8);
    EXPECT_EQ(list->height(), 260 - 24 - 16 - pane->subfoldersCheck()->height());
    EXPECT_EQ(pane->braceImage()->height(), list->height());
    EXPECT_EQ(pane->subfoldersCheck()->y() + pane->subfoldersCheck()->height(), 260 - 8);
    EXPECT_EQ(pane->tree()->y() + pane->tree()->height(), 260 - 8);
    EXPECT_EQ(pane->tree()->x() + pane->tree()->width(), pane->dirPanel()->width() - 8);
    const QRect save = pane->saveAllButton()->geometry();
    EXPECT_EQ(save.y(), pane->braceImage()->y() + pane->braceImage()->height() / 2 - save.height() / 2);
}

TEST_F(FindPaneTest, StoredSizesAreBroughtWithinTheirLimits)
{
    pane->setPaneVisible(true);
    QCoreApplication::processEvents();
    QWidget* client = window->centralWidget();
    struct Case {
        int stored;
        int expected;
    };
    const int maxHeight = client->height() - kFindPaneMinHeight - kSplitterThickness;
    for (const Case& c : {Case{50, kFindPaneMinHeight}, Case{200, 200}, Case{5000, maxHeight}}) {
        pane->setPaneHeight(c.stored);
        EXPECT_EQ(pane->paneHeight(), c.expected) << c.stored;
    }
    const int maxWidth = pane->width() - kFilePanelMinWidth - kSplitterThickness;
    for (const Case& c : {Case{10, kFilePanelMinWidth}, Case{300, std::min(300, maxWidth)}, Case{5000, maxWidth}}) {
        pane->setFilePanelWidth(c.stored);
        EXPECT_EQ(pane->filePanelWidth(), c.expected) << c.stored;
    }

    // A smaller window: the pane gives way so that the area above keeps its minimum.
    pane->setPaneHeight(maxHeight);
    window->resize(window->width(), window->minimumHeight());
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->paneSplitter()->y(), kFindPaneMinHeight);
    EXPECT_GE(pane->dirPanel()->width(), kFilePanelMinWidth);

    pane->setPaneVisible(false);
    EXPECT_FALSE(pane->isPaneVisible());
    pane->setPaneVisible(false);
    EXPECT_FALSE(pane->isPaneVisible());
}

// The pane's visibility and sizes go to the settings when the window closes and come back at
// the next start.
TEST(FindPaneSettingsTest, ThePaneComesBackAsItWasLeft)
{
    test::StoreFiles stores;
    test::ScriptedDialogs dialogs;
    {
        SettingsStorage storage = stores.Open();
        MainWindow window({"unused"}, &dialogs, &storage);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_FALSE(window.findPane()->isPaneVisible());
        window.findPane()->setPaneVisible(true);
        QCoreApplication::processEvents();
        window.findPane()->setPaneHeight(kFindPaneMinHeight + 40);
        window.findPane()->setFilePanelWidth(kFilePanelMinWidth + 20);
        EXPECT_TRUE(window.close());
    }
    const IniDocument ini = IniDocument::Parse(test::FileText(stores.ini));
    EXPECT_EQ(ini.Value("Placement", "FindPanelVisible"), "1");
    EXPECT_EQ(ini.Value("Placement", "FindPanelHeight"), std::to_string(kFindPaneMinHeight + 40));
    EXPECT_EQ(ini.Value("Placement", "FilePanelWidth"), std::to_string(kFilePanelMinWidth + 20));

    SettingsStorage storage = stores.Open();
    MainWindow again({"unused"}, &dialogs, &storage);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QCoreApplication::processEvents();
    EXPECT_TRUE(again.findPane()->isPaneVisible());
    EXPECT_EQ(again.commands().pushButton(Command::ToggleFindPane)->text(), "Find files with icons inside <<");
    EXPECT_EQ(again.findPane()->paneHeight(), kFindPaneMinHeight + 40);
    EXPECT_EQ(again.findPane()->filePanelWidth(), kFilePanelMinWidth + 20);
}

// The pane's folder, its subfolder option and its minimum are kept with the settings (extra
// keys of the Placement section) and come back, scanned again, at the next start.
TEST(FindPaneSettingsTest, TheFolderTheSubfolderOptionAndTheMinimumAreKept)
{
    test::StoreFiles stores;
    test::ScriptedDialogs dialogs;
    testing::TempFolder folder;
    fs::create_directories(folder.path() / "sub");
    fs::copy_file(test::SampleModule(), folder.path() / "b.dll");
    fs::copy_file(test::SampleModule(), folder.path() / "sub" / "c.dll");
    fs::copy_file(kSample32, folder.path() / "sub" / "d.dll");
    const Strings expected{"b.dll", fs::path("sub/c.dll").make_preferred().string(),
                           fs::path("sub/d.dll").make_preferred().string()};
    {
        SettingsStorage storage = stores.Open();
        MainWindow window({"unused"}, &dialogs, &storage);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        FindPane* pane = window.findPane();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pane->tree()->isBuilt(); }, 5000));
        pane->setPaneVisible(true);
        QSignalSpy done(pane, &FindPane::scanFinished);
        pane->tree()->setFolder(folder.path());
        ASSERT_TRUE(done.wait(10000));
        pane->subfoldersCheck()->setChecked(true);
        ASSERT_TRUE(!pane->isScanning() || done.wait(10000));
        pane->minimumBox()->setText(QString::number(kSampleGroups));
        ASSERT_TRUE(!pane->isScanning() || done.wait(10000));
        ASSERT_EQ(pane->listedEntries(), expected);
        EXPECT_TRUE(window.close());
    }
    const IniDocument ini = IniDocument::Parse(test::FileText(stores.ini));
    EXPECT_EQ(ini.Value("Placement", "FindFolder"), folder.path().string());
    EXPECT_EQ(ini.Value("Placement", "FindIncludeSubfolders"), "1");
    EXPECT_EQ(ini.Value("Placement", "FindMinimumCount"), std::to_string(kSampleGroups));

    SettingsStorage storage = stores.Open();
    MainWindow again({"unused"}, &dialogs, &storage);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    FindPane* pane = again.findPane();
    EXPECT_TRUE(pane->subfoldersCheck()->isChecked());
    EXPECT_EQ(pane->minimumBox()->text(), QString::number(kSampleGroups));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return pane->tree()->folder() == folder.path() && !pane->isScanning() && pane->fileList()->count() > 0; },
        10000));
    EXPECT_EQ(pane->listedEntries(), expected);
}

// The scan enters the hidden folders the tree shows; the tree's choice is kept with the
// settings ("ShowHiddenFolders" in the Settings section) and comes back at the next start.
TEST(FindPaneSettingsTest, TheScanEntersWhatTheTreeShowsAndTheChoiceIsKept)
{
    test::StoreFiles stores;
    test::ScriptedDialogs dialogs;
    testing::TempFolder folder;
    fs::create_directories(folder.path() / ".cache");
    fs::copy_file(test::SampleModule(), folder.path() / "b.dll");
    fs::copy_file(test::SampleModule(), folder.path() / ".cache" / "c.dll");
    const std::string hidden = fs::path(".cache/c.dll").make_preferred().string();
    {
        SettingsStorage storage = stores.Open();
        MainWindow window({"unused"}, &dialogs, &storage);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        FindPane* pane = window.findPane();
        ASSERT_TRUE(QTest::qWaitFor([&] { return pane->tree()->isBuilt(); }, 5000));
        pane->setPaneVisible(true);
        pane->subfoldersCheck()->setChecked(true);
        QSignalSpy done(pane, &FindPane::scanFinished);
        pane->tree()->setFolder(folder.path());
        ASSERT_TRUE(done.wait(10000));
        EXPECT_EQ(pane->listedEntries(), (Strings{hidden, "b.dll"}));

        QAction* showHidden = pane->tree()->showHiddenFoldersAction();
        EXPECT_EQ(showHidden->text(), "Show Hidden Folders");
        showHidden->trigger();
        ASSERT_TRUE(done.wait(10000));
        EXPECT_EQ(pane->listedEntries(), Strings{"b.dll"});
        EXPECT_TRUE(window.close());
    }
    const IniDocument ini = IniDocument::Parse(test::FileText(stores.ini));
    EXPECT_EQ(ini.Value("Settings", "ShowHiddenFolders"), "0");

    SettingsStorage storage = stores.Open();
    MainWindow again({"unused"}, &dialogs, &storage);
    EXPECT_FALSE(again.findPane()->tree()->showsHiddenFolders());
    EXPECT_FALSE(again.findPane()->tree()->showHiddenFoldersAction()->isChecked());
}

TEST_F(FindPaneTest, EachRowShowsTheFilesSmallIconBeforeItsName)
{
    fillFolder();
    ASSERT_TRUE(scan(root()));
    SearchListBox* list = pane->fileList();
    QTest::qWait(50); // the list lays out its rows on the event loop
    const QImage rows = list->viewport()->grab().toImage();
    // The icon area of the first row holds the sample's first icon (a coloured folder),
    // not just the list's background.
    const QColor background = list->palette().color(QPalette::Base);
    int coloured = 0;
    for (int y = 1; y < 17; ++y)
        for (int x = 2; x < 18; ++x)
            if (rows.pixelColor(x, y) != background) ++coloured;
    EXPECT_GT(coloured, 40);
}

} // namespace
} // namespace glyphora
