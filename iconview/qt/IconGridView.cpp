// The scrolling container of the icon grid.
#include "iconview/qt/IconGridView.h"

#include "iconview/DefaultLayout.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>

namespace glyphora {

std::optional<GridKey> GridKeyFor(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return GridKey::PageUp;
    case Qt::Key_PageDown: return GridKey::PageDown;
    case Qt::Key_End: return GridKey::End;
    case Qt::Key_Home: return GridKey::Home;
    case Qt::Key_Left: return GridKey::Left;
    case Qt::Key_Up: return GridKey::Up;
    case Qt::Key_Right: return GridKey::Right;
    case Qt::Key_Down: return GridKey::Down;
    default: return std::nullopt;
    }
}

IconGridView::IconGridView(QWidget* parent) : QScrollArea(parent), grid_(new IconGrid(this))
{
    setWidget(grid_); // the scroll area owns the grid from here on
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    grid_->MutableModel().SetScrollIncrement(kDefaultScrollIncrement);
    verticalScrollBar()->setSingleStep(kDefaultScrollIncrement);
    verticalScrollBar()->setTracking(true);
}

void IconGridView::SetOnDropFiles(DropFilesEvent handler)
{
    onDropFiles_ = std::move(handler);
    // Drops arrive at the viewport, which hands them to this box.
    setAcceptDrops(static_cast<bool>(onDropFiles_));
    viewport()->setAcceptDrops(static_cast<bool>(onDropFiles_));
}

ScrollBoxMetrics IconGridView::Metrics() const
{
    ScrollBoxMetrics metrics;
    metrics.clientWidth = viewport()->width();
    metrics.clientHeight = viewport()->height();
    metrics.outerWidth = width();
    metrics.scrollBarThickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return metrics;
}

bool IconGridView::MoveSelection(GridKey key)
{
    grid_->SyncViewport();
    const KeyResult result = grid_->MutableModel().MoveSelection(key);
    grid_->ApplySelection(result.selection);
    return result.consumed;
}

// Keys reach MoveSelection before anything else, so the arrow keys never move the focus.
bool IconGridView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const std::optional<GridKey> gridKey = GridKeyFor(key->key());
        if (gridKey && MoveSelection(*gridKey)) {
            key->accept();
            return true;
        }
        if (gridKey) {
            key->accept(); // an empty grid: the key does nothing, and keeps the focus here
            return true;
        }
    }
    return QScrollArea::event(event);
}

// One wheel step acts as one Up or Down key; the view does not scroll by itself.
void IconGridView::wheelEvent(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    int steps = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    if (steps == 0 && event->angleDelta().y() != 0) {
        // Fine-grained wheels: treat the first movement of a gesture as a whole step.
        steps = event->angleDelta().y() > 0 ? 1 : -1;
        wheelRemainder_ = 0;
    } else {
        wheelRemainder_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    }
    for (; steps > 0; --steps)
        MoveSelection(GridKey::Up);
    for (; steps < 0; ++steps)
        MoveSelection(GridKey::Down);
    event->accept();
}

void IconGridView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    grid_->FollowScrollBoxWidth(viewport()->width());
}

void IconGridView::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    grid_->update();
}

void IconGridView::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    grid_->update();
}

// A click below the grid: the selected cell is redrawn (the focus mark follows the focus).
void IconGridView::mousePressEvent(QMouseEvent* event)
{
    QScrollArea::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    grid_->update();
}

void IconGridView::dragEnterEvent(QDragEnterEvent* event)
{
    if (onDropFiles_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void IconGridView::dragMoveEvent(QDragMoveEvent* event)
{
    if (onDropFiles_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void IconGridView::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropFiles(*event->mimeData(), event->position().toPoint());
}

void IconGridView::DropFiles(const QMimeData& data, QPoint at)
{
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    if (onDropFiles_ && !files.isEmpty()) onDropFiles_(at.x(), at.y(), files);
}

} // namespace glyphora
