// The popup button: the arrow area as a part of its own, and opening the drop-down.
#include "widgets/PopupButton.h"

#include <QMenu>
#include <QMouseEvent>

namespace glyphora {

PopupButton::PopupButton(QWidget* parent) : SoftButton(parent)
{
    // Noted here and acted on once the whole event (and every slot of clicked) has run, so
    // that the drop-down opens after the click's own work.
    connect(this, &QAbstractButton::clicked, this, [this] { clickPending_ = true; });
}

void PopupButton::setDrawDropDown(bool draw)
{
    if (draw != drawDropDown_) {
        drawDropDown_ = draw;
        update();
    }
}

void PopupButton::setSeparateDropDown(bool separate)
{
    if (separate != separateDropDown_) {
        separateDropDown_ = separate;
        update();
    }
}

void PopupButton::setDropDown(QWidget* dropDown)
{
    if (dropDown_ == dropDown) return;
    if (auto* menu = qobject_cast<QMenu*>(dropDown_.data())) disconnect(menu, nullptr, this, nullptr);
    dropDown_ = dropDown;
    if (auto* menu = qobject_cast<QMenu*>(dropDown))
        connect(menu, &QMenu::aboutToHide, this, [this] { droppedDown_ = false; });
}

QPoint PopupButton::dropDownAnchor() const
{
    return mapToGlobal(QPoint(0, height()));
}

void PopupButton::popup()
{
    bool handled = false;
    emit aboutToPopup(handled);
    if (handled || !dropDown_) return;
    const QPoint anchor = dropDownAnchor();
    if (auto* menu = qobject_cast<QMenu*>(dropDown_.data())) {
        droppedDown_ = true;
        menu->popup(anchor);
        return;
    }
    QWidget* panel = dropDown_;
    panel->move(panel->parentWidget() ? panel->parentWidget()->mapFromGlobal(anchor) : anchor);
    panel->show();
    panel->raise();
}

ButtonFace PopupButton::face() const
{
    ButtonFace f = SoftButton::face();
    f.drawDropDown = drawDropDown_;
    f.dropDownWidth = drawDropDown_ ? dropDownAreaWidth() : 0;
    f.separateDropDown = separateDropDown_;
    f.dropDownPressed = areaPressed_;
    return f;
}

bool PopupButton::event(QEvent* event)
{
    const bool result = SoftButton::event(event);
    if (clickPending_) {
        clickPending_ = false;
        if (!separateDropDown_) popup();
    }
    return result;
}

bool PopupButton::inArea(const QPoint& pos) const
{
    return rect().contains(pos) && pos.x() >= width() - dropDownAreaWidth();
}

void PopupButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && isEnabled() && separateDropDown_ && drawDropDown_ && inArea(pos)) {
        areaDragging_ = true;
        areaPressed_ = true;
        setHot(true);
        update();
        event->accept();
        return;
    }
    SoftButton::mousePressEvent(event);
}

void PopupButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!areaDragging_) {
        SoftButton::mouseMoveEvent(event);
        return;
    }
    const bool inside = inArea(event->position().toPoint());
    if (inside != areaPressed_) {
        areaPressed_ = inside;
        setHot(inside);
        update();
    }
    event->accept();
}

void PopupButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!areaDragging_ || event->button() != Qt::LeftButton) {
        SoftButton::mouseReleaseEvent(event);
        return;
    }
    areaDragging_ = false;
    areaPressed_ = false;
    setHot(false);
    update();
    event->accept();
    if (inArea(event->position().toPoint())) popup();
}

} // namespace glyphora
