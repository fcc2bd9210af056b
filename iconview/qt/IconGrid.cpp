// The painting control of the icon grid.
#include "iconview/qt/IconGrid.h"

#include "iconengine/DeviceIcons.h"
#include "iconview/qt/IconGridView.h"
#include "platform/Files.h"
#include "platform/qt/QtImageConversion.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace glyphora {

namespace {

QRect ToQRect(const GridRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

std::uint32_t PixelOf(const QColor& color)
{
    return MakePixel(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                     static_cast<std::uint8_t>(color.blue()));
}

} // namespace

IconGrid::IconGrid(IconGridView* scrollBox) : QWidget(scrollBox), scrollBox_(scrollBox)
{
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    current_.itemWidth = model_.ItemWidth();
    current_.itemHeight = model_.ItemHeight();
    ResizeToModel();
}

void IconGrid::ResizeToModel()
{
    resize(model_.Width(), model_.Height());
}

void IconGrid::SyncViewport()
{
    model_.SetViewport(scrollBox_->verticalScrollBar()->value(), scrollBox_->viewport()->height());
}

void IconGrid::SetFileName(const std::filesystem::path& fileName)
{
    if (fileName.native() == current_.fileName.native()) return;
    current_.fileName = fileName;
    Refresh();
}

void IconGrid::Refresh()
{
    LoadedIcons loaded = LoadFileIcons(current_.fileName, model_.Sizing(), *fileTypeIcons_);
    current_.icons = std::move(loaded.icons);
    current_.associated = loaded.associated;
    current_.sourceChanged = loaded.sourceChanged;
    deviceIcons_.clear();
    deviceIconsRatio_ = 0;
    model_.LoadIcons(static_cast<int>(current_.icons.size()));
    current_.itemWidth = model_.ItemWidth();
    current_.itemHeight = model_.ItemHeight();
    model_.FitToScrollBox(scrollBox_->Metrics());
    ResizeToModel();
    scrollBox_->verticalScrollBar()->setValue(0);
    update();
}

void IconGrid::SetIconSizing(IconSizing sizing)
{
    if (!model_.SetIconSizing(sizing)) return;
    current_.itemWidth = model_.ItemWidth();
    current_.itemHeight = model_.ItemHeight();
    if (!current_.fileName.empty() && FileExists(current_.fileName)) {
        Refresh();
        return;
    }
    deviceIconsRatio_ = 0; // read again for the new cell size
    ResizeToModel();
    update();
}

void IconGrid::SetItemIndex(int index)
{
    SyncViewport();
    ApplySelection(model_.SetItemIndex(index));
}

void IconGrid::ApplySelection(const SelectionChange& change)
{
    if (change.scrolled) scrollBox_->verticalScrollBar()->setValue(change.scrollPosition);
    for (int cell : change.redrawCells)
        update(ToQRect(model_.CellRect(cell < 0 ? 0 : cell)));
    if (change.scrolled) update();
    if (change.changed) scrollBox_->NotifySelectItem(change.itemIndex);
}

void IconGrid::SetText(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    if (Count() < 3) update();
}

void IconGrid::SetUnableToLoadOrFindIconsMsg(const std::string& text)
{
    if (text == unableMsg_) return;
    unableMsg_ = text;
    if (Count() == 0) update();
}

std::string IconGrid::MessageText() const
{
    if (Count() == 0 && !unableMsg_.empty() && !current_.fileName.empty()) return unableMsg_;
    // The hint invites the user to open a file: once a file is open it would only stand
    // beside that file's icon, so it shows on an empty grid without a file alone.
    if (Count() == 0 && current_.fileName.empty() && !text_.empty()) return text_;
    return {};
}

void IconGrid::FollowScrollBoxWidth(int clientWidth)
{
    model_.SetWidth(clientWidth);
    ResizeToModel();
    update();
}

const IconHandle* IconGrid::DeviceIcon(int index, double devicePixelRatio) const
{
    // A file shown with its file-type icon has no group to choose from.
    if (devicePixelRatio <= 1.0 || current_.associated) return nullptr;
    if (deviceIconsRatio_ != devicePixelRatio) {
        deviceIcons_ = ExtractDeviceIcons(current_.fileName, model_.ItemWidth(), devicePixelRatio, 0, INT32_MAX);
        deviceIconsRatio_ = devicePixelRatio;
        // A file that changed since the list was read keeps its logical icons.
        if (deviceIcons_.size() != current_.icons.size()) deviceIcons_.clear();
    }
    if (index < 0 || static_cast<std::size_t>(index) >= deviceIcons_.size()) return nullptr;
    const IconHandle& icon = deviceIcons_[static_cast<std::size_t>(index)];
    return icon.isNull() ? nullptr : &icon;
}

QImage IconGrid::CellImage(int index, QColor background, double devicePixelRatio) const
{
    if (const IconHandle* sharp = DeviceIcon(index, devicePixelRatio))
        return RenderDeviceIcon(*sharp, model_.ItemWidth(), model_.ItemHeight(), PixelOf(background), devicePixelRatio);
    return RenderIcon(GetIcon(index), model_.ItemWidth(), model_.ItemHeight(), PixelOf(background));
}

void IconGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QColor background = scrollBox_->palette().color(QPalette::Base);
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.fillRect(rect(), background);

    const std::string message = MessageText();
    if (!message.empty()) {
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0xC0, 0xC0, 0xC0));
        const QString text = QString::fromStdString(message);
        const QFontMetrics metrics(font);
        const int x = width() / 2 - metrics.horizontalAdvance(text) / 2;
        const int y = height() / 2 - metrics.height() / 2;
        painter.drawText(x, y + metrics.ascent(), text);
    }

    const int count = Count();
    if (count > 0) {
        const int selected = ItemIndex();
        if (selected >= 0) painter.fillRect(ToQRect(model_.CellRect(selected)), highlight);
        const QRect exposed = event->rect();
        for (int i = 0; i < count; ++i) {
            const QRect iconRect = ToQRect(model_.IconRect(i));
            if (!iconRect.intersects(exposed) || GetIcon(i).isNull()) continue;
            painter.drawImage(iconRect.topLeft(),
                              CellImage(i, i == selected ? highlight : background, devicePixelRatioF()));
        }
        if (scrollBox_->hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = ToQRect(model_.CellRect(selected >= 0 ? selected : 0));
            option.backgroundColor = selected >= 0 ? highlight : background;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
    scrollBox_->CustomPaint(painter);
}

void IconGrid::mousePressEvent(QMouseEvent* event)
{
    scrollBox_->setFocus(Qt::MouseFocusReason);
    SyncViewport();
    const QPoint at = event->position().toPoint();
    ApplySelection(model_.SelectAt(at.x(), at.y()));
    event->accept();
}

} // namespace glyphora
