// Fuzz target: what the thumbnailer and the icon sets do with a file, from its bytes: told
// apart by content, the first icon drawn at a few sizes (never larger than asked), and every
// image of every group planned and turned into a transparent PNG.
#include "export/IconSet.h"
#include "export/Thumbnail.h"
#include "export/TransparentPng.h"
#include "iconengine/IconGroupReader.h"
#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    std::string why;
    const auto reader = IconGroupReader::Open(std::make_unique<MemoryByteSource>(std::span(data, size)), why);
    if (!reader) return 0;
    for (const int wanted : {16, 48, 256}) {
        const Thumbnail thumbnail = MakeThumbnail(*reader, wanted);
        if (thumbnail.png.empty() == thumbnail.problem.empty()) __builtin_trap();
    }
    for (std::size_t group = 0; group < reader->GroupCount() && group < 4; ++group) {
        const auto images = reader->Images(group);
        for (const auto layout : {IconSetLayout::Flat, IconSetLayout::Theme})
            for (const IconSetFile& file : PlanIconSet(images, "fuzz", layout))
                if (const auto bytes = reader->ImageBytes(group, file.position, 1u << 20))
                    static_cast<void>(TransparentPngOfImage(*bytes));
    }
    return 0;
}
