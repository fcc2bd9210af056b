// The main window on the offscreen platform with scripted dialogs: start without arguments,
// opening files, the status bar, the recent list, copying and the keyboard commands.
#include "app/gui/FindPane.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "platform/Files.h"
#include "widgets/SearchListBox.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <array>
#include <fstream>
#include <map>
#include <gtest/gtest.h>

namespace glyphora {
namespace {

std::string Describe(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName().toStdString();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{}, &dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow(); // window shortcuts need the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    std::string Panel(StatusPanel panel) const { return window->statusPanel(panel)->text().toStdString(); }
    std::vector<QAction*> RecentEntries() const
    {
        std::vector<QAction*> entries;
        for (QAction* a : window->commands().menu(Menu::RecentFiles)->actions())
            if (a != window->commands().recentEmptyAction()) entries.push_back(a);
        return entries;
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartsWithItsOwnFileAsTheNewestRecentEntry)
{
    EXPECT_EQ(window->FileName(), ProgramFilePath());
    ASSERT_EQ(RecentEntries().size(), 1u);
    EXPECT_EQ(RecentEntries()[0]->statusTip().toStdString(), ProgramFilePath().string());
    EXPECT_TRUE(RecentEntries()[0]->isChecked());
    EXPECT_FALSE(window->commands().recentEmptyAction()->isVisible());
    // Our own executable has no icon resources: the grid shows its file-type icon.
    EXPECT_EQ(window->gridView()->grid()->Count(), 1);
    EXPECT_TRUE(window->gridView()->grid()->Associated());
    EXPECT_GE(window->frameGeometry().width(), 526);
    EXPECT_EQ(window->frameGeometry().size(), QSize(526, 455)) << "it starts at its minimum, frame included";
}

// The 526 x 455 minimum is the outer size: the frame the window system reports comes off
// the client area's minimum, so the framed window is exactly that large at its smallest
// (the offscreen platform gives top-level windows a frame of its own, as a window manager
// does).
TEST_F(MainWindowTest, TheMinimumSizeIsTheOuterSize)
{
    const QMargins frame = window->windowHandle()->frameMargins();
    ASSERT_FALSE(frame.isNull()) << "the check needs a window system that reports a frame";
    window->resize(100, 100);
    EXPECT_EQ(window->size(), window->minimumSize());
    EXPECT_EQ(window->frameGeometry().size(), QSize(526, 455));
    EXPECT_EQ(window->minimumSize(), QSize(526 - frame.left() - frame.right(), 455 - frame.top() - frame.bottom()));
    window->resize(700, 500); // larger stays as asked
    EXPECT_EQ(window->size(), QSize(700, 500));
}

TEST_F(MainWindowTest, SelectFileShowsTheSampleAndReportsTheFirstIcon)
{
    window->SelectFile(test::SampleModule());
    EXPECT_EQ(window->windowTitle().toStdString(), "glyphora-sample.dll"); // the desktop adds " — Glyphora"
    const IconGrid* grid = window->gridView()->grid();
    EXPECT_EQ(grid->Count(), 6);
    EXPECT_EQ(grid->ItemIndex(), 0);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{window->commands().popupButton(Command::Save),
                                                                      window->commands().softButton(Command::Copy),
                                                                      window->commands().softButton(Command::Refresh)})
        EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(window->exportSettings().columnCount, std::min(grid->ColCount(), 6));
    EXPECT_EQ(Panel(StatusPanel::Position), "1 / 6");
    EXPECT_EQ(Panel(StatusPanel::Images), "Images: 9") << "the first group holds nine images";
    EXPECT_EQ(Panel(StatusPanel::ColorDepth), "32-bit") << "its 32-pixel image carries alpha";

    window->gridView()->grid()->SetItemIndex(2);
    EXPECT_EQ(Panel(StatusPanel::Position), "3 / 6");
    window->gridView()->grid()->SetItemIndex(-1);
    EXPECT_EQ(Panel(StatusPanel::Position), "6");
    EXPECT_EQ(Panel(StatusPanel::Images), "");
    EXPECT_EQ(Panel(StatusPanel::ColorDepth), "");
}

// Every file shows at least its file-type icon; a file yields no icon at all only when no
// file-type icon can be found, which a provider without icons stands in for here.
class NoFileTypeIcons final : public FileTypeIconProvider {
public:
    IconHandle IconForFile(const std::filesystem::path&, int) const override { return {}; }
};

TEST_F(MainWindowTest, AFileWithoutIconsStillBecomesCurrentWithButtonsOff)
{
    window->SelectFile(test::SampleModule());
    EXPECT_TRUE(window->commands().popupButton(Command::Save)->isEnabled());
    testing::TempFolder folder;
    const auto empty = folder.path() / "notes.txt";
    std::ofstream(empty) << "no icons";
    const NoFileTypeIcons none;
    IconGrid& grid = *window->gridView()->grid();
    const FileTypeIconProvider& desktop = grid.FileTypeIcons();
    grid.SetFileTypeIcons(none);
    window->SelectFile(empty);
    grid.SetFileTypeIcons(desktop);
    EXPECT_EQ(window->FileName(), empty);
    EXPECT_EQ(window->gridView()->grid()->Count(), 0);
    EXPECT_FALSE(window->commands().popupButton(Command::Save)->isEnabled());
    EXPECT_FALSE(window->commands().softButton(Command::Copy)->isEnabled());
    EXPECT_FALSE(window->commands().softButton(Command::Refresh)->isEnabled());
    EXPECT_EQ(window->gridView()->grid()->MessageText(), "Unable to load or find icons in this file.");
    EXPECT_EQ(RecentEntries()[0]->text().toStdString(), "notes.txt");
    EXPECT_EQ(window->windowTitle().toStdString(), "notes.txt");
}

// A file shown with its file-type icon says so in the hint panel: one without icons of its
// own, or one that could not be read (a damaged module, a missing file). A file with icons
// takes the note back.
TEST_F(MainWindowTest, AFileShownWithItsFileTypeIconSaysWhy)
{
    testing::TempFolder folder;
    const std::string none = "This file holds no icons of its own; the icon shown is that of its file type.";
    const std::string unreadable = "This file could not be read; the icon shown is that of its file type.";
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder.path() / name, std::ios::binary) << bytes;
        return folder.path() / name;
    };
    struct Case {
        std::filesystem::path file;
        const std::string& note;
    } cases[] = {
        {write("notes.txt", "no icons in here"), none},
        {write("empty.dat", ""), none},
        {ProgramFilePath(), none}, // a program of this system, not a Windows module
        {write("broken.dll", "MZ this module ends before its headers"), unreadable},
        {write("named.exe", "not a module at all"), unreadable},
        {write("signed.bin", std::string("MZ\x90\0", 4) + std::string(80, '\x7f')), unreadable},
    };
    for (const Case& c : cases) {
        window->SelectFile(test::SampleModule());
        window->SelectFile(c.file);
        ASSERT_EQ(window->gridView()->grid()->Count(), 1) << c.file;
        ASSERT_TRUE(window->gridView()->grid()->Associated()) << c.file;
        EXPECT_EQ(window->statusText(StatusPanel::Hint).toStdString(), c.note) << c.file;
        EXPECT_EQ(Panel(StatusPanel::Images), "Images: 0") << c.file;
    }
    window->SelectFile(test::SampleModule());
    EXPECT_EQ(window->statusText(StatusPanel::Hint).toStdString(), "") << "the sample has icons of its own";
}

TEST_F(MainWindowTest, RecentListKeepsTwelveAndMovesPathsIgnoringCase)
{
    testing::TempFolder folder;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i <= 13; ++i) {
        files.push_back(folder.path() / ("file" + std::to_string(i) + ".txt"));
        std::ofstream(files.back()) << i;
        window->SelectFile(files.back());
    }
    std::vector<QAction*> entries = RecentEntries();
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[0]->statusTip().toStdString(), files[12].string());
    EXPECT_EQ(entries[11]->statusTip().toStdString(), files[1].string()); // file1 and our own file are gone
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](QAction* a) { return a->isChecked(); }), 1);

    std::string upper = files[5].string();
    upper.replace(upper.rfind("file6"), 5, "FILE6");
    window->SelectFile(upper);
    entries = RecentEntries();
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[0]->statusTip().toStdString(), upper);
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](QAction* a) { return a->text().compare("file6.txt", Qt::CaseInsensitive) == 0; }),
              1);

    entries[3]->trigger(); // ReopenFile
    EXPECT_EQ(window->FileName().string(), RecentEntries()[0]->statusTip().toStdString());
}

TEST_F(MainWindowTest, OpeningTheFileAlreadyShownDoesNothing)
{
    window->SelectFile(test::SampleModule());
    window->gridView()->grid()->SetItemIndex(3);
    dialogs.openAnswers.push_back(test::SampleModule());
    window->openFile();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, "Select file");
    EXPECT_EQ(dialogs.openRequests[0].filter.rfind("All supported files (*.exe *.dll ", 0), 0u);
    EXPECT_EQ(window->gridView()->grid()->ItemIndex(), 3); // not reloaded
}

// The open dialog (Ctrl+O through the window) offers first every kind of file the window
// reads, icon files included, then the executables, libraries and ActiveX files, the icon
// files on their own and any file; the first entry is the one preselected.
TEST_F(MainWindowTest, OpenDialogOffersAllSupportedFilesFirst)
{
    window->gridView()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    const std::string all = "*.exe *.dll *.ocx *.icl *.cpl *.scr *.drv *.sys *.mui *.efi *.ico";
    EXPECT_EQ(dialogs.openRequests[0].filter, "All supported files (" + all + ")|" + all +
                                                  "|Executable files (*.exe)|*.exe"
                                                  "|Dynamic-link libraries (*.dll)|*.dll"
                                                  "|ActiveX files (*.ocx)|*.ocx"
                                                  "|Icon files (*.ico)|*.ico"
                                                  "|Any file (*.*)|*.*");
}

TEST_F(MainWindowTest, CtrlCCopiesTheSelectedIconOnWhiteOrWarns)
{
    window->SelectFile(test::SampleModule());
    window->gridView()->grid()->SetItemIndex(-1);
    QTest::keyClick(window->gridView(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No icon is selected. Select an icon first.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);

    QTest::keyClick(window->gridView(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs.messages.size(), 1u); // Ctrl+Shift+C is no command

    QGuiApplication::clipboard()->clear();
    window->gridView()->grid()->SetItemIndex(0);
    QTest::keyClick(window->gridView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), QSize(32, 32));
    EXPECT_EQ(copied.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu); // transparent corners are white
}

struct KeyCommandCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    std::optional<Command> expected;
};

TEST(KeyCommands, TableOfTheWindowsKeys)
{
    const KeyCommandCase cases[] = {
        {Qt::Key_Escape, Qt::NoModifier, Command::StopScan},
        {Qt::Key_Escape, Qt::ShiftModifier, Command::StopScan},
        {Qt::Key_C, Qt::ControlModifier, Command::Copy},
        {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, std::nullopt},
        {Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, std::nullopt},
        {Qt::Key_C, Qt::NoModifier, std::nullopt},
        {Qt::Key_O, Qt::ControlModifier, Command::Open},
        {Qt::Key_P, Qt::ControlModifier, Command::Print},
        {Qt::Key_R, Qt::ControlModifier, Command::Refresh},
        {Qt::Key_S, Qt::ControlModifier, Command::SaveSelected},
        {Qt::Key_S, Qt::ShiftModifier, std::nullopt},
        {Qt::Key_F1, Qt::NoModifier, Command::Help},
        {Qt::Key_F1, Qt::ControlModifier, Command::Help},
        {Qt::Key_X, Qt::ControlModifier, std::nullopt},
    };
    for (const KeyCommandCase& c : cases)
        EXPECT_EQ(CommandForKey(c.key, c.modifiers), c.expected) << c.key << " " << c.modifiers.toInt();
}

// A key that two actions of the window carried would be ambiguous to Qt and run neither: every
// key sequence of the window belongs to one action, and each is the key of its command.
TEST_F(MainWindowTest, EveryKeyOfTheWindowBelongsToOneAction)
{
    std::map<QString, QString> owner;
    for (QAction* action : window->QWidget::actions()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const auto [where, fresh] = owner.emplace(key.toString(), action->objectName());
            EXPECT_TRUE(fresh) << key.toString().toStdString() << ": " << where->second.toStdString() << " and "
                               << action->objectName().toStdString();
            EXPECT_TRUE(CommandForKey(key[0].key(), key[0].keyboardModifiers()).has_value())
                << key.toString().toStdString();
        }
    }
    EXPECT_EQ(owner.size(), 5u + 8u + 8u) << "Ctrl+C, O, P, R, S; Escape and F1 with any modifiers";
}

// One key press runs its command once, whether the grid or a toolbar button has the focus
// (a command that opens a dialog must not run again when the dialog closes).
TEST_F(MainWindowTest, OneKeyPressRunsItsCommandOnce)
{
    window->SelectFile(test::SampleModule());
    // A modal dialog takes the focus; when it closes the window may have none for a moment.
    dialogs.whileOpen = [] {
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    };
    for (QWidget* focus : {static_cast<QWidget*>(window->gridView()),
                           static_cast<QWidget*>(window->commands().popupButton(Command::Open))}) {
        SCOPED_TRACE(focus->objectName().toStdString());
        const std::size_t opens = dialogs.openRequests.size(), saves = dialogs.saveRequests.size(),
                          messages = dialogs.messages.size();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_O, Qt::ControlModifier); // the dialog is cancelled
        EXPECT_EQ(dialogs.openRequests.size(), opens + 1);
        window->gridView()->grid()->SetItemIndex(0);
        QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier); // the save dialog is cancelled
        EXPECT_EQ(dialogs.saveRequests.size(), saves + 1);
        window->gridView()->grid()->SetItemIndex(-1);
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(dialogs.messages.size(), messages + 1); // one "No icon is selected" warning
    }
}

TEST_F(MainWindowTest, KeysReachTheirCommandsThroughTheWindow)
{
    window->SelectFile(test::SampleModule());
    window->commands().setCondition(Condition::Scanning, true); // Escape stops a scan only while one runs
    EXPECT_FALSE(window->findPane()->isStopRequested());
    QTest::keyClick(window->gridView(), Qt::Key_Escape);
    EXPECT_TRUE(window->findPane()->isStopRequested());
    window->commands().setCondition(Condition::Scanning, false);

    QTest::keyClick(window->gridView(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    QTest::keyClick(window->gridView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u); // icon 0 is selected, the save dialog asks

    window->gridView()->grid()->SetItemIndex(4);
    QTest::keyClick(window->gridView(), Qt::Key_R, Qt::ControlModifier); // Refresh reloads: nothing selected
    EXPECT_EQ(window->gridView()->grid()->ItemIndex(), -1);
    EXPECT_EQ(window->gridView()->grid()->Count(), 6);
}

TEST_F(MainWindowTest, IconSizeItemsSwitchTheGridAndSelectTheFirstIcon)
{
    window->SelectFile(test::SampleModule());
    window->commands().action(Command::SmallIcons)->trigger();
    EXPECT_TRUE(window->commands().action(Command::SmallIcons)->isChecked());
    EXPECT_FALSE(window->commands().action(Command::LargeIcons)->isChecked());
    EXPECT_TRUE(window->settings().smallIcons);
    EXPECT_EQ(window->gridView()->grid()->Model().ItemWidth(), 16);
    EXPECT_EQ(window->gridView()->grid()->Model().RowHeight(), 26);
    EXPECT_EQ(window->gridView()->grid()->ItemIndex(), 0);
    window->commands()
        .action(Command::SmallIcons)
        ->trigger(); // clicking the checked item removes its mark: large icons again
    EXPECT_FALSE(window->commands().action(Command::SmallIcons)->isChecked());
    EXPECT_EQ(window->gridView()->grid()->Model().ItemWidth(), 32);
}

// The icons are read again at the new size, and the icon the user was looking at stays
// selected, in both directions and in the status bar.
TEST_F(MainWindowTest, TheSelectionSurvivesAnIconSizeChange)
{
    window->SelectFile(test::SampleModule());
    IconGrid* grid = window->gridView()->grid();
    for (const int index : {3, 5, 1}) {
        grid->SetItemIndex(index);
        window->commands().action(Command::SmallIcons)->trigger();
        ASSERT_EQ(grid->Model().ItemWidth(), 16);
        EXPECT_EQ(grid->ItemIndex(), index) << "to small icons";
        EXPECT_EQ(Panel(StatusPanel::Position), std::to_string(index + 1) + " / 6");
        window->commands().action(Command::LargeIcons)->trigger();
        ASSERT_EQ(grid->Model().ItemWidth(), 32);
        EXPECT_EQ(grid->ItemIndex(), index) << "back to large icons";
    }
    // Without a selection the first icon is selected, as after opening a file.
    grid->SetItemIndex(-1);
    window->commands().action(Command::SmallIcons)->trigger();
    EXPECT_EQ(grid->ItemIndex(), 0);
}

TEST_F(MainWindowTest, DroppedFilesOpenTheFirstAndSayWhenThereWereMore)
{
    window->openDroppedFiles({QString::fromStdString(test::SampleModule().string()), QStringLiteral("/tmp/other.dll")});
    EXPECT_EQ(window->FileName(), test::SampleModule());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Only the first of the dropped files has been opened.");
}

// Files dragged from another program onto the grid or onto the find pane's list: the window
// comes to the front as the active window, the first file opens, and the grid's hint, which
// invites a drop, is off from then on.
TEST_F(MainWindowTest, ADropBringsTheWindowToTheFrontAndEndsTheGridsHint)
{
    window->findPane()->setPaneVisible(true);
    // Without the separate window, whose showing could bring the window up on its own.
    window->commands().action(Command::ShowIconWindow)->trigger();
    ASSERT_FALSE(window->commands().action(Command::ShowIconWindow)->isChecked());
    QCoreApplication::processEvents();
    ASSERT_FALSE(window->gridView()->statusTip().isEmpty());
    QWidget otherProgram;
    otherProgram.resize(200, 100);
    otherProgram.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&otherProgram));

    const std::pair<QWidget*, std::filesystem::path> drops[] = {
        {window->gridView()->viewport(), test::SampleModule()},
        {window->findPane()->fileList()->viewport(), test::SampleIcon()},
    };
    for (const auto& [target, file] : drops) {
        SCOPED_TRACE(target->parentWidget()->objectName().toStdString());
        otherProgram.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&otherProgram));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
        const QPointF at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(target->acceptDrops()) << "the desktop delivers drops only where they are accepted";
        ASSERT_TRUE(enter.isAccepted()) << "the drop is refused";
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_EQ(window->FileName(), file);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }, 2000))
            << "the active window is "
            << (QApplication::activeWindow() ? Describe(QApplication::activeWindow()) : "none");
        EXPECT_EQ(window->gridView()->statusTip(), QString());
    }
    // A language switch gives the grid no hint again.
    window->commands().members(Command::Language)[0]->trigger();
    EXPECT_EQ(window->gridView()->statusTip(), QString());
}

TEST_F(MainWindowTest, StatusPanelsFollowTheWindowWidth)
{
    // Wide enough for every text: the panels take their shares of the window.
    window->resize(1600, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->statusPanel(StatusPanel::Hint)->width(), window->width() / 2);
    EXPECT_EQ(window->statusPanel(StatusPanel::Position)->width(), window->width() / 10);
    EXPECT_EQ(window->statusPanel(StatusPanel::Images)->width(), window->width() / 6);
    EXPECT_GE(window->statusPanel(StatusPanel::ColorDepth)->width(), 50);
}

TEST(StatusPanelLayout, ReportPanelsNeverGetNarrowerThanTheirTexts)
{
    struct Case {
        int windowWidth;
        std::array<int, 4> minimums;
        std::array<int, 4> expected;
    };
    const Case cases[] = {
        {800, {0, 40, 60, 30}, {400, 80, 133, 50}},  // wide enough: the window's fractions
        {526, {0, 90, 60, 30}, {263, 90, 87, 50}},   // a position needs more than a tenth
        {526, {0, 90, 120, 80}, {212, 90, 120, 80}}, // a large font: the path panel gives way
        {200, {0, 90, 120, 80}, {0, 90, 120, 80}},   // nothing left for the path panel
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusPanelWidths(c.windowWidth, c.minimums), c.expected) << c.windowWidth;
}

TEST(WindowMinimumSizeTest, StaysWithinTheScreen)
{
    EXPECT_EQ(WindowMinimumSize({526, 455}, {1280, 900}), QSize(526, 455));
    EXPECT_EQ(WindowMinimumSize({526, 455}, {640, 450}), QSize(526, 450)); // 1280 x 900 at scale 2
    EXPECT_EQ(WindowMinimumSize({526, 455}, {}), QSize(526, 455));         // no screen known
    // The frame's margins come off the outer size, after it is bounded by the screen.
    EXPECT_EQ(WindowMinimumSize({526, 455}, {1280, 900}, QMargins(4, 28, 4, 4)), QSize(518, 423));
    EXPECT_EQ(WindowMinimumSize({526, 455}, {640, 450}, QMargins(1, 20, 1, 1)), QSize(524, 429));
    EXPECT_EQ(WindowMinimumSize({526, 455}, {}, QMargins(2, 2, 2, 2)), QSize(522, 451));
}

// A much larger font (another style, a high scale, a user's choice): the report texts fit,
// the find strip's label does not run under its spin box, and a long path is elided.
TEST_F(MainWindowTest, LayoutHoldsWithALargeFont)
{
    QFont big = window->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    window->setFont(big);
    window->resize(526, 455);
    window->SelectFile(GLYPHORA_BUILD_DIR "/samples/glyphora-many.dll");
    window->gridView()->grid()->SetItemIndex(183);
    window->findPane()->setPaneVisible(true); // the find strip's label and box show with the pane
    QApplication::processEvents();
    for (StatusPanel panel : {StatusPanel::Position, StatusPanel::Images, StatusPanel::ColorDepth}) {
        const QLabel* label = window->statusPanel(panel);
        const int shown = static_cast<int>(panel);
        EXPECT_EQ(label->text(), window->statusText(panel)) << shown; // shown whole, not elided
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << shown;
    }
    EXPECT_EQ(window->statusText(StatusPanel::Position).toStdString(), "184 / 200");

    const auto* label = window->findChild<QLabel*>(QStringLiteral("minimumCountLabel"));
    const auto* box = window->findChild<QWidget*>(QStringLiteral("minimumCountBox"));
    ASSERT_TRUE(label && box);
    EXPECT_LE(label->geometry().right(), box->geometry().left());
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
}

TEST_F(MainWindowTest, LongPathsInTheStatusBarAreElidedInTheMiddle)
{
    testing::TempFolder folder;
    const std::filesystem::path deep =
        folder.path() / "a very long folder name that goes on" / "and on and on until it" / "cannot fit in any panel";
    std::filesystem::create_directories(deep);
    const std::string longPath = (deep / "file.dll").string();
    std::filesystem::copy_file(test::SampleModule(), longPath);
    window->resize(526, 455);
    window->SelectFile(longPath);
    QApplication::processEvents();
    RecentEntries()[0]->hover(); // hovering a recent entry shows its path
    const QLabel* panel = window->statusPanel(StatusPanel::Hint);
    EXPECT_EQ(window->statusText(StatusPanel::Hint).toStdString(), longPath);
    EXPECT_TRUE(panel->text().contains(QChar(0x2026))) << panel->text().toStdString();
    EXPECT_TRUE(panel->text().endsWith(QStringLiteral("file.dll")));
    EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()), panel->contentsRect().width());
}

} // namespace
} // namespace glyphora
