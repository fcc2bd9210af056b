// The About box.
#include "app/gui/AboutDialog.h"

#include "app/gui/AppIcon.h"
#include "app/gui/LibraryVersions.h"
#include "platform/ShellOpen.h"
#include "widgets/PushButton.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>

namespace glyphora {

namespace {

constexpr int kClientWidth = 289;
constexpr int kClientHeight = 265; // the design's 185, and room for the library list

// Impact where it is installed. Elsewhere the font matcher may answer a request for it with
// any font, even one of symbols, so the application's own font serves instead.
QFont HeadingFont(int pixelSize, bool bold)
{
    QFont font = QApplication::font();
    if (QFontDatabase::families().contains(QStringLiteral("Impact"))) font.setFamilies({QStringLiteral("Impact")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

std::string AddressTarget(const std::string& caption)
{
    if (caption.find('@') != std::string::npos) return "mailto:" + caption;
    if (caption.rfind("www", 0) == 0) return "http://" + caption;
    return caption;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About..."));
    setFixedSize(kClientWidth, kClientHeight);

    iconLabel_ = new QLabel(this);
    iconLabel_->setGeometry(16, 16, 32, 32);
    iconLabel_->setPixmap(ApplicationIcon().pixmap(32, 32));
    nameLabel_ = new QLabel(QStringLiteral("Glyphora"), this);
    nameLabel_->setFont(HeadingFont(26, true));
    nameLabel_->setGeometry(64, 8, 209, 34);
    versionLabel_ = new QLabel(QStringLiteral(GLYPHORA_VERSION), this);
    versionLabel_->setFont(HeadingFont(15, false));
    versionLabel_->setGeometry(64, 42, 209, 20);
    noticeLabel_ = new QLabel(QString::fromUtf8(kNotice), this);
    noticeLabel_->setGeometry(16, 76, 257, 17);
    addressLabel_ = new QLabel(QString::fromLatin1(kWebAddress), this);
    addressLabel_->setGeometry(16, 98, 257, 17);
    addressLabel_->setStyleSheet(QStringLiteral("color: blue"));
    addressLabel_->setCursor(Qt::PointingHandCursor);
    addressLabel_->installEventFilter(this);

    QString libraries = QStringLiteral("Built with:");
    for (const LibraryVersion& library : UsedLibraries())
        libraries += QStringLiteral("\n  ") + QString::fromStdString(library.name) + QLatin1Char(' ') +
                     QString::fromStdString(library.version);
    librariesLabel_ = new QLabel(libraries, this);
    librariesLabel_->setGeometry(16, 124, 257, 100);
    librariesLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    librariesLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    okButton_ = new PushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry((kClientWidth - 75) / 2, kClientHeight - 35, 75, 27);
    okButton_->setDefault(true); // Escape closes the box too, as QDialog's cancel
    connect(okButton_, &QAbstractButton::clicked, this, &QDialog::accept);

    const std::pair<QObject*, const char*> named[] = {
        {iconLabel_, "iconLabel"},     {nameLabel_, "nameLabel"},       {versionLabel_, "versionLabel"},
        {noticeLabel_, "noticeLabel"}, {addressLabel_, "addressLabel"}, {librariesLabel_, "librariesLabel"},
        {okButton_, "okButton"},
    };
    for (const auto& [object, name] : named)
        object->setObjectName(QString::fromLatin1(name));
}

void AboutDialog::openAddress() const
{
    OpenWithDefaultApplication(AddressTarget(addressLabel_->text().toStdString()));
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == addressLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openAddress();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace glyphora
