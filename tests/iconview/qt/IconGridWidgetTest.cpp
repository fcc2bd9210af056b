// The icon grid widgets on the bundled sample module (six icons): layout for a width,
// selection by mouse, keys and wheel, the select event, the hint texts, dropped files and the
// cells of a HiDPI screen.
#include "iconengine/IconExtraction.h"
#include "iconview/qt/IconGridView.h"
#include "platform/qt/QtImageConversion.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

class IconGridWidgetTest : public ::testing::Test {
protected:
    // A scroll box whose client area is clientWidth x clientHeight pixels.
    void Open(int clientWidth, int clientHeight, const std::filesystem::path& file = test::SampleModule())
    {
        box.setFrameShape(QFrame::NoFrame);
        box.resize(clientWidth, clientHeight);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.SetOnSelectItem([this](int index) { selected.push_back(index); });
        grid()->SetFileName(file);
    }
    IconGrid* grid() { return box.grid(); }

    IconGridView box;
    std::vector<int> selected;
};

TEST_F(IconGridWidgetTest, LaysTheIconsOutForTheClientWidth)
{
    Open(130, 300);
    EXPECT_EQ(grid()->Count(), 6);
    EXPECT_EQ(grid()->Model().ColWidth(), 42);
    EXPECT_EQ(grid()->ColCount(), 3);
    EXPECT_EQ(grid()->Model().RowCount(), 2);
    EXPECT_EQ(grid()->height(), 2 * 42 + 2);
    EXPECT_EQ(grid()->width(), 130);
    EXPECT_EQ(grid()->ItemIndex(), -1); // a reload selects nothing and reports nothing
    EXPECT_TRUE(selected.empty());

    box.resize(300, 300); // one row of six after a resize
    QApplication::processEvents();
    EXPECT_EQ(grid()->ColCount(), 7);
    EXPECT_EQ(grid()->Model().RowCount(), 1);
}

TEST_F(IconGridWidgetTest, ClickSelectsTheCellUnderTheMouseOrTheLastIcon)
{
    Open(130, 300);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, QPoint(42 + 20, 42 + 20)); // row 1, column 1
    EXPECT_EQ(grid()->ItemIndex(), 4);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(grid()->ItemIndex(), 0);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, QPoint(2 * 42 + 20, 42 + 40)); // past the last icon
    EXPECT_EQ(grid()->ItemIndex(), 5);
    EXPECT_EQ(selected, (std::vector<int>{4, 0, 5}));
    EXPECT_TRUE(box.hasFocus() || QApplication::focusWidget() == nullptr);
}

struct KeyCase {
    int start; // -1: nothing selected
    Qt::Key key;
    int expected;
};

// Six icons in four columns (two rows; the scroll bar takes its width off 200), a client
// area one row high (v = 1).
TEST_F(IconGridWidgetTest, EveryKeyOfTheKeyTableMovesAsTheTableSays)
{
    Open(200, 50);
    ASSERT_EQ(grid()->ColCount(), 4);
    const KeyCase cases[] = {
        {-1, Qt::Key_Right, 0},   {-1, Qt::Key_Down, 3},    {-1, Qt::Key_Left, -1}, {-1, Qt::Key_Up, -1},
        {-1, Qt::Key_PageUp, -1}, {-1, Qt::Key_Home, 0},    {-1, Qt::Key_End, 5},   {4, Qt::Key_Left, 3},
        {0, Qt::Key_Left, 0},     {4, Qt::Key_Right, 5},    {5, Qt::Key_Right, 5},  {5, Qt::Key_Up, 1},
        {1, Qt::Key_Up, 1},       {1, Qt::Key_Down, 5},     {2, Qt::Key_Down, 2},   {1, Qt::Key_PageDown, 5},
        {2, Qt::Key_PageDown, 2}, {5, Qt::Key_PageDown, 5}, {5, Qt::Key_PageUp, 1}, {0, Qt::Key_PageUp, 0},
        {3, Qt::Key_PageUp, 3},   {3, Qt::Key_Home, 0},     {1, Qt::Key_End, 5},
    };
    for (const KeyCase& c : cases) {
        grid()->SetItemIndex(-1);
        grid()->SetItemIndex(c.start);
        QTest::keyClick(&box, c.key);
        EXPECT_EQ(grid()->ItemIndex(), c.expected) << "start " << c.start << " key " << c.key;
    }
}

TEST_F(IconGridWidgetTest, ArrowKeysKeepTheFocusAndOtherKeysAreNotConsumed)
{
    Open(130, 50);
    QLineEdit other(box.parentWidget());
    box.setFocus();
    grid()->SetItemIndex(0);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    EXPECT_TRUE(QApplication::sendEvent(&box, &right));
    EXPECT_TRUE(right.isAccepted());
    EXPECT_EQ(grid()->ItemIndex(), 1);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&box, &letter);
    EXPECT_EQ(grid()->ItemIndex(), 1);
}

TEST_F(IconGridWidgetTest, SelectingARowBelowTheViewScrollsByTheIncrement)
{
    Open(130, 50);
    EXPECT_EQ(box.verticalScrollBar()->singleStep(), 42);
    grid()->SetItemIndex(4); // row 1 ends at 84 - 6 = 78 > 50
    EXPECT_EQ(box.verticalScrollBar()->value(), box.verticalScrollBar()->maximum());
    EXPECT_GT(box.verticalScrollBar()->value(), 0);
    grid()->SetItemIndex(0);
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
}

TEST_F(IconGridWidgetTest, OneWheelStepActsAsOneUpOrDownKey)
{
    Open(130, 300);
    grid()->SetItemIndex(1);
    const QPointF at(10, 10);
    QWheelEvent down(at, box.mapToGlobal(at.toPoint()), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(box.viewport(), &down);
    EXPECT_EQ(grid()->ItemIndex(), 4);
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    QWheelEvent up(at, box.mapToGlobal(at.toPoint()), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(box.viewport(), &up);
    EXPECT_EQ(grid()->ItemIndex(), 1);
}

TEST_F(IconGridWidgetTest, HintTextsFollowTheIconCount)
{
    grid()->SetText("hint");
    grid()->SetUnableToLoadOrFindIconsMsg("no icons");
    EXPECT_EQ(grid()->MessageText(), "hint"); // empty grid, no file yet
    Open(130, 300);
    EXPECT_EQ(grid()->MessageText(), ""); // six icons: no hint
    EXPECT_EQ(grid()->Model().RowCount(), 2);
    // One icon of an open file (an icon file, or the file-type icon of any other file): the
    // invitation to open a file does not stand beside it.
    for (const std::filesystem::path& file :
         {test::SampleIcon(), std::filesystem::path(GLYPHORA_SOURCE_DIR "/README.md")}) {
        grid()->SetFileName(file);
        EXPECT_EQ(grid()->Count(), 1) << file;
        EXPECT_EQ(grid()->MessageText(), "") << file;
    }
}

TEST_F(IconGridWidgetTest, PaintsTheSelectedCellInTheHighlightColour)
{
    Open(130, 300);
    grid()->SetItemIndex(1);
    const QImage painted = grid()->grab().toImage();
    const GridRect selectedCell = grid()->Model().CellRect(1);
    const GridRect otherCell = grid()->Model().CellRect(2);
    const QRgb highlight = grid()->palette().color(QPalette::Highlight).rgb();
    const QRgb base = box.palette().color(QPalette::Base).rgb();
    EXPECT_EQ(painted.pixel(selectedCell.left + 2, selectedCell.bottom - 2), highlight);
    EXPECT_EQ(painted.pixel(otherCell.left + 2, otherCell.bottom - 2), base);
    // Icon 1 is drawn over the highlight: its icon rectangle holds colours other than both.
    const GridRect icon = grid()->Model().IconRect(1);
    int drawn = 0;
    for (int y = icon.top; y < icon.bottom; ++y)
        for (int x = icon.left; x < icon.right; ++x)
            drawn += painted.pixel(x, y) != highlight;
    EXPECT_GT(drawn, 100);
}

TEST_F(IconGridWidgetTest, TheHintIsPaintedInSilverInTheMiddle)
{
    grid()->SetText("Drop a file here");
    box.resize(300, 200);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QImage painted = grid()->grab().toImage();
    int silver = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            silver += (painted.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0;
    EXPECT_GT(silver, 20);
}

TEST_F(IconGridWidgetTest, AtTwoDevicePixelsACellIsDrawnFromTheImageForItsPhysicalSize)
{
    Open(130, 300);
    const QColor white(Qt::white);
    for (const int index : {0, 1}) { // FOLDER (up to 48 x 48) and MAINICON (up to 256 x 256)
        SCOPED_TRACE(index);
        const QImage cell = grid()->CellImage(index, white, 2.0);
        EXPECT_EQ(cell.size(), QSize(64, 64));
        EXPECT_EQ(cell.devicePixelRatio(), 2.0) << "laid out at 32 x 32 logical pixels";
        const IconHandle sharp = ExtractFileIcons(test::SampleModule(), 64, index, 1).at(0);
        EXPECT_EQ(cell, RenderIcon(sharp, 64, 64, 0xFFFFFF));
        const QImage blurred = RenderIcon(grid()->GetIcon(index), 64, 64, 0xFFFFFF);
        EXPECT_NE(cell, blurred) << "not the 32 x 32 icon scaled up";
    }
    // At 1.5 the cell covers 48 physical pixels; at 1 it is the icon the grid holds.
    EXPECT_EQ(grid()->CellImage(0, white, 1.5).size(), QSize(48, 48));
    EXPECT_EQ(grid()->CellImage(0, white, 1.0), RenderIcon(grid()->GetIcon(0), 32, 32, 0xFFFFFF));
    // The saves and exports still read the logical icons.
    EXPECT_EQ(grid()->GetIcon(1).width, 32);
}

TEST_F(IconGridWidgetTest, DroppedFilesArriveInDropOrder)
{
    Open(130, 300);
    QStringList received;
    box.SetOnDropFiles([&](int, int, const QStringList& files) { received = files; });
    EXPECT_TRUE(box.viewport()->acceptDrops());
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile("/tmp/a.dll"), QUrl::fromLocalFile("/tmp/b.exe"), QUrl::fromLocalFile("/tmp/c.ico")});
    box.DropFiles(data, QPoint(10, 10));
    EXPECT_EQ(received, (QStringList{"/tmp/a.dll", "/tmp/b.exe", "/tmp/c.ico"}));
    box.SetOnDropFiles({});
    EXPECT_FALSE(box.viewport()->acceptDrops());
}

} // namespace
} // namespace glyphora
