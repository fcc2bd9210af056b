// The stored form of the settings, shared by both stores: which section and key hold which
// setting, how text becomes a value (an absent or unreadable value gives the default), and
// the order in which the keys are read and written.
#pragma once

#include "settings/IniDocument.h"
#include "settings/Settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

class UserRegistry;

// One store seen as sections of named text values.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Value(std::string_view section, std::string_view key) const = 0;
    // The keys of a section in the order the store lists them.
    virtual std::vector<std::string> Keys(std::string_view section) const = 0;
    virtual void SetValue(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void EraseSection(std::string_view section) = 0;
};

// The sections of an INI document.
class IniStore final : public SettingsStore {
public:
    explicit IniStore(IniDocument& document) : document_(document) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;
    std::vector<std::string> Keys(std::string_view section) const override;
    void SetValue(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;

private:
    IniDocument& document_;
};

// The sections as subkeys of one registry key; erasing a section deletes its subkey.
class RegistryStore final : public SettingsStore {
public:
    RegistryStore(UserRegistry& registry, std::string key) : registry_(registry), key_(std::move(key)) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;
    std::vector<std::string> Keys(std::string_view section) const override;
    void SetValue(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;

private:
    std::string SubKey(std::string_view section) const;

    UserRegistry& registry_;
    std::string key_;
};

// Section and key names that the storage sequences use on their own.
inline constexpr std::string_view kSettingsSection = "Settings";
inline constexpr std::string_view kRunKey = "Run";
inline constexpr std::string_view kSaveToRegistryKey = "SaveSettingsToRegistry";

// A stored integer: decimal digits with an optional sign, spaces around allowed, within the
// signed 32-bit range; anything else is unreadable.
std::optional<int> ParseStoredInteger(std::string_view text);

int ReadInteger(const SettingsStore& store, std::string_view section, std::string_view key, int fallback);
// True for any integer other than 0.
bool ReadBoolean(const SettingsStore& store, std::string_view section, std::string_view key, bool fallback);
void WriteInteger(SettingsStore& store, std::string_view section, std::string_view key, int value);
void WriteBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool value);

// The start counter after this start: the stored "Run" + 1 (no further than the largest
// integer).
int ReadRun(const SettingsStore& store);

// Reads what both stores hold alike, in this order: "Language" to "ExpDBFType" and
// "ShowHiddenFolders", the recent list, the placement, the find pane. Missing general values
// take their defaults; missing placement and find-pane values keep what settings holds (the
// window's current state).
// Recent lines are taken in store order, each existing file going to the top, so the last
// line read ends up first; of more than 12 the 12 read last stay.
void ReadSharedValues(const SettingsStore& store, StoredSettings& settings);

// Writes what both stores hold alike: "Language" to "ExpDBFType" and "ShowHiddenFolders" in
// place, the "Recent" section erased and written anew from the oldest entry (key 11 or less)
// to the newest (key 0), then the placement with the find pane.
void WriteSharedValues(SettingsStore& store, const StoredSettings& settings);

} // namespace glyphora
