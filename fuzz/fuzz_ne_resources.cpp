// Fuzz target of the 16-bit (NE) module reader: parses the input as an NE module from memory
// (the same reader ModuleResources::Open runs on a file that carries the NE signature), lists
// the group icons and icons, looks every one of them up and decodes the icons of the first
// groups, so that the padding cut of icon images runs on whatever the table claims.
#include "formats/ModuleReaders.h"
#include "iconengine/IconExtraction.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    auto module = OpenNeModuleInMemory(std::span<const std::uint8_t>(data, size));
    if (!module) return 0;
    for (ResourceType type : {ResourceType::GroupIcon, ResourceType::Icon}) {
        const auto names = module->EnumNames(type);
        if (module->Count(type) != names.size()) __builtin_trap();
        if (names.size() > size / 12) __builtin_trap(); // every entry takes 12 bytes of the table
        for (const auto& name : names) {
            const auto bytes = module->Find(type, name);
            if (bytes && bytes->size() > size) __builtin_trap(); // data must come from the input
        }
    }
    (void)ExtractModuleIcons(*module, kSmallIconSize, 0, 4);
    return 0;
}
