// Keys, value conversions and the read and write orders of the stored settings.
#include "settings/SettingsValues.h"

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/UserRegistry.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace glyphora {

namespace {

constexpr std::string_view kRecentSection = "Recent";
constexpr std::string_view kPlacementSection = "Placement";
// A key of the Settings section after those of the original program, which keeps it when it
// rewrites the file, as it does every key it does not know.
constexpr std::string_view kShowHiddenFoldersKey = "ShowHiddenFolders";
constexpr std::size_t kMaxRecentFiles = 12;
// Keys of the Placement section after those of the original program, which keeps them when it
// rewrites the file: what the find pane scans.
constexpr std::string_view kFindFolderKey = "FindFolder";
constexpr std::string_view kFindIncludeSubfoldersKey = "FindIncludeSubfolders";
constexpr std::string_view kFindMinimumCountKey = "FindMinimumCount";

// A general setting that is a Boolean: its key and where it lives in the settings.
struct BooleanKey {
    std::string_view key;
    bool WindowSettings::*window;
    bool ExportSettings::*exportOption;
};

bool& Field(StoredSettings& settings, const BooleanKey& entry)
{
    return entry.window ? settings.window.*entry.window : settings.exportOptions.*entry.exportOption;
}

bool Field(const StoredSettings& settings, const BooleanKey& entry)
{
    return entry.window ? settings.window.*entry.window : settings.exportOptions.*entry.exportOption;
}

// In the order they follow "Language" in the "Settings" section.
constexpr BooleanKey kBooleanKeys[] = {
    {"OpenAfterSave", &WindowSettings::openAfterSave, nullptr},
    {"ShowSeparateWindow", &WindowSettings::showSeparateWindow, nullptr},
    {"SmallIcons", &WindowSettings::smallIcons, nullptr},
    {"ExpIncludeNumbers", nullptr, &ExportSettings::includeNumbers},
    {"ExpDrawBorder", nullptr, &ExportSettings::drawBorders},
    {"ExpGrayScale", nullptr, &ExportSettings::grayScale},
};

// The placement's four edges, in the order they are written.
struct EdgeKey {
    std::string_view key;
    int WindowPlacement::*edge;
};
constexpr EdgeKey kEdgeKeys[] = {
    {"Left", &WindowPlacement::left},
    {"Top", &WindowPlacement::top},
    {"Right", &WindowPlacement::right},
    {"Bottom", &WindowPlacement::bottom},
};

} // namespace

std::optional<std::string> IniStore::Value(std::string_view section, std::string_view key) const
{
    return document_.Value(section, key);
}

std::vector<std::string> IniStore::Keys(std::string_view section) const
{
    return document_.Keys(section);
}

void IniStore::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    document_.SetValue(section, key, value);
}

void IniStore::EraseSection(std::string_view section)
{
    document_.EraseSection(section);
}

std::string RegistryStore::SubKey(std::string_view section) const
{
    return key_ + "\\" + std::string(section);
}

std::optional<std::string> RegistryStore::Value(std::string_view section, std::string_view key) const
{
    for (auto& [name, text] : registry_.Values(SubKey(section)))
        if (EqualsIgnoringCase(name, key)) return text;
    return std::nullopt;
}

std::vector<std::string> RegistryStore::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    for (auto& [name, text] : registry_.Values(SubKey(section)))
        keys.push_back(name);
    return keys;
}

void RegistryStore::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    registry_.SetValue(SubKey(section), std::string(key), std::string(value));
}

void RegistryStore::EraseSection(std::string_view section)
{
    registry_.DeleteKey(SubKey(section));
}

std::optional<int> ParseStoredInteger(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int ReadInteger(const SettingsStore& store, std::string_view section, std::string_view key, int fallback)
{
    const std::optional<std::string> text = store.Value(section, key);
    if (!text) return fallback;
    return ParseStoredInteger(*text).value_or(fallback);
}

bool ReadBoolean(const SettingsStore& store, std::string_view section, std::string_view key, bool fallback)
{
    return ReadInteger(store, section, key, fallback ? 1 : 0) != 0;
}

void WriteInteger(SettingsStore& store, std::string_view section, std::string_view key, int value)
{
    store.SetValue(section, key, std::to_string(value));
}

void WriteBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool value)
{
    store.SetValue(section, key, value ? "1" : "0");
}

int ReadRun(const SettingsStore& store)
{
    const int stored = ReadInteger(store, kSettingsSection, kRunKey, 0);
    return stored == std::numeric_limits<int>::max() ? stored : stored + 1;
}

void ReadSharedValues(const SettingsStore& store, StoredSettings& settings)
{
    const StoredSettings defaults;
    settings.window.language = ReadInteger(store, kSettingsSection, "Language", defaults.window.language);
    for (const BooleanKey& entry : kBooleanKeys)
        Field(settings, entry) = ReadBoolean(store, kSettingsSection, entry.key, Field(defaults, entry));
    ExportSettings& options = settings.exportOptions;
    options.dbfFieldName =
        store.Value(kSettingsSection, "ExpDBFFieldName").value_or(defaults.exportOptions.dbfFieldName);
    // Stored as their codes; a code outside the range reads as the first choice.
    options.targetImageType = HtmlPictureTypeFromCode(ReadInteger(
        store, kSettingsSection, "ExpTargetImageType", HtmlPictureTypeCode(defaults.exportOptions.targetImageType)));
    options.dbfType = ValidDbfType(OutputKindFromCode(
        ReadInteger(store, kSettingsSection, "ExpDBFType", OutputKindCode(defaults.exportOptions.dbfType))));
    settings.window.showHiddenFolders =
        ReadBoolean(store, kSettingsSection, kShowHiddenFoldersKey, defaults.window.showHiddenFolders);

    // The writer stores position p under the key "p", the oldest first. The INI file and the
    // Linux stand-in list keys in the order they were written, but the registry may list
    // values sorted by name, so the numbered keys are put back into the writer's order.
    std::vector<std::string> recentKeys = store.Keys(kRecentSection);
    std::stable_sort(recentKeys.begin(), recentKeys.end(), [](const std::string& a, const std::string& b) {
        const auto first = ParseStoredInteger(a), second = ParseStoredInteger(b);
        return first && (!second || *first > *second); // a key that is no number goes last
    });
    std::vector<std::string> recent;
    for (const std::string& key : recentKeys) {
        const std::string path = store.Value(kRecentSection, key).value_or(std::string{});
        if (path.empty() || !FileExists(path)) continue;
        recent.insert(recent.begin(), path);
        if (recent.size() > kMaxRecentFiles) recent.pop_back();
    }
    settings.recentFiles = std::move(recent);

    WindowPlacement& placement = settings.placement;
    if (ReadBoolean(store, kPlacementSection, "Maximized", false)) placement.maximized = true;
    for (const EdgeKey& entry : kEdgeKeys)
        placement.*entry.edge = ReadInteger(store, kPlacementSection, entry.key, placement.*entry.edge);

    FindPaneSettings& pane = settings.window.findPane;
    pane.visible = ReadBoolean(store, kPlacementSection, "FindPanelVisible", false);
    pane.height = ReadInteger(store, kPlacementSection, "FindPanelHeight", pane.height);
    pane.filePanelWidth = ReadInteger(store, kPlacementSection, "FilePanelWidth", pane.filePanelWidth);
    FindScanSettings& scan = settings.window.findScan;
    scan.folder = store.Value(kPlacementSection, kFindFolderKey).value_or(scan.folder);
    scan.includeSubfolders = ReadBoolean(store, kPlacementSection, kFindIncludeSubfoldersKey, scan.includeSubfolders);
    // A minimum the pane's box cannot hold keeps the one there is.
    const int minimum = ReadInteger(store, kPlacementSection, kFindMinimumCountKey, scan.minimumCount);
    if (minimum >= FindScanSettings::kLeastMinimumCount && minimum <= FindScanSettings::kLargestMinimumCount)
        scan.minimumCount = minimum;
}

void WriteSharedValues(SettingsStore& store, const StoredSettings& settings)
{
    WriteInteger(store, kSettingsSection, "Language", settings.window.language);
    for (const BooleanKey& entry : kBooleanKeys)
        WriteBoolean(store, kSettingsSection, entry.key, Field(settings, entry));
    store.SetValue(kSettingsSection, "ExpDBFFieldName", settings.exportOptions.dbfFieldName);
    WriteInteger(store, kSettingsSection, "ExpTargetImageType",
                 HtmlPictureTypeCode(settings.exportOptions.targetImageType));
    WriteInteger(store, kSettingsSection, "ExpDBFType", OutputKindCode(settings.exportOptions.dbfType));
    WriteBoolean(store, kSettingsSection, kShowHiddenFoldersKey, settings.window.showHiddenFolders);

    store.EraseSection(kRecentSection);
    const std::size_t count = std::min(settings.recentFiles.size(), kMaxRecentFiles);
    for (std::size_t p = count; p-- > 0;)
        store.SetValue(kRecentSection, std::to_string(p), settings.recentFiles[p]);

    const FindPaneSettings& pane = settings.window.findPane;
    WriteInteger(store, kPlacementSection, "FindPanelHeight", pane.height);
    WriteInteger(store, kPlacementSection, "FilePanelWidth", pane.filePanelWidth);
    WriteBoolean(store, kPlacementSection, "FindPanelVisible", pane.visible);
    const FindScanSettings& scan = settings.window.findScan;
    store.SetValue(kPlacementSection, kFindFolderKey, scan.folder);
    WriteBoolean(store, kPlacementSection, kFindIncludeSubfoldersKey, scan.includeSubfolders);
    WriteInteger(store, kPlacementSection, kFindMinimumCountKey, scan.minimumCount);
    for (const EdgeKey& entry : kEdgeKeys)
        WriteInteger(store, kPlacementSection, entry.key, settings.placement.*entry.edge);
    WriteBoolean(store, kPlacementSection, "Maximized", settings.placement.maximized);
}

} // namespace glyphora
