// The two settings stores and how the program uses them. The INI file "gphx.ini" is the
// primary store. The second store is the registry key Software\Marrowfield\Glyphora below
// HKEY_CURRENT_USER (or its per-user counterpart on a system without a registry), written
// only while "Save Setting to Registry" is on and read only when the INI file is missing or
// unreadable.
#pragma once

#include "platform/UserRegistry.h"
#include "settings/Settings.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace glyphora {

inline constexpr std::string_view kMakerKey = "Software\\Marrowfield";
inline constexpr std::string_view kProgramKey = "Software\\Marrowfield\\Glyphora";

class SettingsStorage {
public:
    // iniFile may be empty (no folder for it): it then reads as missing and cannot be written.
    SettingsStorage(std::filesystem::path iniFile, std::unique_ptr<UserRegistry> registry);

    const std::filesystem::path& IniFile() const { return iniFile_; }
    UserRegistry& Registry() { return *registry_; }

    // Start-up: "SettingsInRegistry" := whether the registry key exists; the INI file is read,
    // and when that fails while the key exists, the registry. settings comes in holding the
    // window's current placement and find pane, which serve as their defaults.
    void Load(StoredSettings& settings);

    // Shut-down: the INI file, then the registry (written or deleted). A failure of either is
    // ignored; false tells that something was not written.
    bool Save(const StoredSettings& settings) noexcept;

    // The single steps.
    bool SettingsKeyExists() const;
    // False, having read nothing, when the key exists and the file does not, or when the file
    // cannot be read; a missing file otherwise reads as empty, so every value takes its default.
    bool ReadIni(StoredSettings& settings);
    // Reads the registry and writes the new start count back to it at once.
    void ReadReg(StoredSettings& settings);
    // Replaces keys in place and keeps whatever else the file holds. Throws GlyphoraError.
    void WriteIni(const StoredSettings& settings);
    // With "SettingsInRegistry": writes every value but "Run"; without it: deletes the
    // program's key, and the maker's key when nothing else is left below it. Throws
    // GlyphoraError.
    void WriteReg(const StoredSettings& settings);

private:
    std::filesystem::path iniFile_;
    std::unique_ptr<UserRegistry> registry_;
};

// The stores of the running program: "gphx.ini" beside the executable when that folder is
// writable, else in the user's settings folder; the system's registry, or else the file
// "registry.ini" in the user's settings folder.
SettingsStorage OpenProgramSettingsStorage();

} // namespace glyphora
