// PopupButton: a soft button with a drop-down arrow that opens a menu (or shows a panel) just
// below its bottom-left corner.
//
// Without separateDropDown any click emits clicked() and then opens the drop-down. With it, the
// arrow area (the rightmost dropDownAreaWidth() pixels: 13 for buttons narrower than 32, else
// 14) is a part of its own: pressing there shows it pressed, releasing inside opens the
// drop-down and clicked() is not emitted; the rest of the button acts as a soft button.
// drawDropDown off paints a plain soft button and never opens anything by the area.
//
// The drop-down is a QMenu (popped up at the anchor) or any other widget (a panel: moved to
// the anchor, converted into its parent's coordinates, and shown). Before opening,
// aboutToPopup(handled) is emitted; a receiver that sets handled to true (direct connection)
// keeps the drop-down closed. droppedDown is true while the menu is open. Clicks made from code
// with click() emit clicked() only; popup() opens the drop-down from code.
#pragma once

#include "widgets/SoftButton.h"

#include <QPointer>

namespace glyphora {

class PopupButton : public SoftButton {
    Q_OBJECT
    Q_PROPERTY(bool drawDropDown READ drawDropDown WRITE setDrawDropDown)
    Q_PROPERTY(bool separateDropDown READ separateDropDown WRITE setSeparateDropDown)
    Q_PROPERTY(QWidget* dropDown READ dropDown WRITE setDropDown)
    Q_PROPERTY(bool droppedDown READ isDroppedDown)

public:
    explicit PopupButton(QWidget* parent = nullptr);

    bool drawDropDown() const { return drawDropDown_; }
    void setDrawDropDown(bool draw);
    bool separateDropDown() const { return separateDropDown_; }
    void setSeparateDropDown(bool separate);
    QWidget* dropDown() const { return dropDown_; }
    void setDropDown(QWidget* dropDown);
    bool isDroppedDown() const { return droppedDown_; }
    // The arrow area is held down (pressed inside it and the pointer is still there).
    bool isDropDownPressed() const { return areaPressed_; }
    int dropDownAreaWidth() const { return DropDownAreaWidth(width()); }
    // The point the drop-down opens at: the bottom-left corner, in screen coordinates.
    QPoint dropDownAnchor() const;

public slots:
    void popup();

signals:
    void aboutToPopup(bool& handled);

protected:
    ButtonFace face() const override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool inArea(const QPoint& pos) const;

    bool drawDropDown_ = true;
    bool separateDropDown_ = false;
    QPointer<QWidget> dropDown_;
    bool droppedDown_ = false;
    bool areaDragging_ = false;
    bool areaPressed_ = false;
    bool clickPending_ = false;
};

} // namespace glyphora
