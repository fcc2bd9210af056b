// File-type associations on POSIX desktops: MIME types name icons by theme name, never by
// module, so no extension has a DefaultIcon registration.
#include "platform/FileAssociations.h"

namespace glyphora {

std::string ReadDefaultIconRegistration(const std::string&)
{
    return {};
}

} // namespace glyphora
