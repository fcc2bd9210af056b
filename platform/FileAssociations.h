// The system's file-type associations: the "DefaultIcon" registration of an extension, a
// module path with an optional ",index". Windows keeps them in the registry; the Linux
// desktop has no such registration, so there every extension has none.
#pragma once

#include <string>

namespace glyphora {

// The raw DefaultIcon value registered for an extension (lower case, with its dot), or "".
std::string ReadDefaultIconRegistration(const std::string& extension);

} // namespace glyphora
