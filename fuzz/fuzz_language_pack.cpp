// Fuzz target: a pack file's bytes in either form (text, or a module with a string table,
// told apart by content), and pack texts used as format patterns.
#include "i18n/LanguagePack.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const glyphora::LanguagePackFile file = glyphora::LanguagePackFromBytes(bytes, "fuzz.lng");
    if (file.pack) {
        for (const std::uint16_t id : file.pack->Ids()) {
            const std::string value = file.pack->Text(id);
            (void)glyphora::FormatText(value, std::string_view("arg"));
            (void)glyphora::FormatText(value, 42LL);
            (void)glyphora::CutToCharacters(value, 3);
        }
    }
    (void)glyphora::FormatText(bytes, std::string_view("arg"));
    (void)glyphora::CompareVersions(std::string(bytes), "5.1.0.2");
    return 0;
}
