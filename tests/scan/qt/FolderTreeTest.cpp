// The folder tree over a temporary folder: reading branches on expansion, selecting by path,
// watched branches following subfolders that appear, go or are renamed (and ignoring files),
// the computer node without a path, and the folder dialog built on the tree.
#include "scan/qt/FolderDialog.h"
#include "scan/qt/FolderTree.h"

#include "app/gui/QtDialogService.h"
#include "platform/qt/QtPaths.h"
#include "tests/scan/qt/TreeNodes.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

using test::Child;
using test::ChildTexts;
using test::kChangeShownWithinMs;

// A tree whose only root is a temporary folder holding a/x, b (empty) and C.
class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root() / "a" / "x");
        fs::create_directories(root() / "b");
        fs::create_directories(root() / "C");
        std::ofstream(root() / "file.dll") << "not a folder";
        // The tree also asks for its roots from a pool thread every few seconds.
        tree = std::make_unique<FolderTree>(nullptr, [this] {
            const std::lock_guard lock(drivesMutex);
            return std::vector<FolderRoot>{{FolderRootKind::Home, QStringLiteral("Scratch"), root(), {}},
                                           {FolderRootKind::Computer, QStringLiteral("Computer"), {}, computerDrives}};
        });
        tree->watcher().setSettleTime(50);
        QSignalSpy built(tree.get(), &FolderTree::rootsBuilt);
        EXPECT_TRUE(built.wait(2000));
    }

    void TearDown() override
    {
        tree.reset();
        QThreadPool::globalInstance()->waitForDone(); // no look at the roots outlives the test
    }
    void setDrives(std::vector<FolderRoot> drives)
    {
        const std::lock_guard lock(drivesMutex);
        computerDrives = std::move(drives);
    }

    const fs::path& root() const { return folder.path(); }
    QTreeWidgetItem* top() const { return tree->topLevelItem(0); }
    QTreeWidgetItem* selectAndWait(const fs::path& path)
    {
        tree->setFolder(path);
        QTest::qWait(0);
        QCoreApplication::processEvents();
        return tree->currentItem();
    }

    testing::TempFolder folder;
    std::mutex drivesMutex;
    std::vector<FolderRoot> computerDrives;
    std::unique_ptr<FolderTree> tree;
};

TEST_F(FolderTreeTest, TheFirstRootIsReadWatchedAndOpenAtStart)
{
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_TRUE(top()->isExpanded());
    EXPECT_TRUE(tree->isRead(top()));
    EXPECT_TRUE(tree->isWatched(top()));
    // Subfolders only, by name ignoring case.
    EXPECT_EQ(ChildTexts(top()), (QStringList{"a", "b", "C"}));
    EXPECT_EQ(tree->nodeType(top()), FolderNodeType::Home);
    EXPECT_EQ(tree->pathOf(Child(top(), "a")), root() / "a");
    // Nothing is read below a node before it is expanded.
    EXPECT_FALSE(tree->isRead(Child(top(), "a")));
    EXPECT_EQ(tree->folder(), fs::path());
}

TEST_F(FolderTreeTest, ExpandingReadsTheBranchAndAFolderWithoutSubfoldersStaysClosed)
{
    QTreeWidgetItem* a = Child(top(), "a");
    a->setExpanded(true);
    EXPECT_TRUE(a->isExpanded());
    EXPECT_EQ(ChildTexts(a), QStringList{"x"});
    EXPECT_TRUE(tree->isWatched(a));

    QTreeWidgetItem* b = Child(top(), "b");
    b->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator); // as a file system without subfolder counts shows it
    b->setExpanded(true);
    EXPECT_FALSE(b->isExpanded());
    EXPECT_EQ(b->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_TRUE(tree->isRead(b));
}

TEST_F(FolderTreeTest, SetFolderSelectsTheDeepestExistingNodeOnceTheLoopRuns)
{
    QSignalSpy changed(tree.get(), &FolderTree::folderChanged);
    tree->setFolder(root() / "a" / "x");
    EXPECT_EQ(tree->folder(), fs::path()); // not before the event loop has run
    QCoreApplication::processEvents();
    EXPECT_EQ(tree->folder(), root() / "a" / "x");
    EXPECT_TRUE(tree->isRead(Child(top(), "a")));
    EXPECT_EQ(changed.count(), 1);

    EXPECT_EQ(tree->pathOf(selectAndWait(root() / "C" / "missing" / "deeper")), root() / "C");
    EXPECT_EQ(tree->pathOf(selectAndWait(root().string() + "/a/./x/")), root() / "a" / "x");
    // A path that no root leads to clears the selection.
    EXPECT_EQ(selectAndWait(root().parent_path()), nullptr);
    EXPECT_EQ(tree->folder(), fs::path());
    EXPECT_EQ(tree->findFolderNode(fs::path()), nullptr);
}

// Hidden folders are listed; "Show Hidden Folders" in the context menu leaves them out, and a
// path that leads into one then still reveals it. The selection keeps its folder throughout.
TEST_F(FolderTreeTest, HiddenFoldersAreListedUnlessTheContextMenuLeavesThemOut)
{
    fs::create_directories(root() / ".hidden" / "inner");
    tree->refreshBranch(top());
    EXPECT_EQ(ChildTexts(top()), (QStringList{".hidden", "a", "b", "C"}));

    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    // A right click through the window system, which makes the context menu event of it.
    QTest::mouseClick(tree->windowHandle(), Qt::RightButton, {}, tree->viewport()->mapTo(tree.get(), QPoint(20, 5)));
    QMenu* menu = tree->contextMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    QAction* showHidden = tree->showHiddenFoldersAction();
    EXPECT_EQ(showHidden->text(), "Show Hidden Folders");
    EXPECT_TRUE(showHidden->isChecked());
    QSignalSpy switched(tree.get(), &FolderTree::showHiddenFoldersChanged);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(showHidden).center());
    EXPECT_FALSE(tree->showsHiddenFolders());
    EXPECT_EQ(switched.count(), 1);
    EXPECT_EQ(ChildTexts(top()), (QStringList{"a", "b", "C"}));

    EXPECT_EQ(tree->pathOf(selectAndWait(root() / ".hidden" / "inner")), root() / ".hidden" / "inner");
    EXPECT_EQ(ChildTexts(top()), (QStringList{"a", "b", "C", ".hidden"}));

    // Listed again, the revealed folder takes its place in the order and stays selected.
    QSignalSpy changed(tree.get(), &FolderTree::folderChanged);
    tree->setShowHiddenFolders(true);
    EXPECT_TRUE(showHidden->isChecked());
    EXPECT_EQ(ChildTexts(top()), (QStringList{".hidden", "a", "b", "C"}));
    EXPECT_EQ(tree->folder(), root() / ".hidden" / "inner");
    EXPECT_EQ(changed.count(), 0);
    // Left out again with the selection inside: it stays there, the folder revealed once more.
    tree->setShowHiddenFolders(false);
    EXPECT_EQ(tree->folder(), root() / ".hidden" / "inner");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(switched.count(), 3);
}

#ifdef __linux__
// Told by the file system's type: a link into the process table is no folder to show.
TEST_F(FolderTreeTest, FoldersOnPseudoFileSystemsAreNotShown)
{
    fs::create_directory_symlink("/proc", root() / "processes");
    fs::create_directory_symlink(root() / "a", root() / "linked");
    tree->refreshBranch(top());
    EXPECT_EQ(ChildTexts(top()), (QStringList{"a", "b", "C", "linked"}));
    EXPECT_EQ(tree->pathOf(selectAndWait(root() / "processes" / "self")), root());
}
#endif

TEST_F(FolderTreeTest, ANewSubfolderShowsAndARemovedOneGoes)
{
    QTreeWidgetItem* a = Child(top(), "a");
    a->setExpanded(true);
    fs::create_directory(root() / "a" / "new");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child(a, "new") != nullptr; }, kChangeShownWithinMs));
    EXPECT_EQ(ChildTexts(a), (QStringList{"new", "x"}));
    EXPECT_TRUE(a->isExpanded()); // re-read as it was: open

    Child(a, "new")->setExpanded(true); // read and watched
    EXPECT_TRUE(tree->watcher().isWatching(root() / "a" / "new"));
    fs::remove(root() / "a" / "new");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child(a, "new") == nullptr; }, kChangeShownWithinMs));
    EXPECT_FALSE(tree->watcher().isWatching(root() / "a" / "new"));

    fs::rename(root() / "C", root() / "D");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child(top(), "D") != nullptr; }, kChangeShownWithinMs));
    EXPECT_EQ(ChildTexts(top()), (QStringList{"a", "b", "D"}));
}

TEST_F(FolderTreeTest, ABranchKeepsItsNodesAndASelectionInAFolderThatWentMovesUp)
{
    ASSERT_NE(selectAndWait(root() / "a" / "x"), nullptr);
    QTreeWidgetItem* a = Child(top(), "a");
    QTreeWidgetItem* x = Child(a, "x");
    QSignalSpy changed(tree.get(), &FolderTree::folderChanged);
    fs::create_directory(root() / "a" / "y");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child(a, "y") != nullptr; }, kChangeShownWithinMs));
    EXPECT_EQ(Child(a, "x"), x); // the same node, still selected
    EXPECT_EQ(tree->currentItem(), x);
    EXPECT_EQ(changed.count(), 0);

    fs::rename(root() / "a" / "x", root() / "a" / "z");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child(a, "z") != nullptr; }, kChangeShownWithinMs));
    EXPECT_EQ(ChildTexts(a), (QStringList{"y", "z"}));
    EXPECT_EQ(tree->folder(), root() / "a");
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(FolderTreeTest, FilesComingAndGoingLeaveTheBranchAlone)
{
    ASSERT_NE(selectAndWait(root() / "a" / "x"), nullptr);
    QSignalSpy changed(tree.get(), &FolderTree::folderChanged);
    QSignalSpy reported(&tree->watcher(), &FolderWatcher::folderChanged);
    std::ofstream(root() / "a" / "library.dll") << "a file";
    // The watcher reports the folder, the tree finds no subfolder change and keeps its nodes.
    ASSERT_TRUE(reported.wait(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(tree->folder(), root() / "a" / "x");
}

TEST_F(FolderTreeTest, NodesWithoutAPathGiveAnEmptyFolder)
{
    QTreeWidgetItem* computer = tree->topLevelItem(1);
    EXPECT_EQ(tree->nodeType(computer), FolderNodeType::Computer);
    tree->setCurrentItem(computer);
    EXPECT_EQ(tree->folder(), fs::path());
    EXPECT_EQ(tree->pathOf(nullptr), fs::path());
    EXPECT_EQ(tree->nodeType(nullptr), FolderNodeType::None);
}

TEST_F(FolderTreeTest, VolumesThatComeAndGoAreAddedAndRemoved)
{
    fs::create_directories(root() / "volume");
    setDrives({{FolderRootKind::Drive, QStringLiteral("Volume"), root() / "volume", {}}});
    tree->refreshDrives();
    QTreeWidgetItem* computer = tree->topLevelItem(1);
    ASSERT_EQ(ChildTexts(computer), QStringList{"Volume"});
    EXPECT_EQ(tree->nodeType(computer->child(0)), FolderNodeType::Drive);

    ASSERT_EQ(tree->pathOf(selectAndWait(root() / "volume")), root() / "volume");
    setDrives({});
    tree->refreshDrives();
    EXPECT_EQ(computer->childCount(), 0);
}

TEST_F(FolderTreeTest, VolumesAreLookedAtAgainEveryFewSeconds)
{
    fs::create_directories(root() / "mounted");
    setDrives({{FolderRootKind::Drive, QStringLiteral("Mounted"), root() / "mounted", {}}});
    QTreeWidgetItem* computer = tree->topLevelItem(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return computer->childCount() == 1; }, 10000));
    EXPECT_EQ(computer->child(0)->text(0), "Mounted");
}

TEST_F(FolderTreeTest, TheFolderDialogReturnsTheChosenFolderAndKeepsItOnCancel)
{
    FolderDialog dialog;
    dialog.setTitle(QStringLiteral("Select folder to save images:"));
    dialog.setDirectory(root() / "a" / "x");
    dialog.prepare();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.tree()->folder() == root() / "a" / "x"; }, 5000));
    EXPECT_EQ(dialog.pathField()->text(), QStringFromPath(root() / "a" / "x"));

    dialog.tree()->setCurrentItem(dialog.tree()->findFolderNode(root() / "C"));
    EXPECT_EQ(dialog.pathField()->text(), QStringFromPath(root() / "C"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.directory(), root() / "C");

    FolderDialog again;
    again.setDirectory(root() / "b");
    QTimer::singleShot(0, &again, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return again.tree()->folder() == root() / "b"; }, 5000));
        again.reject();
    });
    EXPECT_FALSE(again.execute());
    EXPECT_EQ(again.directory(), root() / "b");
}

// The window's folder question runs the dialog modally and hands back what was chosen.
TEST_F(FolderTreeTest, TheWindowsFolderQuestionUsesTheFolderDialog)
{
    QtDialogService dialogs(nullptr);
    QTimer::singleShot(0, [&] {
        FolderDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<FolderDialog*>(widget); shown && shown->isVisible()) dialog = shown;
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Pick one"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->tree()->folder() == root() / "a"; }, 5000));
        dialog->accept();
    });
    EXPECT_EQ(dialogs.ChooseFolder("Pick one", root() / "a"), std::optional<fs::path>(root() / "a"));
}

} // namespace
} // namespace glyphora
