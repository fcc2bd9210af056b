// Fuzz target: pack text from an untrusted file, and pack texts used as format patterns.
#include "i18n/LanguagePack.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<glyphora::PackProblem> problems;
    const glyphora::LanguagePack pack = glyphora::LanguagePack::Parse(text, problems);
    for (std::uint32_t id = 0; id < 8; ++id) {
        const std::string value = pack.Text(static_cast<std::uint16_t>(id));
        (void)glyphora::FormatText(value, std::string_view("arg"));
        (void)glyphora::FormatText(value, 42LL);
        (void)glyphora::CutToCharacters(value, 3);
    }
    (void)glyphora::FormatText(text, std::string_view("arg"));
    (void)glyphora::CompareVersions(std::string(text), "5.1.0.2");
    return 0;
}
