// The status bar's panels.
#include "app/gui/StatusPanels.h"

#include "app/gui/UiText.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>

#include <algorithm>

namespace glyphora {

namespace {

// The widest texts the report panels show: a position among thousands of icons, an image
// count of three digits and the widest colour depth, in the pack's wording.
QString WidestPositionText()
{
    return QStringLiteral("0000 / 0000");
}
QString WidestImagesText()
{
    return QString::fromStdString(FormatText(InterfaceText(kTextStatusImageCount), "000"));
}
QString WidestDepthText()
{
    return QString::fromStdString(FormatText(InterfaceText(kTextStatusColorDepth), "32"));
}

} // namespace

std::array<int, 4> StatusPanelWidths(int windowWidth, const std::array<int, 4>& minimums)
{
    std::array<int, 4> widths{};
    widths[1] = std::max(windowWidth / 10, minimums[1]);
    widths[2] = std::max(windowWidth / 6, minimums[2]);
    widths[3] = std::max(50, minimums[3]);
    // The size grip and the gaps between panels take about one more report panel's margin.
    const int others = widths[1] + widths[2] + widths[3] + 24;
    widths[0] = std::max(0, std::min(windowWidth / 2, windowWidth - others));
    return widths;
}

StatusPanels::StatusPanels(QStatusBar* bar)
{
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* label = new QLabel(bar); // owned by the status bar
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label);
        labels_.push_back(label);
    }
}

void StatusPanels::setText(StatusPanel panel, const std::string& text)
{
    texts_.at(Index(panel)) = QString::fromStdString(text);
    showText(Index(panel));
}

void StatusPanels::showText(std::size_t panel)
{
    QLabel* label = labels_.at(panel);
    const QString& full = texts_.at(panel);
    const int room = label->contentsRect().width() - 2 * label->margin() - 4;
    const QString shown = label->fontMetrics().horizontalAdvance(full) <= room
                              ? full
                              : label->fontMetrics().elidedText(full, Qt::ElideMiddle, std::max(room, 0));
    label->setText(shown);
    label->setToolTip(shown == full ? QString() : full);
}

void StatusPanels::fitToWidth(int windowWidth)
{
    const QFontMetrics metrics = labels_.front()->fontMetrics();
    // Frame, margin and a little air on each side of a text.
    const int padding = 2 * labels_.front()->frameWidth() + metrics.horizontalAdvance(QLatin1Char('0')) + 6;
    const std::array<int, 4> minimums = {0, metrics.horizontalAdvance(WidestPositionText()) + padding,
                                         metrics.horizontalAdvance(WidestImagesText()) + padding,
                                         metrics.horizontalAdvance(WidestDepthText()) + padding};
    const std::array<int, 4> widths = StatusPanelWidths(windowWidth, minimums);
    for (std::size_t i = 0; i < labels_.size(); ++i)
        labels_[i]->setFixedWidth(widths[i]);
    // The bar's own gaps, margins and size grip, as its layout has them: where they take more
    // than the widths allow for, the hint panel gives way so that no panel runs under the next.
    if (QLayout* bar = labels_.front()->parentWidget()->layout()) {
        bar->activate(); // takes the new widths into the nested rows' sizes, which invalidate() alone leaves
        const int spare = windowWidth - bar->totalMinimumSize().width();
        if (spare < 0) labels_.front()->setFixedWidth(std::max(0, widths[0] + spare));
    }
    for (std::size_t i = 0; i < labels_.size(); ++i)
        showText(i);
}

} // namespace glyphora
