// HKEY_CURRENT_USER through advapi32: RegOpenKeyExW, RegEnumValueW, RegQueryInfoKeyW,
// RegCreateKeyExW, RegSetValueExW (REG_SZ) and RegDeleteTreeW. Names and texts are UTF-8 on
// our side and UTF-16 in the registry.
#include "platform/UserRegistry.h"

#include "platform/GlyphoraError.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/windows/SystemReason.h"
#include "platform/windows/WideText.h"

namespace glyphora {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& key, LSTATUS code)
{
    throw GlyphoraError(what + " 'HKEY_CURRENT_USER\\" + key + "': " + SystemReason(static_cast<DWORD>(code)));
}

// An open key, closed on every path.
class Key {
public:
    Key(const std::string& key, REGSAM access)
    {
        status_ = ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, access, &handle_);
    }
    ~Key()
    {
        if (status_ == ERROR_SUCCESS) ::RegCloseKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool IsOpen() const { return status_ == ERROR_SUCCESS; }
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_ = nullptr;
    LSTATUS status_ = ERROR_FILE_NOT_FOUND;
};

class WindowsUserRegistry final : public UserRegistry {
public:
    bool KeyExists(const std::string& key) const override { return Key(key, KEY_READ).IsOpen(); }

    bool HasSubkeys(const std::string& key) const override
    {
        Key k(key, KEY_READ);
        DWORD subkeys = 0;
        return k.IsOpen() &&
               ::RegQueryInfoKeyW(k.Handle(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               subkeys > 0;
    }

    std::vector<std::pair<std::string, std::string>> Values(const std::string& key) const override
    {
        std::vector<std::pair<std::string, std::string>> values;
        Key k(key, KEY_READ);
        if (!k.IsOpen()) return values;
        DWORD maxName = 0, maxData = 0;
        if (::RegQueryInfoKeyW(k.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                               &maxData, nullptr, nullptr) != ERROR_SUCCESS)
            return values;
        std::wstring name(maxName + 1, L'\0');
        std::vector<BYTE> data(maxData + sizeof(wchar_t));
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataSize = static_cast<DWORD>(data.size());
            DWORD type = 0;
            const LSTATUS status =
                ::RegEnumValueW(k.Handle(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
            if (status == ERROR_NO_MORE_ITEMS) break;
            if (status != ERROR_SUCCESS || type != REG_SZ) continue;
            // A stored string need not end in a null character; count only whole characters.
            std::size_t chars = dataSize / sizeof(wchar_t);
            const auto* text = reinterpret_cast<const wchar_t*>(data.data());
            while (chars > 0 && text[chars - 1] == L'\0')
                --chars;
            values.emplace_back(Narrow(std::wstring_view(name.data(), nameLength)),
                                Narrow(std::wstring_view(text, chars)));
        }
        return values;
    }

    void SetValue(const std::string& key, const std::string& name, const std::string& value) override
    {
        HKEY handle = nullptr;
        LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE, nullptr, &handle, nullptr);
        if (status != ERROR_SUCCESS) Fail("Cannot create", key, status);
        const std::wstring text = Widen(value);
        status = ::RegSetValueExW(handle, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(handle);
        if (status != ERROR_SUCCESS) Fail("Cannot write", key, status);
    }

    void DeleteKey(const std::string& key) override
    {
        // RegDeleteTreeW empties the key; RegDeleteKeyW then removes the key itself, whichever
        // of the two its documentation is read to promise.
        const std::wstring name = Widen(key);
        LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, name.c_str());
        if (status == ERROR_SUCCESS) status = ::RegDeleteKeyW(HKEY_CURRENT_USER, name.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("Cannot delete", key, status);
    }

    // The registry writes its changes itself.
    void Flush() override {}
};

} // namespace

std::unique_ptr<UserRegistry> OpenSystemUserRegistry()
{
    return std::make_unique<WindowsUserRegistry>();
}

} // namespace glyphora
