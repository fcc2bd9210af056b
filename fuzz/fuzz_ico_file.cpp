// Fuzz target: the bytes of an .ico file, chosen from and scaled at the usual sizes.
#include "iconengine/IconExtraction.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    const std::span<const std::uint8_t> bytes(data, size);
    for (int wanted : {16, 32, 48}) {
        const IconHandle icon = IconFromIcoBytes(bytes, wanted);
        if (!icon.isNull() && (icon.width != wanted || icon.height != wanted)) __builtin_trap();
    }
    return 0;
}
