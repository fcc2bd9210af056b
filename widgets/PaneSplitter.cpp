// The pane splitter: finding the control, dragging with limits and feedback, applying sizes,
// and painting the bevel and grip.
#include "widgets/PaneSplitter.h"

#include "widgets/ButtonFacePainter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>

#include <array>

namespace glyphora {

namespace {

// The drag feedback: a bar over the parent that inverts what lies beneath it, solid or
// checkered, and so disappears exactly when hidden.
class SplitLine final : public QWidget {
public:
    SplitLine(QWidget* parent, bool checkered) : QWidget(parent), checkered_(checkered)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(rect(), checkered_ ? QBrush(Qt::white, Qt::Dense4Pattern) : QBrush(Qt::white));
    }

private:
    bool checkered_;
};

SplitterAlign Opposite(SplitterAlign align)
{
    switch (align) {
    case SplitterAlign::Left: return SplitterAlign::Right;
    case SplitterAlign::Right: return SplitterAlign::Left;
    case SplitterAlign::Top: return SplitterAlign::Bottom;
    case SplitterAlign::Bottom: return SplitterAlign::Top;
    }
    return align;
}

void FrameRect(QPainter& p, const QRect& r, const QColor& color)
{
    p.fillRect(QRect(r.x(), r.y(), r.width(), 1), color);
    p.fillRect(QRect(r.x(), r.y() + r.height() - 1, r.width(), 1), color);
    p.fillRect(QRect(r.x(), r.y(), 1, r.height()), color);
    p.fillRect(QRect(r.x() + r.width() - 1, r.y(), 1, r.height()), color);
}

} // namespace

PaneSplitter::PaneSplitter(QWidget* parent) : QWidget(parent)
{
    resize(3, height());
    setCursor(Qt::SplitHCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

PaneSplitter::~PaneSplitter()
{
    if (control_) qApp->removeEventFilter(this);
}

void PaneSplitter::setAlign(SplitterAlign align)
{
    align_ = align;
    const Qt::CursorShape shape = cursor().shape();
    if (shape == Qt::SplitHCursor || shape == Qt::SplitVCursor)
        setCursor(splitsHeight() ? Qt::SplitVCursor : Qt::SplitHCursor);
    if (splitsHeight())
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    updateGeometry();
    update();
}

void PaneSplitter::setMinSize(int size)
{
    minSize_ = std::max(size, 0);
}

void PaneSplitter::setBeveled(bool beveled)
{
    if (beveled != beveled_) {
        beveled_ = beveled;
        repaint();
    }
}

void PaneSplitter::setColor(const QColor& color)
{
    if (color != color_) {
        color_ = color;
        update();
    }
}

void PaneSplitter::setTransparent(bool transparent)
{
    if (transparent != transparent_) {
        transparent_ = transparent;
        update();
    }
}

QSize PaneSplitter::sizeHint() const
{
    return QSize(3, 3);
}

QWidget* PaneSplitter::siblingOn(SplitterAlign side) const
{
    QWidget* parent = parentWidget();
    if (!parent) return nullptr;
    const QRect g = geometry();
    QPoint probe;
    switch (side) {
    case SplitterAlign::Top: probe = {g.x(), g.y() - 1}; break;
    case SplitterAlign::Bottom: probe = {g.x(), g.y() + g.height()}; break;
    case SplitterAlign::Left: probe = {g.x() - 1, g.y()}; break;
    case SplitterAlign::Right: probe = {g.x() + g.width(), g.y()}; break;
    }
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == this || widget == line_ || widget->isWindow() || widget->isHidden() ||
            !widget->isEnabled())
            continue;
        QRect bounds = widget->geometry();
        // A control squeezed to nothing still counts as one pixel on the splitter's side.
        if (bounds.width() == 0) {
            if (side == SplitterAlign::Left)
                bounds.setWidth(1);
            else if (side == SplitterAlign::Right)
                bounds.setLeft(bounds.left() - 1);
        }
        if (bounds.height() == 0) {
            if (side == SplitterAlign::Top)
                bounds.setHeight(1);
            else if (side == SplitterAlign::Bottom)
                bounds.setTop(bounds.top() - 1);
        }
        if (bounds.contains(probe)) return widget;
    }
    return nullptr;
}

QWidget* PaneSplitter::findControl() const
{
    return siblingOn(align_);
}

int PaneSplitter::extentOf(const QWidget* widget) const
{
    return splitsHeight() ? widget->height() : widget->width();
}

bool PaneSplitter::isLineVisible() const
{
    return line_ && line_->isVisible();
}

void PaneSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || control_) return;
    QWidget* control = findControl();
    if (!control) return;
    control_ = control;
    downPos_ = mapToParent(event->position().toPoint());
    startSize_ = extentOf(control);
    oldSize_ = -1;

    // The neighbour on the other side keeps at least minSize; without one, the parent's edge.
    const QRect g = geometry();
    int room = 0;
    if (QWidget* other = siblingOn(Opposite(align_)))
        room = extentOf(other);
    else {
        const QSize parentSize = parentWidget()->size();
        switch (align_) {
        case SplitterAlign::Top: room = parentSize.height() - (g.y() + g.height()); break;
        case SplitterAlign::Bottom: room = g.y(); break;
        case SplitterAlign::Left: room = parentSize.width() - (g.x() + g.width()); break;
        case SplitterAlign::Right: room = g.x(); break;
        }
    }
    maxSize_ = startSize_ + room - minSize_;
    newSize_ = sizeFor(downPos_);

    qApp->installEventFilter(this);
    if (resizeStyle_ == ResizeStyle::Line || resizeStyle_ == ResizeStyle::Pattern) {
        delete line_;
        line_ = new SplitLine(parentWidget(), resizeStyle_ == ResizeStyle::Pattern);
        showLine(true);
    }
    event->accept();
}

// The size for a pointer position (parent coordinates), clamped to the limits; the split
// offset follows the clamp so that the feedback bar stops there too.
int PaneSplitter::sizeFor(const QPoint& parentPos)
{
    const int split = splitsHeight() ? parentPos.y() - downPos_.y() : parentPos.x() - downPos_.x();
    const bool grows = align_ == SplitterAlign::Top || align_ == SplitterAlign::Left;
    const int raw = grows ? startSize_ + split : startSize_ - split;
    int size = raw;
    if (size < minSize_)
        size = minSize_;
    else if (size > maxSize_)
        size = maxSize_;
    split_ = grows ? split + (size - raw) : split - (size - raw);
    return size;
}

void PaneSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!control_ || !(event->buttons() & Qt::LeftButton)) return;
    int size = sizeFor(mapToParent(event->position().toPoint()));
    bool accept = true;
    emit canResize(size, accept);
    if (!accept) return;
    showLine(false);
    newSize_ = size;
    if (resizeStyle_ == ResizeStyle::Update) applySize(newSize_);
    showLine(true);
}

void PaneSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (!control_ || event->button() != Qt::LeftButton) return;
    showLine(false);
    applySize(newSize_);
    endDrag();
}

bool PaneSplitter::eventFilter(QObject* watched, QEvent* event)
{
    if (control_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        endDrag();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PaneSplitter::showLine(bool show)
{
    if (!line_) return;
    if (!show) {
        line_->hide();
        return;
    }
    const QPoint shift = splitsHeight() ? QPoint(0, split_) : QPoint(split_, 0);
    line_->setGeometry(geometry().translated(shift));
    line_->show();
    line_->raise();
}

void PaneSplitter::applySize(int size)
{
    if (!control_ || size == oldSize_) return;
    QWidget* parent = parentWidget();
    if (parent->layout()) {
        if (splitsHeight())
            control_->setFixedHeight(size);
        else
            control_->setFixedWidth(size);
        parent->layout()->activate();
    } else {
        QRect g = control_->geometry();
        switch (align_) {
        case SplitterAlign::Top: g.setHeight(size); break;
        case SplitterAlign::Bottom: g.setTop(g.top() + g.height() - size); break;
        case SplitterAlign::Left: g.setWidth(size); break;
        case SplitterAlign::Right: g.setLeft(g.left() + g.width() - size); break;
        }
        control_->setGeometry(g);
    }
    update();
    emit moved();
    oldSize_ = size;
}

void PaneSplitter::endDrag()
{
    showLine(false);
    if (line_) line_->deleteLater();
    line_ = nullptr;
    control_ = nullptr;
    qApp->removeEventFilter(this);
    emit moved();
}

void PaneSplitter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor face = color_.isValid() ? color_ : palette().color(QPalette::Button);
    if (!transparent_) p.fillRect(rect(), face);

    if (beveled_) {
        const QRect r = splitsHeight() ? rect().adjusted(-2, 1, 2, -1) : rect().adjusted(1, -2, -1, 2);
        FrameRect(p, r.translated(1, 1), palette().color(QPalette::Light));
        FrameRect(p, r.translated(-1, -1), palette().color(QPalette::Dark));
    }

    const int thickness = splitsHeight() ? height() : width();
    if (thickness <= 2) return;
    const QColor light = palette().color(QPalette::Light);
    const std::array<std::pair<QPoint, QColor>, 7> dot{{
        {{0, 0}, Shade(face, 40)},
        {{1, 0}, Shade(face, 80)},
        {{0, 1}, Shade(face, 60)},
        {{1, 1}, Shade(face, 110)},
        {{2, 1}, light},
        {{1, 2}, light},
        {{2, 2}, light},
    }};
    for (int i = 1; i <= 6; ++i) {
        const QPoint origin = splitsHeight() ? QPoint(width() / 2 + 12 - 4 * i, height() / 2 - 1)
                                             : QPoint(width() / 2 - 1, height() / 2 + 12 - 4 * i);
        for (const auto& [offset, color] : dot)
            p.fillRect(QRect(origin + offset, QSize(1, 1)), color);
    }
}

} // namespace glyphora
