// The user's registry hive (HKEY_CURRENT_USER) as the settings use it: keys named by
// backslash paths below the hive ("Software\\Marrowfield\\Glyphora\\Settings"), holding
// string values. On Windows this is the real registry; elsewhere the settings supply a
// per-user file with the same keys and values (settings/RegistryFile.h).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace glyphora {

class UserRegistry {
public:
    virtual ~UserRegistry() = default;

    virtual bool KeyExists(const std::string& key) const = 0;
    // True when key exists and has at least one subkey.
    virtual bool HasSubkeys(const std::string& key) const = 0;
    // The string values of key as name and text, in the order the hive lists them; empty
    // when the key does not exist. Values of other types are left out.
    virtual std::vector<std::pair<std::string, std::string>> Values(const std::string& key) const = 0;
    // Sets a string value, creating the key and its parents as needed. Throws GlyphoraError.
    virtual void SetValue(const std::string& key, const std::string& name, const std::string& value) = 0;
    // Deletes key with its values and all its subkeys; a missing key is no error. Throws
    // GlyphoraError.
    virtual void DeleteKey(const std::string& key) = 0;
    // Makes every change so far lasting. Throws GlyphoraError.
    virtual void Flush() = 0;
};

// The system's own registry, or null on a system without one.
std::unique_ptr<UserRegistry> OpenSystemUserRegistry();

} // namespace glyphora
