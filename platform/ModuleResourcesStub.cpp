// TEMPORARY STUB so that this branch links before the module reader lands: no file opens
// as a module. Dropped at merge.
#include "platform/ModuleResources.h"

namespace glyphora {

std::unique_ptr<ModuleResources> ModuleResources::Open(const std::filesystem::path&)
{
    return nullptr;
}

} // namespace glyphora
