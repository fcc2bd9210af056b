// The search list box: its entry model, row painting, the inline search editor with its
// completion, the alter mark, the filter and dropped files.
#include "widgets/SearchListBox.h"

#include "widgets/WildcardMatch.h"

#include <QAbstractItemDelegate>
#include <QAbstractListModel>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace glyphora {

namespace {

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.mid(i);
}

} // namespace

// The entries: a text and an optional value each, in display order.
class SearchListModel final : public QAbstractListModel {
public:
    using Entry = std::pair<QString, QVariant>;

    explicit SearchListModel(QObject* parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(entries_.size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const Entry& entry = entries_[std::size_t(index.row())];
        if (role == Qt::DisplayRole) return entry.first;
        if (role == Qt::UserRole) return entry.second;
        return {};
    }

    const std::vector<Entry>& entries() const { return entries_; }

    int insert(int row, Entry entry)
    {
        beginInsertRows({}, row, row);
        entries_.insert(entries_.begin() + row, std::move(entry));
        endInsertRows();
        return row;
    }

    void remove(int row)
    {
        beginRemoveRows({}, row, row);
        entries_.erase(entries_.begin() + row);
        endRemoveRows();
    }

    void reset(std::vector<Entry> entries)
    {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }

private:
    std::vector<Entry> entries_;
};

// Hands every row to the list box, which paints it whole.
class RowDelegate final : public QAbstractItemDelegate {
public:
    explicit RowDelegate(SearchListBox* list) : QAbstractItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        list_->paintRow(*painter, option.rect, index.row(), option.state);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(1, list_->itemHeight());
    }

private:
    SearchListBox* list_;
};

// ---------------------------------------------------------------------------------------------
// The search editor.

SearchEdit::SearchEdit(SearchListBox* list) : QLineEdit(list), list_(list)
{
    setFocusPolicy(Qt::ClickFocus); // never a tab stop
    setPalette(list->palette());
    setFont(list->font());
    connect(this, &QLineEdit::textChanged, this, &SearchEdit::complete);
}

void SearchEdit::deselect()
{
    setCursorPosition(int(text().size()));
}

// Completes the typed prefix from the entries, but only when characters were added: typing
// over a selected completion makes the text shorter and so completes nothing.
void SearchEdit::complete()
{
    const QString typed = text();
    if (typed.trimmed().size() > prevLength_ && !hasSelectedText()) {
        const int caret = cursorPosition();
        const QString prefix = WithoutLeadingBlanks(typed.left(caret));
        if (!prefix.isEmpty() && !prefix.back().isSpace()) {
            const int exact = list_->findExact(prefix);
            if (exact >= 0) {
                if (exact != list_->currentRow()) selectAll();
            } else {
                const QString typedFromStart = WithoutLeadingBlanks(typed);
                for (int row = 0; row < list_->count(); ++row) {
                    const QString entry = list_->itemText(row);
                    if (!entry.startsWith(prefix, Qt::CaseInsensitive) ||
                        typedFromStart.startsWith(entry, Qt::CaseInsensitive))
                        continue;
                    const QString completed = typed.left(caret) + entry.mid(prefix.size()).toLower();
                    prevLength_ = completed.trimmed().size();
                    setText(completed);
                    setSelection(caret, int(entry.size() - prefix.size()));
                    break;
                }
            }
        }
    }
    prevLength_ = text().trimmed().size();
}

void SearchEdit::enter()
{
    if (!text().isEmpty() && selectedText() == text())
        deselect();
    else
        selectAll();

    if (list_->selectionMode() == QAbstractItemView::SingleSelection) {
        const int row = list_->findPrefix(text());
        if (row >= 0 && row != list_->currentRow()) {
            list_->asUser([&] { list_->setCurrentRow(row); });
            list_->hideEditor();
        }
        return;
    }
    const int row = list_->findExact(text());
    if (row < 0) return;
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.size() == 1 && selected.front().row() == row) return;
    list_->asUser(
        [&] { list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0), QItemSelectionModel::Select); });
    list_->hideEditor();
}

bool SearchEdit::event(QEvent* event)
{
    // Tab (without Alt) belongs to the list, before QWidget turns it into a focus move.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::AltModifier)) {
            list_->keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void SearchEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: enter(); break;
    case Qt::Key_Escape: list_->hideEditor(); break;
    case Qt::Key_F2: deselect(); break;
    default: QLineEdit::keyPressEvent(event); return;
    }
    event->accept();
}

void SearchEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    list_->hideEditor();
}

// ---------------------------------------------------------------------------------------------
// The list box.

SearchListBox::SearchListBox(QWidget* parent) : QListView(parent), model_(new SearchListModel(this))
{
    setModel(model_);
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
}

SearchListBox::~SearchListBox() = default;

int SearchListBox::count() const
{
    return model_->rowCount();
}

QString SearchListBox::itemText(int row) const
{
    return row >= 0 && row < count() ? model_->entries()[std::size_t(row)].first : QString();
}

QVariant SearchListBox::itemData(int row) const
{
    return row >= 0 && row < count() ? model_->entries()[std::size_t(row)].second : QVariant();
}

QStringList SearchListBox::items() const
{
    QStringList texts;
    for (const auto& entry : model_->entries())
        texts.push_back(entry.first);
    return texts;
}

int SearchListBox::addItem(const QString& text, const QVariant& data)
{
    int row = count();
    if (sorted_) {
        const auto& entries = model_->entries();
        const auto at = std::upper_bound(entries.begin(), entries.end(), text, [](const QString& t, const auto& entry) {
            return QString::compare(t, entry.first, Qt::CaseInsensitive) < 0;
        });
        row = int(at - entries.begin());
    }
    return model_->insert(row, {text, data});
}

void SearchListBox::removeItem(int row)
{
    if (row >= 0 && row < count()) model_->remove(row);
}

void SearchListBox::clear()
{
    setEditorVisible(false);
    allItems_.clear();
    filter_.clear();
    alterIndex_ = -1;
    model_->reset({});
}

int SearchListBox::findExact(const QString& text) const
{
    const auto& entries = model_->entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (QString::compare(entries[i].first, text, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

int SearchListBox::findPrefix(const QString& prefix) const
{
    const auto& entries = model_->entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].first.startsWith(prefix, Qt::CaseInsensitive)) return int(i);
    return -1;
}

void SearchListBox::beginUpdate()
{
    if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void SearchListBox::endUpdate()
{
    if (updateDepth_ > 0 && --updateDepth_ == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

void SearchListBox::setSorted(bool sorted)
{
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (!sorted_) return;
    auto entries = model_->entries();
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    model_->reset(std::move(entries));
}

int SearchListBox::itemHeight() const
{
    return std::max(itemHeight_, fontMetrics().height());
}

void SearchListBox::setItemHeight(int height)
{
    if (height != itemHeight_) {
        itemHeight_ = height;
        doItemsLayout();
    }
}

int SearchListBox::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SearchListBox::setCurrentRow(int row)
{
    if (row >= 0 && row < count())
        setCurrentIndex(model_->index(row, 0));
    else
        selectionModel()->clear();
}

void SearchListBox::deselectAll()
{
    selectionModel()->clear();
}

int SearchListBox::topRow() const
{
    return verticalScrollBar()->value();
}

void SearchListBox::scrollToCurrent()
{
    const int current = currentRow();
    if (current < 0) return;
    executeDelayedItemsLayout(); // entries added just now must count in the scroll range
    const int top = topRow();
    const int height = itemHeight();
    if (current < top)
        verticalScrollBar()->setValue(current);
    else if ((current - top) * height > viewport()->height())
        verticalScrollBar()->setValue(current - viewport()->height() / height);
}

void SearchListBox::setEditorVisible(bool visible)
{
    if (visible == isEditorVisible()) return;
    if (!visible) {
        hideEditor();
        return;
    }
    editor_ = new SearchEdit(this);
    placeEditor();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

// Hides the editor at once and frees it once the current event has been handled, since the
// editor itself may be the one asking.
void SearchListBox::hideEditor()
{
    SearchEdit* editor = editor_;
    if (!editor) return;
    editor_ = nullptr;
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    editor->deleteLater();
    viewport()->update();
}

void SearchListBox::placeEditor()
{
    if (!editor_) return;
    const QRect client = viewport()->geometry();
    editor_->setGeometry(client.x(), client.y(), client.width(), editor_->sizeHint().height());
}

void SearchListBox::setShowAlterItem(bool show)
{
    if (show == showAlterItem_) return;
    showAlterItem_ = show;
    viewport()->setMouseTracking(show);
    repaintRow(alterIndex_);
}

void SearchListBox::setAlterIndex(int row)
{
    if (row == alterIndex_) return;
    const int old = alterIndex_;
    alterIndex_ = row;
    repaintRow(old);
    repaintRow(row);
}

void SearchListBox::setFilter(const QString& filter)
{
    if (filter != filter_) {
        filter_ = filter;
        applyFilter();
    }
}

void SearchListBox::applyFilter()
{
    const int current = currentRow();
    const QString remembered = current >= 0 ? itemText(current) : QString();
    if (filter_.isEmpty()) {
        if (!allItems_.empty()) {
            model_->reset(std::move(allItems_));
            allItems_.clear();
        }
    } else {
        if (allItems_.empty()) allItems_ = model_->entries();
        std::vector<SearchListModel::Entry> shown;
        for (const auto& entry : allItems_)
            if (MatchesWildcard(filter_, entry.first)) shown.push_back(entry);
        model_->reset(std::move(shown));
    }
    alterIndex_ = -1;
    if (current >= 0) {
        const int again = findExact(remembered);
        if (again >= 0) setCurrentRow(again);
    }
    viewport()->update();
}

ItemParams SearchListBox::rowParams(int row, QStyle::State state, bool hintQuery, const QColor& textColor)
{
    ItemParams params;
    params.font = font();
    params.textColor = textColor;
    params.text = itemText(row);
    params.hintQuery = hintQuery;
    emit itemParamsRequested(row, state, params);
    return params;
}

void SearchListBox::paintRow(QPainter& painter, const QRect& rect, int row, QStyle::State state)
{
    if (row < 0 || row >= count()) return;
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const bool selected = state & QStyle::State_Selected;
    const bool alter = showAlterItem_ && row == alterIndex_ && !selected;
    const bool filledAlter = alter && !selectionModel()->hasSelection();
    const bool highlighted = selected || filledAlter;
    const QColor brush = palette().color(group, highlighted ? QPalette::Highlight : QPalette::Base);
    const QColor textColor = palette().color(group, highlighted ? QPalette::HighlightedText : QPalette::Text);

    ItemParams params = rowParams(row, state, false, textColor);
    painter.save();
    painter.fillRect(rect, brush);

    const int bottom = rect.y() + rect.height();
    if (!params.pixmap.isNull()) {
        const QSizeF logical = params.pixmap.deviceIndependentSize();
        const int w = int(logical.width());
        const int h = int(logical.height());
        const int x = (rect.x() + params.offset) / 2 - w / 2 + (params.offset - w == 1 ? 1 : 0);
        const int y = (rect.y() + bottom) / 2 - h / 2 + (rect.height() - h == 1 ? 1 : 0);
        painter.drawPixmap(QPoint(x, y), params.pixmap);
    }
    if (!params.text.isEmpty()) {
        painter.setFont(params.font);
        const QFontMetrics metrics(params.font);
        painter.setPen(filledAlter || !params.textColor.isValid() ? textColor : params.textColor);
        const int y = (rect.y() + bottom) / 2 - metrics.height() / 2;
        painter.drawText(QPoint(rect.x() + params.offset, y + metrics.ascent()), params.text);
    }
    if (alter && !filledAlter) {
        const QColor red(Qt::red);
        painter.fillRect(QRect(rect.x(), rect.y(), rect.width(), 1), red);
        painter.fillRect(QRect(rect.x(), bottom - 1, rect.width(), 1), red);
        painter.fillRect(QRect(rect.x(), rect.y(), 1, rect.height()), red);
        painter.fillRect(QRect(rect.x() + rect.width() - 1, rect.y(), 1, rect.height()), red);
    }
    painter.restore();
}

void SearchListBox::repaintRow(int row)
{
    if (row >= 0 && row < count()) viewport()->update(visualRect(model_->index(row, 0)));
}

template <typename F>
void SearchListBox::asUser(F&& change)
{
    const bool was = userChange_;
    userChange_ = true;
    change();
    userChange_ = was;
}

int SearchListBox::rowAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() : -1;
}

std::optional<RowHint> SearchListBox::longTextHint(const QPoint& viewportPos)
{
    const int row = rowAt(viewportPos);
    if (row < 0) return std::nullopt;
    const ItemParams params = rowParams(row, {}, true, palette().color(QPalette::Text));
    const int clientWidth = viewport()->width();
    if (params.text.isEmpty() ||
        QFontMetrics(params.font).horizontalAdvance(params.text) <= clientWidth - params.offset)
        return std::nullopt;
    const QRect rowRect = visualRect(model_->index(row, 0));
    return RowHint{params.text, QRect(params.offset - 2, rowRect.y(), clientWidth, rowRect.height())};
}

void SearchListBox::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    const int key = event->key();
    if (showAlterItem_ && alt && !editor_ && (key == Qt::Key_Up || key == Qt::Key_Down) &&
        selectionMode() == QAbstractItemView::SingleSelection) {
        const int height = itemHeight();
        if (key == Qt::Key_Up && alterIndex_ > 0) {
            setAlterIndex(alterIndex_ - 1);
            if (alterIndex_ < topRow()) verticalScrollBar()->setValue(topRow() - 1);
        } else if (key == Qt::Key_Down && alterIndex_ < count() - 1) {
            setAlterIndex(alterIndex_ + 1);
            if (alterIndex_ >= viewport()->height() / height + topRow()) verticalScrollBar()->setValue(topRow() + 1);
        }
        event->accept();
        return;
    }

    const QString text = event->text();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (directSearch_ && !editor_ && !ctrl && !alt && !text.isEmpty() && text.front().isPrint() &&
        text.front() != u' ') {
        setEditorVisible(true);
        QCoreApplication::sendEvent(editor_, event);
        return;
    }
    asUser([&] { QListView::keyPressEvent(event); });
}

void SearchListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton || event->button() == Qt::MiddleButton)
        setEditorVisible(false);
    asUser([&] { QListView::mousePressEvent(event); });
}

void SearchListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (showAlterItem_ && selectionMode() == QAbstractItemView::SingleSelection && count() > 0) {
        const QPoint pos = event->position().toPoint();
        const int row = rowAt(pos);
        const bool underEditor = editor_ && row - topRow() < 2;
        if (row >= 0 && !underEditor) setAlterIndex(row);
    }
    asUser([&] { QListView::mouseMoveEvent(event); });
}

void SearchListBox::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    placeEditor();
    repaintRow(alterIndex_);
}

void SearchListBox::scrollContentsBy(int dx, int dy)
{
    setEditorVisible(false);
    QListView::scrollContentsBy(dx, dy);
}

bool SearchListBox::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const auto hint = longTextHint(help->pos()))
            QToolTip::showText(viewport()->mapToGlobal(hint->area.topLeft()), hint->text, viewport(), hint->area);
        else if (!toolTip().isEmpty())
            QToolTip::showText(help->globalPos(), toolTip(), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::Leave:
        if (showAlterItem_) setAlterIndex(-1);
        break;
    default: break;
    }
    return QListView::viewportEvent(event);
}

void SearchListBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QListView::dragEnterEvent(event);
}

void SearchListBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QListView::dragMoveEvent(event);
}

void SearchListBox::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls()) {
        QListView::dropEvent(event);
        return;
    }
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile());
    event->acceptProposedAction();
    emit filesDropped(viewport()->mapToParent(event->position().toPoint()), files);
}

void SearchListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    const int row = current.isValid() ? current.row() : -1;
    if (row == oldRow_) return;
    oldRow_ = row;
    if (userChange_) emit entryChosen(row);
    emit currentRowChanged(row);
}

void SearchListBox::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange) doItemsLayout();
}

} // namespace glyphora
