// Fuzz target: a settings file from an untrusted source, read as the program reads it (every
// key through the value conversions) and rewritten, which must read back to the same text.
#include "settings/IniDocument.h"
#include "settings/SettingsValues.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    glyphora::IniDocument document = glyphora::IniDocument::Parse(text);
    glyphora::IniStore store(document);
    glyphora::StoredSettings settings;
    (void)glyphora::ReadRun(store);
    glyphora::ReadSharedValues(store, settings);
    glyphora::WriteSharedValues(store, settings);
    const std::string written = document.Serialize();
    if (glyphora::IniDocument::Parse(written).Serialize() != written) std::abort();
    return 0;
}
