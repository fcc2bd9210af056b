// The loading order and precedence at start-up, and the writing at shut-down.
#include "settings/SettingsStorage.h"

#include "platform/Files.h"
#include "platform/SettingsLocation.h"
#include "settings/IniDocument.h"
#include "settings/RegistryFile.h"
#include "settings/SettingsValues.h"

#include <exception>
#include <string>

namespace glyphora {

namespace {

constexpr std::string_view kRegistryFileName = "registry.ini";

} // namespace

SettingsStorage::SettingsStorage(std::filesystem::path iniFile, std::unique_ptr<UserRegistry> registry)
    : iniFile_(std::move(iniFile)), registry_(std::move(registry))
{}

bool SettingsStorage::SettingsKeyExists() const
{
    return registry_->KeyExists(std::string(kProgramKey));
}

void SettingsStorage::Load(StoredSettings& settings)
{
    settings.window.settingsInRegistry = SettingsKeyExists();
    if (!ReadIni(settings) && settings.window.settingsInRegistry) ReadReg(settings);
}

bool SettingsStorage::Save(const StoredSettings& settings) noexcept
{
    bool saved = true;
    try {
        WriteIni(settings);
    } catch (...) {
        saved = false;
    }
    try {
        WriteReg(settings);
    } catch (...) {
        saved = false;
    }
    return saved;
}

bool SettingsStorage::ReadIni(StoredSettings& settings)
{
    if (settings.window.settingsInRegistry && !FileExists(iniFile_)) return false;
    std::optional<IniDocument> document = ReadIniFile(iniFile_);
    if (!document) return false;
    IniStore store(*document);
    settings.window.run = ReadRun(store);
    settings.window.settingsInRegistry =
        ReadBoolean(store, kSettingsSection, kSaveToRegistryKey, false) || SettingsKeyExists();
    ReadSharedValues(store, settings);
    return true;
}

void SettingsStorage::ReadReg(StoredSettings& settings)
{
    RegistryStore store(*registry_, std::string(kProgramKey));
    settings.window.run = ReadRun(store);
    try {
        WriteInteger(store, kSettingsSection, kRunKey, settings.window.run);
        registry_->Flush();
    } catch (const std::exception&) {
        // An unwritable store still lends its settings; the count is then kept in the INI file.
    }
    ReadSharedValues(store, settings);
}

void SettingsStorage::WriteIni(const StoredSettings& settings)
{
    // A file that cannot be read is replaced rather than kept: it holds nothing we could keep.
    IniDocument document = ReadIniFile(iniFile_).value_or(IniDocument{});
    IniStore store(document);
    WriteInteger(store, kSettingsSection, kRunKey, settings.window.run);
    WriteBoolean(store, kSettingsSection, kSaveToRegistryKey, settings.window.settingsInRegistry);
    WriteSharedValues(store, settings);
    WriteIniFile(iniFile_, document);
}

void SettingsStorage::WriteReg(const StoredSettings& settings)
{
    const bool keyExists = SettingsKeyExists();
    if (!settings.window.settingsInRegistry && !keyExists) return;
    if (settings.window.settingsInRegistry) {
        RegistryStore store(*registry_, std::string(kProgramKey));
        WriteSharedValues(store, settings);
    } else {
        registry_->DeleteKey(std::string(kProgramKey));
        const std::string maker(kMakerKey);
        if (registry_->KeyExists(maker) && !registry_->HasSubkeys(maker)) registry_->DeleteKey(maker);
    }
    registry_->Flush();
}

SettingsStorage OpenProgramSettingsStorage()
{
    const std::filesystem::path userFolder = UserSettingsFolder();
    const std::filesystem::path iniFolder = IniFolder(ProgramFilePath().parent_path(), userFolder);
    std::unique_ptr<UserRegistry> registry = OpenSystemUserRegistry();
    if (!registry)
        registry = std::make_unique<RegistryFile>(userFolder.empty() ? std::filesystem::path{}
                                                                     : userFolder / kRegistryFileName);
    return SettingsStorage(iniFolder.empty() ? std::filesystem::path{} : iniFolder / kIniFileName, std::move(registry));
}

} // namespace glyphora
