// IconGridView: the vertically scrolling container of the icon grid. It owns one
// IconGrid, takes the keyboard focus, turns navigation keys and the mouse wheel into
// selection moves, reports each selection and passes dropped files on.
#pragma once

#include "iconview/qt/IconGrid.h"

#include <QScrollArea>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;
class QPainter;

namespace glyphora {

class IconGridView final : public QScrollArea {
public:
    using SelectItemEvent = std::function<void(int index)>;
    using DropFilesEvent = std::function<void(int x, int y, const QStringList& files)>;
    using CustomPaintEvent = std::function<void(QPainter& painter)>;

    explicit IconGridView(QWidget* parent = nullptr);

    IconGrid* grid() const { return grid_; }

    void SetOnSelectItem(SelectItemEvent handler) { onSelectItem_ = std::move(handler); }
    // Assigning a handler accepts files dropped onto the grid; clearing it stops that.
    void SetOnDropFiles(DropFilesEvent handler);
    void SetOnCustomPaint(CustomPaintEvent handler) { onCustomPaint_ = std::move(handler); }

    // The files of a drop at a point of the box: every local path, in drop order, goes to
    // the drop handler with the point in client coordinates.
    void DropFiles(const QMimeData& data, QPoint at);

    // A navigation key; true when it was consumed.
    bool MoveSelection(GridKey key);

    // The system's metrics of this box for a reload of the grid.
    ScrollBoxMetrics Metrics() const;

    // Called by the grid.
    void NotifySelectItem(int index) const
    {
        if (onSelectItem_) onSelectItem_(index);
    }
    void CustomPaint(QPainter& painter) const
    {
        if (onCustomPaint_) onCustomPaint_(painter);
    }

protected:
    bool event(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    IconGrid* grid_;
    SelectItemEvent onSelectItem_;
    DropFilesEvent onDropFiles_;
    CustomPaintEvent onCustomPaint_;
    int wheelRemainder_ = 0;
};

// The navigation key of a Qt key, or nothing for any other key.
std::optional<GridKey> GridKeyFor(int qtKey);

} // namespace glyphora
