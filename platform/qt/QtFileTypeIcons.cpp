// The desktop's file-type icons through Qt's MIME database and icon theme.
#include "platform/qt/QtFileTypeIcons.h"

#include "platform/qt/QtImageConversion.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

namespace glyphora {

namespace {

QImage ImageOf(const QIcon& icon, int size)
{
    if (icon.isNull()) return {};
    const QPixmap pixmap = icon.pixmap(size, size);
    if (pixmap.isNull()) return {};
    QImage image = pixmap.toImage();
    if (image.width() != size || image.height() != size)
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

IconHandle QtFileTypeIconProvider::IconForFile(const std::filesystem::path& path, int size) const
{
    const QString name = QString::fromStdString(path.string());
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(name);
    QImage image;
    if (mime.isValid()) {
        image = ImageOf(QIcon::fromTheme(mime.iconName()), size);
        if (image.isNull()) image = ImageOf(QIcon::fromTheme(mime.genericIconName()), size);
    }
    if (image.isNull()) image = ImageOf(QFileIconProvider().icon(QFileInfo(name)), size);
    IconHandle icon = IconFromImage(image);
    if (icon.isNull()) return BuiltInGenericFileIcon(size);
    return icon;
}

} // namespace glyphora
