// What the module-reader tests share: names written out for comparison, and opening a module
// written to disk while checking that the count-only path agrees with the full reader.
#pragma once

#include "formats/ModuleResources.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace glyphora::testing {

inline std::string Describe(const ResourceName& name)
{
    return name.isString ? "\"" + name.text + "\"" : std::to_string(name.id);
}

inline std::vector<std::string> Describe(const std::vector<ResourceName>& names)
{
    std::vector<std::string> out;
    for (const auto& n : names)
        out.push_back(Describe(n));
    return out;
}

// Writes bytes to path and opens them as a module; CountOf must give every type's count of
// the opened module, or nothing where the module does not open.
inline std::unique_ptr<ModuleResources> WriteAndOpenModule(const std::filesystem::path& path,
                                                           const std::vector<std::uint8_t>& bytes)
{
    WriteWholeFile(path, bytes);
    auto module = ModuleResources::Open(path);
    for (ResourceType type : {ResourceType::Icon, ResourceType::GroupIcon})
        EXPECT_EQ(ModuleResources::CountOf(path, type),
                  module ? std::optional<std::size_t>(module->Count(type)) : std::nullopt);
    return module;
}

} // namespace glyphora::testing
