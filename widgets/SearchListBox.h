// SearchListBox: the find pane's file list. A list of text entries (each may carry a QVariant)
// with fixed-height rows painted by the box itself, plus:
//
// - Row parameters: before painting a row the box emits itemParamsRequested(row, state, params)
//   with params preset (offset 2, the row's text, the list's font and text colour, an empty
//   pixmap). A receiver connected directly may set a pixmap (drawn centred in the first
//   `offset` pixels), move the text to `offset`, change the text, font or colour. Give the
//   pixmap the painter's device pixel ratio for crisp rows on high-density screens.
// - Long-entry hints: when a row's text (after itemParamsRequested with params.hintQuery set)
//   is wider than the viewport minus its offset, the tooltip over that row shows the full
//   text, placed over the row where the text starts (see longTextHint()). Other rows show the
//   widget's ordinary tooltip.
// - Typing to search (directSearch): a printable key other than space, typed without Ctrl,
//   opens a small editor over the top rows that completes the typed prefix from the entries
//   (completions in lower case, selected so the next key replaces them). Enter selects the
//   first entry that begins with the text and closes the editor when that changed the
//   selection; Escape, focus loss, scrolling and mouse presses on the list close it, F2 drops
//   the completion's selection, Tab goes to the list. The editor has no timer: it stays open
//   until one of those events.
// - Alter item (showAlterItem): a second mark that follows the mouse or Alt+Up/Alt+Down, drawn
//   as the selection when nothing is selected and as a red outline otherwise.
// - filter: a wildcard pattern (see WildcardMatch.h) that hides non-matching entries while
//   keeping all of them; the selected entry stays selected when it is still shown.
// - Dropped files: filesDropped(pos, paths) for local files dropped on the list; accepting
//   drops (setAcceptDrops) is the owner's choice.
//
// Signals: entryChosen(row) when the user changes the current entry (mouse, keyboard, or Enter
// in the search editor); currentRowChanged(row) after every change of the current entry, by
// the user or from code. Entries are kept sorted ignoring case when sorted is on.
// beginUpdate()/endUpdate() nest and hold repainting while many entries are added.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QPointer>
#include <QStyle>
#include <QVariant>

#include <optional>
#include <vector>

namespace glyphora {

class SearchListBox;
class SearchListModel;

// What a row shows; itemParamsRequested may change every field but hintQuery.
struct ItemParams {
    QFont font;
    QColor textColor;
    QPixmap pixmap;
    int offset = 2;
    QString text;
    bool hintQuery = false; // asked for a hint: only offset and text matter
};

// The full-text hint of a row whose text does not fit.
struct RowHint {
    QString text;
    QRect area; // viewport coordinates
};

// The inline search editor; it exists only while the list's editor is shown.
class SearchEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit SearchEdit(SearchListBox* list);
    // Puts the caret after the last character with nothing selected.
    void deselect();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void complete();
    void enter();

    SearchListBox* list_;
    qsizetype prevLength_ = 0;
};

class SearchListBox : public QListView {
    Q_OBJECT
    Q_PROPERTY(bool sorted READ isSorted WRITE setSorted)
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(bool directSearch READ directSearch WRITE setDirectSearch)
    Q_PROPERTY(bool showAlterItem READ showAlterItem WRITE setShowAlterItem)
    Q_PROPERTY(int alterIndex READ alterIndex WRITE setAlterIndex)
    Q_PROPERTY(QString filter READ filter WRITE setFilter)
    Q_PROPERTY(bool editorVisible READ isEditorVisible WRITE setEditorVisible)
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow NOTIFY currentRowChanged)

public:
    explicit SearchListBox(QWidget* parent = nullptr);
    ~SearchListBox() override;

    // Entries.
    int count() const;
    QString itemText(int row) const;
    QVariant itemData(int row) const;
    QStringList items() const;
    // Adds an entry (at its sorted place when sorted is on) and gives its row.
    int addItem(const QString& text, const QVariant& data = {});
    void removeItem(int row);
    // Empties the entries, the hidden entries and the filter.
    void clear();
    // First entry equal to text ignoring case, or -1.
    int findExact(const QString& text) const;
    // First entry beginning with prefix ignoring case, or -1.
    int findPrefix(const QString& prefix) const;

    void beginUpdate();
    void endUpdate();

    bool isSorted() const { return sorted_; }
    void setSorted(bool sorted);
    // Row height; never less than the font's text height.
    int itemHeight() const;
    void setItemHeight(int height);

    int currentRow() const;
    void setCurrentRow(int row);
    // No current entry; in multi-selection mode nothing selected either.
    void deselectAll();
    // Scrolls the least needed to show the current entry.
    void scrollToCurrent();
    int topRow() const;

    bool directSearch() const { return directSearch_; }
    void setDirectSearch(bool on) { directSearch_ = on; }
    bool isEditorVisible() const { return editor_ != nullptr; }
    void setEditorVisible(bool visible);
    SearchEdit* searchEditor() const { return editor_; }

    bool showAlterItem() const { return showAlterItem_; }
    void setShowAlterItem(bool show);
    int alterIndex() const { return alterIndex_; }
    void setAlterIndex(int row);

    QString filter() const { return filter_; }
    void setFilter(const QString& filter);
    void applyFilter();

    // The hint for a viewport position, when the row there holds a text too wide to show.
    std::optional<RowHint> longTextHint(const QPoint& viewportPos);

signals:
    void itemParamsRequested(int row, QStyle::State state, glyphora::ItemParams& params);
    void entryChosen(int row);
    void currentRowChanged(int row);
    void filesDropped(const QPoint& pos, const QStringList& files);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;

private:
    friend class SearchEdit;
    friend class RowDelegate;

    void paintRow(QPainter& painter, const QRect& rect, int row, QStyle::State state);
    ItemParams rowParams(int row, QStyle::State state, bool hintQuery, const QColor& textColor);
    void repaintRow(int row);
    // Runs a selection change made on the user's behalf, so that it reports entryChosen.
    template <typename F>
    void asUser(F&& change);
    void hideEditor();
    void placeEditor();
    int rowAt(const QPoint& viewportPos) const;

    SearchListModel* model_;
    bool sorted_ = false;
    int itemHeight_ = 0;
    bool directSearch_ = false;
    bool showAlterItem_ = false;
    int alterIndex_ = -1;
    QString filter_;
    std::vector<std::pair<QString, QVariant>> allItems_; // every entry while a filter is set
    QPointer<SearchEdit> editor_;
    int oldRow_ = -1;
    bool userChange_ = false;
    int updateDepth_ = 0;
};

} // namespace glyphora
