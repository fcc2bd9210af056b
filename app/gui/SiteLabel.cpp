// The toolbar's web-site label.
#include "app/gui/SiteLabel.h"

#include "platform/ShellOpen.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>

#include <algorithm>

namespace glyphora {

namespace {

// The design's place: 8 pixels from the top, 14 from the right edge (356 in a 510 wide
// window, 140 x 18), in grey bold Courier New of 16 pixels.
constexpr int kTop = 8;
constexpr int kRightMargin = 14;
constexpr int kWidth = 140;
constexpr int kHeight = 18;

QFont SiteFont()
{
    QFont font;
    // Courier New where it is installed, the desktop's fixed-pitch font elsewhere.
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

} // namespace

std::string SiteName(const std::string& address)
{
    std::string name = address;
    if (const auto scheme = name.find("://"); scheme != std::string::npos) name.erase(0, scheme + 3);
    if (const auto end = name.find_first_of("/:?#"); end != std::string::npos) name.erase(end);
    if (name.rfind("www.", 0) == 0) name.erase(0, 4);
    return name;
}

SiteLabel::SiteLabel(const std::string& address, QWidget* strip) : ReliefLabel(strip), address_(address)
{
    setObjectName(QStringLiteral("siteLabel"));
    setTextStyle(TextStyle::Raised);
    setText(QString::fromStdString(SiteName(address)));
    setFont(SiteFont());
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::gray);
    setPalette(colours);
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCursor(Qt::PointingHandCursor);
    // The hint has no short part of its own: the address pops up and goes to the status bar.
    setToolTip(QString::fromStdString(address));
    setStatusTip(QString::fromStdString(address));
    // A longer name than the design's widens the label to the left rather than being cut.
    resize(std::max(kWidth, fontMetrics().horizontalAdvance(text()) + 4), kHeight);
    strip->installEventFilter(this);
    keepToTheRight();
}

void SiteLabel::keepToTheRight()
{
    move(parentWidget()->width() - kRightMargin - width(), kTop);
}

bool SiteLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) keepToTheRight();
    return ReliefLabel::eventFilter(watched, event);
}

void SiteLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        OpenWithDefaultApplication(address_);
        event->accept();
        return;
    }
    ReliefLabel::mouseReleaseEvent(event);
}

} // namespace glyphora
