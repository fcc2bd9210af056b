// PaneSplitter: a bar between two sibling widgets that resizes the one on its aligned side by
// dragging, keeping both sides at minSize or more. The find pane uses two: one above the pane
// (align Bottom: it resizes the pane below it) and one between the folder tree and the file
// list (align Right: it resizes the file list on its right).
//
// The resized control is the first visible, enabled sibling that touches the bar on its
// aligned side (found again at every press; findControl() shows which). A drag can make it no
// smaller than minSize and no larger than leaves minSize to the neighbour on the other side
// (or to the parent's edge when there is none). In a parent with a layout the splitter fixes
// the control's size along the split (setFixedHeight / setFixedWidth) and lets the layout
// place it; without a layout it sets the control's geometry itself, and moving the splitter and
// the neighbour along is then the owner's work (on moved()).
//
// resizeStyle: Update resizes while dragging; Line and Pattern show an inverted bar (solid or
// checkered) at the prospective position and resize on release; None resizes on release only.
// Escape during a drag ends it without resizing. Signals: canResize(newSize, accept) before
// each proposed size (a direct receiver may change the size or refuse it); moved() after the
// control changed size and again when a drag ends, cancelled or not.
//
// Painting: the color fill unless transparent (the default), an optional bevel, and a grip of
// six dots along the middle when the bar is more than 2 pixels thick.
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace glyphora {

enum class SplitterAlign { Left, Right, Top, Bottom };
enum class ResizeStyle { None, Line, Update, Pattern };

class PaneSplitter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(glyphora::SplitterAlign align READ align WRITE setAlign)
    Q_PROPERTY(int minSize READ minSize WRITE setMinSize)
    Q_PROPERTY(bool beveled READ isBeveled WRITE setBeveled)
    Q_PROPERTY(glyphora::ResizeStyle resizeStyle READ resizeStyle WRITE setResizeStyle)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)

public:
    explicit PaneSplitter(QWidget* parent = nullptr);
    ~PaneSplitter() override;

    SplitterAlign align() const { return align_; }
    void setAlign(SplitterAlign align);
    int minSize() const { return minSize_; }
    void setMinSize(int size);
    bool isBeveled() const { return beveled_; }
    void setBeveled(bool beveled);
    ResizeStyle resizeStyle() const { return resizeStyle_; }
    void setResizeStyle(ResizeStyle style) { resizeStyle_ = style; }
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);

    // The sibling a drag starting now would resize, or null.
    QWidget* findControl() const;
    bool isDragging() const { return control_ != nullptr; }
    // The drag feedback bar is shown (Line and Pattern styles while dragging).
    bool isLineVisible() const;
    // The largest size of the current drag (meaningful while dragging).
    int maximumDragSize() const { return maxSize_; }

    QSize sizeHint() const override;

signals:
    void canResize(int& newSize, bool& accept);
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool splitsHeight() const { return align_ == SplitterAlign::Top || align_ == SplitterAlign::Bottom; }
    QWidget* siblingOn(SplitterAlign side) const;
    int extentOf(const QWidget* widget) const;
    int sizeFor(const QPoint& parentPos);
    void applySize(int size);
    void showLine(bool show);
    void endDrag();

    SplitterAlign align_ = SplitterAlign::Left;
    int minSize_ = 40;
    bool beveled_ = false;
    ResizeStyle resizeStyle_ = ResizeStyle::Pattern;
    QColor color_;
    bool transparent_ = true;

    QPointer<QWidget> control_;
    QPoint downPos_; // parent coordinates
    int startSize_ = 0;
    int maxSize_ = 0;
    int newSize_ = 0;
    int split_ = 0;
    int oldSize_ = -1;
    QPointer<QWidget> line_;
};

} // namespace glyphora
