// The search list box: typing to search with completion, what opens and closes the editor,
// the filter, the alter mark, long-entry hints, row painting with supplied icons, sorting,
// selection signals, dropped files and scrolling to the current entry.
#include "WidgetTestSupport.h"

#include "widgets/SearchListBox.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include <vector>

namespace glyphora::test {
namespace {

class SearchListBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(40, 40, 320, 240);
        list = new SearchListBox(&window);
        list->setGeometry(10, 10, 200, 150);
        list->setSorted(true);
        list->setItemHeight(18);
        list->setDirectSearch(true);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        list->setFocus();
        QObject::connect(list, &SearchListBox::entryChosen, [this](int row) { chosen.push_back(row); });
    }
    void TearDown() override { QApplication::processEvents(); }

    void fill(const QStringList& entries)
    {
        for (const QString& entry : entries)
            list->addItem(entry);
    }
    // A key typed where the focus is: into the list, or into its editor once that is open.
    void type(const QString& keys)
    {
        for (QChar c : keys) {
            QWidget* target = list->isEditorVisible() ? static_cast<QWidget*>(list->searchEditor()) : list;
            QTest::keyClick(target, c.toLatin1());
        }
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = list->isEditorVisible() ? static_cast<QWidget*>(list->searchEditor()) : list;
        QTest::keyClick(target, k, modifiers);
    }

    QWidget window;
    SearchListBox* list = nullptr;
    std::vector<int> chosen;
};

TEST_F(SearchListBoxTest, TypingCompletesInLowerCaseAndEnterSelectsTheEntry)
{
    fill({QStringLiteral("shell32.dll"), QStringLiteral("Setup.exe")});
    ASSERT_EQ(list->items(), (QStringList{"Setup.exe", "shell32.dll"}));

    type(QStringLiteral("s"));
    ASSERT_TRUE(list->isEditorVisible());
    SearchEdit* editor = list->searchEditor();
    EXPECT_EQ(editor->text(), "setup.exe");
    EXPECT_EQ(editor->selectedText(), "etup.exe");

    type(QStringLiteral("h")); // replaces the completion: shorter, so nothing is completed
    EXPECT_EQ(editor->text(), "sh");
    EXPECT_FALSE(editor->hasSelectedText());

    type(QStringLiteral("e"));
    EXPECT_EQ(editor->text(), "shell32.dll");
    EXPECT_EQ(editor->selectedText(), "ll32.dll");

    key(Qt::Key_Return);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    EXPECT_FALSE(list->isEditorVisible());
    EXPECT_TRUE(list->hasFocus());
}

TEST_F(SearchListBoxTest, TypedLettersStayAsTypedAndCompletionsAreLowerCase)
{
    fill({QStringLiteral("Setup.exe")});
    type(QStringLiteral("SEt"));
    EXPECT_EQ(list->searchEditor()->text(), "SEtup.exe");
    EXPECT_EQ(list->searchEditor()->selectedText(), "up.exe");
}

TEST_F(SearchListBoxTest, TextThatNoEntryContinuesSelectsNothingAndTheEditorStays)
{
    fill({QStringLiteral("Setup.exe"), QStringLiteral("shell32.dll")});
    list->setCurrentRow(0);
    type(QStringLiteral("sx"));
    EXPECT_EQ(list->searchEditor()->text(), "sx");
    key(Qt::Key_Return);
    EXPECT_TRUE(list->isEditorVisible());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(list->searchEditor()->selectedText(), "sx"); // Enter toggles select-all
    key(Qt::Key_Return);
    EXPECT_FALSE(list->searchEditor()->hasSelectedText());
}

TEST_F(SearchListBoxTest, EnterOnTheEntryAlreadySelectedKeepsTheEditor)
{
    fill({QStringLiteral("Setup.exe"), QStringLiteral("shell32.dll")});
    list->setCurrentRow(0);
    type(QStringLiteral("se"));
    key(Qt::Key_Return);
    EXPECT_TRUE(list->isEditorVisible());
    EXPECT_TRUE(chosen.empty());
}

TEST_F(SearchListBoxTest, KeysThatNeverOpenTheEditor)
{
    fill({QStringLiteral("Setup.exe"), QStringLiteral("shell32.dll")});
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Space, Qt::NoModifier},  {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_Return, Qt::NoModifier},    {Qt::Key_S, Qt::ControlModifier}, {Qt::Key_S, Qt::AltModifier},
        {Qt::Key_Tab, Qt::NoModifier},
    };
    for (auto [k, modifiers] : keys) {
        QTest::keyClick(list, k, modifiers);
        EXPECT_FALSE(list->isEditorVisible()) << k;
    }
    list->setDirectSearch(false);
    type(QStringLiteral("s"));
    EXPECT_FALSE(list->isEditorVisible());
}

TEST_F(SearchListBoxTest, EscapeMousePressScrollAndFocusLossCloseTheEditor)
{
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many.push_back(QStringLiteral("file%1.dll").arg(i, 2, 10, QChar(u'0')));
    fill(many);

    type(QStringLiteral("f"));
    ASSERT_TRUE(list->isEditorVisible());
    key(Qt::Key_Escape);
    EXPECT_FALSE(list->isEditorVisible());

    type(QStringLiteral("f"));
    ASSERT_TRUE(list->isEditorVisible());
    SendMouse(list->viewport(), QEvent::MouseButtonPress, {20, 80}, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(list->isEditorVisible());

    type(QStringLiteral("f"));
    ASSERT_TRUE(list->isEditorVisible());
    list->verticalScrollBar()->setValue(5);
    EXPECT_FALSE(list->isEditorVisible());

    QLineEdit other(&window);
    other.show();
    type(QStringLiteral("f"));
    ASSERT_TRUE(list->isEditorVisible());
    other.setFocus();
    EXPECT_FALSE(list->isEditorVisible());

    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list->findChildren<SearchEdit*>().isEmpty()); // freed once hidden
}

TEST_F(SearchListBoxTest, EditorSpansTheTopOfTheListAndFollowsItsWidth)
{
    fill({QStringLiteral("Setup.exe")});
    type(QStringLiteral("s"));
    SearchEdit* editor = list->searchEditor();
    EXPECT_EQ(editor->geometry().topLeft(), list->viewport()->geometry().topLeft());
    EXPECT_EQ(editor->width(), list->viewport()->width());
    list->resize(260, 150);
    EXPECT_EQ(editor->width(), list->viewport()->width());
    key(Qt::Key_F2);
    EXPECT_FALSE(editor->hasSelectedText());
    EXPECT_EQ(editor->cursorPosition(), editor->text().size());
}

TEST_F(SearchListBoxTest, FilterHidesEntriesKeepsAllAndKeepsTheSelection)
{
    fill({QStringLiteral("Setup.exe"), QStringLiteral("shell32.dll"), QStringLiteral("user32.dll"),
          QStringLiteral("imageres.dll")});
    list->setCurrentRow(list->findExact(QStringLiteral("shell32.dll")));

    list->setFilter(QStringLiteral("*32*"));
    EXPECT_EQ(list->items(), (QStringList{"shell32.dll", "user32.dll"}));
    EXPECT_EQ(list->itemText(list->currentRow()), "shell32.dll");

    list->setFilter(QStringLiteral("*Setup*")); // chosen from all entries, not from the shown ones
    EXPECT_EQ(list->items(), (QStringList{"Setup.exe"}));

    list->setFilter(QStringLiteral("*32*"));
    list->setCurrentRow(1);
    list->setFilter(QString());
    EXPECT_EQ(list->items(), (QStringList{"imageres.dll", "Setup.exe", "shell32.dll", "user32.dll"}));
    EXPECT_EQ(list->itemText(list->currentRow()), "user32.dll");

    list->setFilter(QStringLiteral("s*"));
    EXPECT_EQ(list->items(), (QStringList{"shell32.dll"})); // case counts
    list->clear();
    EXPECT_TRUE(list->filter().isEmpty());
    EXPECT_EQ(list->count(), 0);
    list->setFilter(QString());
    EXPECT_EQ(list->count(), 0); // nothing hidden came back
}

TEST_F(SearchListBoxTest, FilteredEntriesKeepTheirValues)
{
    list->addItem(QStringLiteral("a.dll"), 1);
    list->addItem(QStringLiteral("b.dll"), 2);
    list->setFilter(QStringLiteral("b*"));
    EXPECT_EQ(list->itemData(0).toInt(), 2);
    list->setFilter(QString());
    EXPECT_EQ(list->itemData(0).toInt(), 1);
    EXPECT_EQ(list->itemData(1).toInt(), 2);
}

TEST_F(SearchListBoxTest, SortedIgnoringCaseAndUnsortedInOrderOfAdding)
{
    fill({QStringLiteral("b.dll"), QStringLiteral("A.dll"), QStringLiteral("sub\\c.dll"), QStringLiteral("a2.dll")});
    EXPECT_EQ(list->items(), (QStringList{"A.dll", "a2.dll", "b.dll", "sub\\c.dll"}));
    SearchListBox unsorted;
    unsorted.addItem(QStringLiteral("b"));
    unsorted.addItem(QStringLiteral("a"));
    EXPECT_EQ(unsorted.items(), (QStringList{"b", "a"}));
    EXPECT_EQ(list->findExact(QStringLiteral("B.DLL")), 2);
    EXPECT_EQ(list->findPrefix(QStringLiteral("SUB")), 3);
    EXPECT_EQ(list->findExact(QStringLiteral("b")), -1);
}

TEST_F(SearchListBoxTest, UserChoicesAreReportedAndChangesFromCodeOnlyAsChanges)
{
    QObject scope; // receivers using this test's locals are disconnected with it
    fill({QStringLiteral("a.dll"), QStringLiteral("b.dll"), QStringLiteral("c.dll")});
    std::vector<int> changes;
    QObject::connect(list, &SearchListBox::currentRowChanged, &scope, [&](int row) { changes.push_back(row); });

    list->setCurrentRow(1);
    list->setCurrentRow(1);
    EXPECT_EQ(changes, (std::vector<int>{1}));
    EXPECT_TRUE(chosen.empty());

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(chosen, (std::vector<int>{2}));
    const QRect first = list->visualRect(list->model()->index(0, 0));
    SendMouse(list->viewport(), QEvent::MouseButtonPress, first.center(), Qt::LeftButton, Qt::LeftButton);
    SendMouse(list->viewport(), QEvent::MouseButtonRelease, first.center(), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(chosen, (std::vector<int>{2, 0}));
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 0}));

    list->deselectAll();
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(list->selectionModel()->hasSelection());
}

TEST_F(SearchListBoxTest, AltArrowsMoveTheAlterMarkWithinTheList)
{
    fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list->setShowAlterItem(true);
    ASSERT_EQ(list->alterIndex(), -1);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(list->alterIndex(), 0);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(list->alterIndex(), 0);
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(list->alterIndex(), 2);
    EXPECT_EQ(list->currentRow(), -1); // the mark is not the selection

    list->setShowAlterItem(false);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(list->alterIndex(), 2);
}

TEST_F(SearchListBoxTest, AlterMarkFollowsTheMouseButNotUnderTheEditor)
{
    fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    list->setShowAlterItem(true);
    SendMouse(list->viewport(), QEvent::MouseMove, {20, 18 * 2 + 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(list->alterIndex(), 2);
    SendMouse(list->viewport(), QEvent::MouseMove, {20, 18 * 6 + 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(list->alterIndex(), 2); // below the last row
    type(QStringLiteral("x"));
    ASSERT_TRUE(list->isEditorVisible());
    SendMouse(list->viewport(), QEvent::MouseMove, {20, 18 + 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(list->alterIndex(), 2);
    SendMouse(list->viewport(), QEvent::MouseMove, {20, 18 * 3 + 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(list->alterIndex(), 3);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list->viewport(), &leave);
    EXPECT_EQ(list->alterIndex(), -1);
}

TEST_F(SearchListBoxTest, AlterRowIsFilledWithoutSelectionAndOutlinedInRedBesideOne)
{
    list->setPalette(LightPalette());
    fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list->setShowAlterItem(true);
    list->setAlterIndex(1);
    const QPoint inRow1 = list->viewport()->mapTo(list, QPoint(100, 18 + 9));
    const QPoint row1Left = list->viewport()->mapTo(list, QPoint(0, 18 + 9));
    for (qreal dpr : {1.0, 2.0}) {
        list->deselectAll();
        QImage image = Render(*list, dpr);
        EXPECT_COLOR(At(image, inRow1.x(), inRow1.y()), LightPalette().color(QPalette::Highlight));

        list->setCurrentRow(0);
        image = Render(*list, dpr);
        EXPECT_COLOR(At(image, row1Left.x(), row1Left.y()), QColor(Qt::red));
        EXPECT_COLOR(At(image, inRow1.x(), inRow1.y()), LightPalette().color(QPalette::Base));
    }
}

TEST_F(SearchListBoxTest, RowsDrawTheSuppliedIconCentredInTheOffsetAndTheTextAfterIt)
{
    QObject scope; // receivers using this test's locals are disconnected with it
    list->setPalette(LightPalette());
    fill({QStringLiteral("a.dll"), QStringLiteral("b.dll")});
    std::vector<bool> hintQueries;
    QObject::connect(list, &SearchListBox::itemParamsRequested, &scope, [&](int, QStyle::State, ItemParams& params) {
        hintQueries.push_back(params.hintQuery);
        params.offset = 20;
        if (params.hintQuery) return;
        QPixmap icon(32, 32);
        icon.setDevicePixelRatio(2);
        icon.fill(QColor(0, 160, 0));
        params.pixmap = icon;
    });
    list->setCurrentRow(1);
    for (qreal dpr : {1.0, 2.0}) {
        const QImage image = Render(*list, dpr);
        const QPoint origin = list->viewport()->mapTo(list, QPoint(0, 0));
        // x = (0 + 20) / 2 - 8 = 2, y = 18 / 2 - 8 = 1: the icon covers 2..17 and 1..16.
        for (auto [x, y, inside] : {std::tuple{2, 1, true}, {17, 16, true}, {1, 8, false}, {18, 8, false}}) {
            const QColor c = At(image, origin.x() + x, origin.y() + y);
            EXPECT_EQ(c == QColor(0, 160, 0), inside) << x << "," << y << " at " << dpr;
        }
        EXPECT_COLOR(At(image, origin.x() + 10, origin.y() + 18 + 9), QColor(0, 160, 0)); // selected row too
        EXPECT_COLOR(At(image, origin.x() + 19, origin.y() + 18 + 2), LightPalette().color(QPalette::Highlight));
    }
    EXPECT_FALSE(hintQueries.empty());
    EXPECT_EQ(std::count(hintQueries.begin(), hintQueries.end(), true), 0);
}

TEST_F(SearchListBoxTest, LongEntriesHintTheirFullTextOverTheirRow)
{
    QObject scope; // receivers using this test's locals are disconnected with it
    const QString longName = QStringLiteral("a-very-long-library-name-that-does-not-fit.dll");
    fill({longName, QStringLiteral("b.dll")});
    bool hintQuery = false;
    QObject::connect(list, &SearchListBox::itemParamsRequested, &scope, [&](int, QStyle::State, ItemParams& params) {
        hintQuery = params.hintQuery;
        params.offset = 20;
    });
    const auto hint = list->longTextHint({30, 5});
    ASSERT_TRUE(hint.has_value());
    EXPECT_TRUE(hintQuery);
    EXPECT_EQ(hint->text, longName);
    EXPECT_EQ(hint->area, QRect(18, 0, list->viewport()->width(), 18));
    EXPECT_FALSE(list->longTextHint({30, 18 + 5}).has_value()); // short row
    EXPECT_FALSE(list->longTextHint({30, 18 * 5}).has_value()); // no row
}

// Qt delivers drop events only while a real drag runs, so the handlers are called directly.
class DropTarget : public SearchListBox {
public:
    using SearchListBox::dragEnterEvent;
    using SearchListBox::dropEvent;
};

TEST(SearchListBoxDropTest, DroppedFilesAreReportedWithTheDropPoint)
{
    DropTarget list;
    list.resize(200, 150);
    QPoint where;
    QStringList files;
    QObject::connect(&list, &SearchListBox::filesDropped, [&](const QPoint& pos, const QStringList& dropped) {
        where = pos;
        files = dropped;
    });
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(QStringLiteral("/tmp/one.dll")), QUrl::fromLocalFile(QStringLiteral("/tmp/two.exe"))});
    QDragEnterEvent enter(QPoint(15, 25), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    list.dragEnterEvent(&enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(15, 25), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    list.dropEvent(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(files, (QStringList{"/tmp/one.dll", "/tmp/two.exe"}));
    EXPECT_EQ(where, list.viewport()->mapToParent(QPoint(15, 25)));

    QMimeData text;
    text.setText(QStringLiteral("not files"));
    QDragEnterEvent textEnter(QPoint(15, 25), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    textEnter.setAccepted(false);
    list.dragEnterEvent(&textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
}

TEST_F(SearchListBoxTest, ScrollToCurrentMovesTheLeastNeeded)
{
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many.push_back(QStringLiteral("file%1.dll").arg(i, 2, 10, QChar(u'0')));
    fill(many);
    QApplication::processEvents(); // lays the entries out
    const int visibleRows = list->viewport()->height() / 18;

    list->verticalScrollBar()->setValue(20);
    ASSERT_EQ(list->topRow(), 20);
    list->selectionModel()->setCurrentIndex(list->model()->index(3, 0), QItemSelectionModel::NoUpdate);
    list->verticalScrollBar()->setValue(20);
    list->scrollToCurrent();
    EXPECT_EQ(list->topRow(), 3);

    list->selectionModel()->setCurrentIndex(list->model()->index(30, 0), QItemSelectionModel::NoUpdate);
    list->verticalScrollBar()->setValue(0);
    list->scrollToCurrent();
    EXPECT_EQ(list->topRow(), 30 - visibleRows);
}

TEST_F(SearchListBoxTest, RowHeightIsNeverBelowTheTextHeight)
{
    list->setItemHeight(4);
    EXPECT_EQ(list->itemHeight(), list->fontMetrics().height());
    list->setItemHeight(40);
    EXPECT_EQ(list->itemHeight(), 40);
    fill({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(list->visualRect(list->model()->index(1, 0)).top(), 40);
}

} // namespace
} // namespace glyphora::test
