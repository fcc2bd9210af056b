// The folder dialog as a user drives it, with keys and clicks through its window: the path
// field, making and naming a folder, the selection in view when it opens, folders made on
// disk while it is open, and the arrow keys where the tree has nowhere to go.
#include "scan/qt/FolderDialog.h"
#include "scan/qt/FolderTree.h"

#include "platform/qt/QtPaths.h"
#include "tests/scan/qt/TreeNodes.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <string>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

using test::Child;
using test::kChangeShownWithinMs;

class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root() / "a" / "x");
        fs::create_directories(root() / "b");
    }
    void TearDown() override
    {
        dialog.reset();
        QThreadPool::globalInstance()->waitForDone(); // the trees' looks at the volumes
    }

    // Opens the dialog at folder, shown, with the tree's selection there.
    void open(const fs::path& folder)
    {
        dialog = std::make_unique<FolderDialog>();
        dialog->setTitle(QStringLiteral("Select folder to save images:"));
        dialog->setDirectory(folder);
        dialog->prepare();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->tree()->folder() == folder; }, 5000));
    }

    QWindow* window() const { return dialog->windowHandle(); }
    void click(QWidget* widget)
    {
        QTest::mouseClick(window(), Qt::LeftButton, {}, widget->mapTo(dialog.get(), widget->rect().center()));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window(), k, modifiers); }
    void type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClick(window(), c.toLatin1());
    }
    // Replaces the path field's text as a user does: click, select all, type, Enter.
    void enterPath(const QString& text)
    {
        click(dialog->pathField());
        key(Qt::Key_A, Qt::ControlModifier);
        type(text);
        key(Qt::Key_Return);
    }

    const fs::path& root() const { return folder.path(); }

    testing::TempFolder folder;
    std::unique_ptr<FolderDialog> dialog;
};

TEST_F(FolderDialogTest, ThePathFieldShowsTheSelectionAndTakesATypedFolder)
{
    open(root() / "a");
    EXPECT_EQ(dialog->pathField()->text(), QStringFromPath(root() / "a"));
    enterPath(QStringFromPath(root() / "b"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->directory(), root() / "b");

    // Relative to the selected folder; a new folder in one that exists is the caller's to make.
    open(root() / "a");
    enterPath(QStringLiteral("fresh"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->directory(), root() / "a" / "fresh");

    // A path that leads nowhere: the dialog stays, says so and moves the tree as far as it goes.
    open(root() / "a" / "x");
    const fs::path nowhere = root() / "missing" / "deeper";
    enterPath(QStringFromPath(nowhere));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->statusLabel()->isVisible());
    EXPECT_EQ(dialog->statusLabel()->text(), "File not found:\n" + QStringFromPath(nowhere));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->tree()->folder() == root(); }, 2000));
}

TEST_F(FolderDialogTest, NewFolderMakesAFolderInTheSelectedOneAndTakesItsName)
{
    open(root() / "a");
    EXPECT_EQ(dialog->newFolderButton()->text(), "&New Folder");
    click(dialog->newFolderButton());
    EXPECT_TRUE(fs::is_directory(root() / "a" / "New Folder"));
    FolderTree* tree = dialog->tree();
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), "New Folder");
    EXPECT_EQ(tree->folder(), root() / "a" / "New Folder");
    // Its name is open for editing, all of it selected: typing replaces it.
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    EXPECT_TRUE(tree->isAncestorOf(editor));
    type(QStringLiteral("icons"));
    key(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::is_directory(root() / "a" / "icons"); }, 2000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(fs::exists(root() / "a" / "New Folder"));
    EXPECT_EQ(tree->folder(), root() / "a" / "icons");
    EXPECT_EQ(dialog->pathField()->text(), QStringFromPath(root() / "a" / "icons"));
    EXPECT_TRUE(dialog->isVisible()); // Enter named the folder; it did not close the dialog

    // The next one takes the next free name; a name that is taken is refused and said so.
    fs::create_directory(root() / "a" / "New Folder");
    tree->setCurrentItem(tree->findFolderNode(root() / "a"));
    click(dialog->newFolderButton());
    EXPECT_TRUE(fs::is_directory(root() / "a" / "New Folder (2)"));
    type(QStringLiteral("icons"));
    key(Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_TRUE(fs::is_directory(root() / "a" / "New Folder (2)"));
    EXPECT_TRUE(dialog->statusLabel()->isVisible());
    EXPECT_TRUE(dialog->statusLabel()->text().startsWith(QStringLiteral("icons: ")));
    EXPECT_EQ(tree->currentItem()->text(0), "New Folder (2)");
}

// Many folders with long names: the tree scrolls both ways, and the row of the opening folder
// lies far down.
TEST_F(FolderDialogTest, TheOpeningFolderIsInViewNotUnderTheScrollBar)
{
    const std::string longName = "a folder with a name much longer than the dialog is wide, numbered ";
    for (int i = 10; i < 70; ++i)
        fs::create_directories(root() / "many" / (longName + std::to_string(i)));
    const fs::path target = root() / "many" / (longName + "65");
    open(target);
    QTest::qWait(50);
    FolderTree* tree = dialog->tree();
    ASSERT_TRUE(tree->horizontalScrollBar()->isVisible());
    const QRect row = tree->visualItemRect(tree->currentItem());
    EXPECT_TRUE(tree->viewport()->rect().contains(QRect(0, row.top(), 1, row.height())))
        << "row " << row.top() << ".." << row.bottom() << ", viewport height " << tree->viewport()->height();
}

// Made by another program while the dialog is open: inside the selected folder (which has not
// been opened and had no subfolders) and beside it.
TEST_F(FolderDialogTest, FoldersMadeWhileItIsOpenAppear)
{
    open(root() / "b");
    QTreeWidgetItem* b = dialog->tree()->currentItem();
    fs::create_directory(root() / "b" / "made meanwhile");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child(b, "made meanwhile") != nullptr; }, kChangeShownWithinMs));
    EXPECT_EQ(b->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    fs::create_directory(root() / "c");
    QTreeWidgetItem* beside = b->parent();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Child(beside, "c") != nullptr; }, kChangeShownWithinMs));
}

TEST_F(FolderDialogTest, RightAndLeftWhereTheTreeHasNowhereToGoDoNotScrollSideways)
{
    fs::create_directories(root() / std::string(200, 'w'));
    open(root() / "b");
    FolderTree* tree = dialog->tree();
    click(tree->viewport()); // the row under the click does not matter: the keys come next
    tree->setCurrentItem(tree->findFolderNode(root() / "b"));
    QScrollBar* sideways = tree->horizontalScrollBar();
    ASSERT_TRUE(sideways->isVisible());
    sideways->setValue(0);

    key(Qt::Key_Right); // b has no subfolders
    EXPECT_EQ(sideways->value(), 0);
    EXPECT_EQ(tree->folder(), root() / "b");
    EXPECT_FALSE(tree->currentItem()->isExpanded());

    tree->setCurrentItem(tree->findFolderNode(root() / "a"));
    tree->collapseItem(tree->currentItem());
    key(Qt::Key_Right); // opens a
    EXPECT_TRUE(tree->currentItem()->isExpanded());
    key(Qt::Key_Right); // enters it
    EXPECT_EQ(tree->folder(), root() / "a" / "x");
    key(Qt::Key_Left); // up again
    EXPECT_EQ(tree->folder(), root() / "a");
    EXPECT_EQ(sideways->value(), 0);

    while (tree->currentItem()->parent() != nullptr) {
        tree->collapseItem(tree->currentItem());
        key(Qt::Key_Left);
    }
    tree->collapseItem(tree->currentItem());
    const QTreeWidgetItem* top = tree->currentItem();
    key(Qt::Key_Left); // a top folder, closed: nowhere to go
    EXPECT_EQ(tree->currentItem(), top);
    EXPECT_EQ(sideways->value(), 0);
}

} // namespace
} // namespace glyphora
