// Fuzz target of the module-resource reader: parses the input as a PE module from memory
// (the same parser ModuleResources::Open runs on a mapped file), lists the group icons
// and icons and looks every one of them up.
#include "formats/ModuleReaders.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    auto module = OpenModuleResourcesInMemory(std::span<const std::uint8_t>(data, size));
    if (!module) return 0;
    for (ResourceType type : {ResourceType::GroupIcon, ResourceType::Icon}) {
        const auto names = module->EnumNames(type);
        if (module->Count(type) != names.size()) __builtin_trap();
        for (const auto& name : names) {
            const auto bytes = module->Find(type, name);
            if (bytes && bytes->size() > size) __builtin_trap(); // data must come from the input
        }
    }
    return 0;
}
