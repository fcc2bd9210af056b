// The file-backed hive.
#include "settings/RegistryFile.h"

#include "platform/AsciiText.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <system_error>

namespace glyphora {

namespace {

// True when name is key itself (subkey false) or lies below it (subkey true).
bool IsKeyOrBelow(std::string_view name, std::string_view key, bool subkey)
{
    if (name.size() == key.size()) return !subkey && EqualsIgnoringCase(name, key);
    return name.size() > key.size() && name[key.size()] == '\\' && EqualsIgnoringCase(name.substr(0, key.size()), key);
}

} // namespace

RegistryFile::RegistryFile(std::filesystem::path file) : file_(std::move(file))
{
    if (std::optional<IniDocument> document = ReadIniFile(file_))
        document_ = std::move(*document);
    else
        readable_ = false;
}

bool RegistryFile::KeyExists(const std::string& key) const
{
    const std::vector<std::string> names = document_.SectionNames();
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return IsKeyOrBelow(name, key, false) || IsKeyOrBelow(name, key, true);
    });
}

bool RegistryFile::HasSubkeys(const std::string& key) const
{
    const std::vector<std::string> names = document_.SectionNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return IsKeyOrBelow(name, key, true); });
}

std::vector<std::pair<std::string, std::string>> RegistryFile::Values(const std::string& key) const
{
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& name : document_.Keys(key))
        values.emplace_back(name, document_.Value(key, name).value_or(""));
    return values;
}

void RegistryFile::SetValue(const std::string& key, const std::string& name, const std::string& value)
{
    document_.SetValue(key, name, value);
    changed_ = true;
}

void RegistryFile::DeleteKey(const std::string& key)
{
    for (const std::string& name : document_.SectionNames()) {
        if (IsKeyOrBelow(name, key, false) || IsKeyOrBelow(name, key, true)) {
            document_.EraseSection(name);
            changed_ = true;
        }
    }
}

void RegistryFile::Flush()
{
    if (!changed_) return;
    if (!readable_)
        throw GlyphoraError("The settings file '" + file_.string() + "' could not be read; it is left as it is.");
    if (document_.Empty()) {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
        if (ec) throw GlyphoraError("Cannot remove '" + file_.string() + "': " + ec.message());
    } else {
        WriteIniFile(file_, document_);
    }
    changed_ = false;
}

} // namespace glyphora
