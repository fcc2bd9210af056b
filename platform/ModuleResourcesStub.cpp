// TEMPORARY STUB until the module reader lands: no file opens as a module yet.
#include "platform/ModuleResources.h"

namespace glyphora {

std::unique_ptr<ModuleResources> ModuleResources::Open(const std::filesystem::path&)
{
    return nullptr;
}

} // namespace glyphora
