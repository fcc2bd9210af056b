// Entry point of the module-resource reader for a module that is already in memory: the fuzz
// target feeds its input straight in, and runs the same parser as ModuleResources::Open does
// over a file.
#pragma once

#include "formats/ModuleResources.h"

#include <cstdint>
#include <memory>
#include <span>

namespace glyphora {

// The result reads from bytes, which the caller keeps alive and unchanged for as long as
// the result lives. nullptr when the bytes are not a PE module whose resources parse.
std::unique_ptr<ModuleResources> OpenModuleResourcesInMemory(std::span<const std::uint8_t> bytes);

} // namespace glyphora
