// The registry's counterpart on a system without one: a per-user file that holds the same
// keys and string values. Each key with values is an INI section named by its full path
// below the hive ("[Software\Marrowfield\Glyphora\Settings]"); a key exists while it or one
// of its subkeys has a section. Changes collect in memory and Flush writes the file
// atomically, or removes it once no key is left, so a crash never leaves half a store.
#pragma once

#include "platform/UserRegistry.h"
#include "settings/IniDocument.h"

#include <filesystem>

namespace glyphora {

class RegistryFile final : public UserRegistry {
public:
    // Reads file now; a missing file is an empty hive.
    explicit RegistryFile(std::filesystem::path file);

    bool KeyExists(const std::string& key) const override;
    bool HasSubkeys(const std::string& key) const override;
    std::vector<std::pair<std::string, std::string>> Values(const std::string& key) const override;
    void SetValue(const std::string& key, const std::string& name, const std::string& value) override;
    void DeleteKey(const std::string& key) override;
    // Throws GlyphoraError when the file cannot be written, and also when it could not be
    // read: replacing a file we could not read would lose what it holds.
    void Flush() override;

    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
    IniDocument document_;
    bool readable_ = true;
    bool changed_ = false;
};

} // namespace glyphora
