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

int GridKeyFor(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    default: return 0;
    }
}

TQZScrollBox::TQZScrollBox(QWidget* parent)
    : QScrollArea(parent), imageBox_(new TQZImageBox(this))
{
    setWidget(imageBox_); // the scroll area owns the grid from here on
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    imageBox_->MutableModel().SetScrollIncrement(kDefaultScrollIncrement);
    verticalScrollBar()->setSingleStep(kDefaultScrollIncrement);
    verticalScrollBar()->setTracking(true);
}

void TQZScrollBox::SetOnDropFiles(DropFilesEvent handler)
{
    onDropFiles_ = std::move(handler);
    // Drops arrive at the viewport, which hands them to this box.
    setAcceptDrops(static_cast<bool>(onDropFiles_));
    viewport()->setAcceptDrops(static_cast<bool>(onDropFiles_));
}

ScrollBoxMetrics TQZScrollBox::Metrics() const
{
    ScrollBoxMetrics metrics;
    metrics.clientWidth = viewport()->width();
    metrics.clientHeight = viewport()->height();
    metrics.outerWidth = width();
    metrics.scrollBarThickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return metrics;
}

bool TQZScrollBox::MoveSelection(int key)
{
    imageBox_->SyncViewport();
    const KeyResult result = imageBox_->MutableModel().MoveSelection(key);
    imageBox_->ApplySelection(result.selection);
    return result.consumed;
}

// Keys reach MoveSelection before anything else, so the arrow keys never move the focus.
bool TQZScrollBox::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int gridKey = GridKeyFor(key->key());
        if (gridKey != 0 && MoveSelection(gridKey)) {
            key->accept();
            return true;
        }
        if (gridKey != 0) {
            key->accept(); // an empty grid: the key does nothing, and keeps the focus here
            return true;
        }
    }
    return QScrollArea::event(event);
}

// One wheel step acts as one Up or Down key; the view does not scroll by itself.
void TQZScrollBox::wheelEvent(QWheelEvent* event)
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
    for (; steps > 0; --steps) MoveSelection(kKeyUp);
    for (; steps < 0; ++steps) MoveSelection(kKeyDown);
    event->accept();
}

void TQZScrollBox::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    imageBox_->FollowScrollBoxWidth(viewport()->width());
}

void TQZScrollBox::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    imageBox_->update();
}

void TQZScrollBox::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    imageBox_->update();
}

// A click below the grid: the selected cell is redrawn (the focus mark follows the focus).
void TQZScrollBox::mousePressEvent(QMouseEvent* event)
{
    QScrollArea::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    imageBox_->update();
}

void TQZScrollBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (onDropFiles_ && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TQZScrollBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (onDropFiles_ && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TQZScrollBox::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropFiles(*event->mimeData(), event->position().toPoint());
}

void TQZScrollBox::DropFiles(const QMimeData& data, QPoint at)
{
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    if (onDropFiles_ && !files.isEmpty())
        onDropFiles_(at.x(), at.y(), files);
}

} // namespace glyphora
