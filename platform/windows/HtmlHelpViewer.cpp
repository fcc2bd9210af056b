// The HTML Help control as the help viewer on Windows. The control's library is loaded on
// the first request that shows something (a close-all alone never loads it): first by its
// name, then from the path its COM class registers. Any failure leaves help silent.
#include "platform/HelpViewer.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace glyphora {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

constexpr UINT kDisplayTopic = 0;
constexpr UINT kDisplayContents = 1;
constexpr UINT kCloseAll = 18;

// The library named by the default value of the control's InprocServer32 key, when that
// names an existing file; empty otherwise.
std::wstring FindHtmlHelpLibrary()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32", 0,
                        KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD size = sizeof(value) - sizeof(wchar_t); // room for a terminator the value may lack
    const LONG status = ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    value[size / sizeof(wchar_t)] = L'\0';
    std::wstring path = value;
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[MAX_PATH] = {};
        const DWORD length = ::ExpandEnvironmentStringsW(value, expanded, MAX_PATH);
        if (length == 0 || length > MAX_PATH) return {};
        path = expanded;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

class HtmlHelpViewer final : public HelpViewer {
public:
    HtmlHelpViewer() = default;
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;
    ~HtmlHelpViewer() override
    {
        if (library_) ::FreeLibrary(library_);
    }

    void ShowContents(const std::filesystem::path& helpFile) override { Invoke(helpFile.wstring(), kDisplayContents); }

    // The control's address of a page: the file, "::", the page ("C:\x\english.chm::/export.htm").
    void ShowTopic(const std::filesystem::path& helpFile, const std::string& page) override
    {
        Invoke(helpFile.wstring() + L"::" + Widen(page), kDisplayTopic);
    }

    void CloseAll() override
    {
        if (tried_ && entry_) entry_(nullptr, nullptr, kCloseAll, 0);
    }

private:
    void Invoke(const std::wstring& address, UINT command)
    {
        Load();
        if (entry_) entry_(nullptr, address.c_str(), command, 0);
    }

    void Load()
    {
        if (tried_) return;
        tried_ = true;
        library_ = ::LoadLibraryW(L"HHCTRL.OCX");
        if (!library_) {
            const std::wstring registered = FindHtmlHelpLibrary();
            if (!registered.empty()) library_ = ::LoadLibraryW(registered.c_str());
        }
        if (library_)
            entry_ =
                reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(::GetProcAddress(library_, "HtmlHelpW")));
    }

    bool tried_ = false;
    HMODULE library_ = nullptr;
    HtmlHelpFunction entry_ = nullptr;
};

} // namespace

std::unique_ptr<HelpViewer> MakeHtmlHelpViewer()
{
    return std::make_unique<HtmlHelpViewer>();
}

} // namespace glyphora
