// Opening a module as data: the signature behind its DOS header says which reader parses it.
#include "formats/ModuleResources.h"

#include "formats/ModuleReaders.h"
#include "formats/MzHeader.h"
#include "platform/FileReader.h"

#include <utility>

namespace glyphora {

std::unique_ptr<ModuleResources> ModuleResources::Open(std::unique_ptr<ByteSource> source)
{
    if (!source) return nullptr;
    auto file = std::make_unique<ModuleFile>(std::move(source));
    switch (DetectModuleFormat(file->reader)) {
    case ModuleFormat::Pe: return OpenPeModule(std::move(file));
    case ModuleFormat::Ne: return OpenNeModule(std::move(file));
    case ModuleFormat::Unknown: break;
    }
    return nullptr;
}

std::unique_ptr<ModuleResources> ModuleResources::Open(const std::filesystem::path& path)
{
    return Open(FileReader::Open(path));
}

std::optional<std::size_t> ModuleResources::CountOf(const std::filesystem::path& path, ResourceType type)
{
    const std::unique_ptr<ByteSource> source = FileReader::Open(path);
    if (!source) return std::nullopt;
    SourceReader bytes(*source);
    std::optional<std::size_t> count;
    switch (DetectModuleFormat(bytes)) {
    case ModuleFormat::Pe: count = CountPeResources(bytes, type); break;
    case ModuleFormat::Ne: count = CountNeResources(bytes, type); break;
    case ModuleFormat::Unknown: break;
    }
    // A file that shrank while it was read counts as no module rather than a wrong count.
    if (bytes.readFailed()) return std::nullopt;
    return count;
}

std::unique_ptr<ModuleResources> OpenModuleResourcesInMemory(std::span<const std::uint8_t> bytes)
{
    return ModuleResources::Open(std::make_unique<MemoryByteSource>(bytes));
}

std::unique_ptr<ModuleResources> OpenNeModuleInMemory(std::span<const std::uint8_t> bytes)
{
    return OpenNeModule(std::make_unique<ModuleFile>(std::make_unique<MemoryByteSource>(bytes)));
}

} // namespace glyphora
