// File-system paths to and from Qt strings without loss: the native form on Windows, the
// file-name encoding of the locale on POSIX systems (so that names that are not UTF-8 still
// round-trip).
#pragma once

#include <QString>

#include <filesystem>

namespace glyphora {

QString QStringFromPath(const std::filesystem::path& path);
std::filesystem::path PathFromQString(const QString& text);

} // namespace glyphora
