// Paths to and from Qt strings.
#include "platform/qt/QtPaths.h"

#include <QFile>

namespace glyphora {

QString QStringFromPath(const std::filesystem::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path PathFromQString(const QString& text)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(text.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

} // namespace glyphora
