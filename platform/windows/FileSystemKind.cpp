// Windows shows no pseudo file systems among its folders: devices and processes live in
// namespaces of their own that no folder path leads into.
#include "platform/FileSystemKind.h"

namespace glyphora {

FileSystemKind FileSystemKindOf(const std::filesystem::path&)
{
    return FileSystemKind::Ordinary;
}

} // namespace glyphora
