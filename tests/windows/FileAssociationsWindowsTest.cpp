// File associations on Windows: a file type registered as Windows registers one (extension
// -> ProgID -> DefaultIcon "module,index", and shell\open\command) makes a file of that type
// show the registered module's icon, and the shell's open action start the registered program.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "iconengine/IconSources.h"
#include "platform/FileAssociations.h"
#include "platform/ShellOpen.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = GLYPHORA_BUILD_DIR "/samples/glyphora-sample.dll";

void SetDefault(const std::wstring& key, const std::wstring& value)
{
    HKEY handle = nullptr;
    ASSERT_EQ(
        ::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ::RegCloseKey(handle);
}

// A file type registered as an installer registers it (in HKEY_CLASSES_ROOT), removed again
// when the test ends.
class RegisteredType {
public:
    RegisteredType(const std::wstring& extension, const std::wstring& progId) : extension_(extension), progId_(progId)
    {
        SetDefault(extension, progId);
    }
    ~RegisteredType()
    {
        for (const std::wstring& key : {extension_, progId_}) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
            ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        }
    }
    void Set(const std::wstring& subkey, const std::wstring& value) { SetDefault(progId_ + subkey, value); }

private:
    std::wstring extension_, progId_;
};

TEST(FileAssociationsWindowsTest, ARegisteredTypeShowsTheIconItsDefaultIconNames)
{
    ASSERT_TRUE(fs::exists(kSample));
    const std::wstring module = fs::absolute(kSample).make_preferred().wstring();
    RegisteredType type(L".glyphoratest", L"Glyphora.TestDocument");
    type.Set(L"\\DefaultIcon", module + L",2");

    EXPECT_EQ(ReadDefaultIconRegistration(".glyphoratest"), fs::path(module + L",2").string());
    EXPECT_EQ(ReadDefaultIconRegistration(".glyphoranone"), "");

    // A file of that type gives the module's third group as its icon.
    const testing::TempFolder dir;
    const fs::path document = dir.path() / L"report.glyphoratest";
    testing::WriteBytes(document, "no icons of its own");
    const IconGroupSource source(document);
    EXPECT_GT(source.Save(0, dir.path() / L"associated.ico").imageCount, 0);
    int images = 0;
    std::string error;
    ExtractIconGroup(kSample, dir.path() / L"third.ico", 2, images, error);
    ASSERT_GT(images, 0) << error;
    EXPECT_TRUE(testing::ReadBytes(dir.path() / L"associated.ico") == testing::ReadBytes(dir.path() / L"third.ico"))
        << "the associated icon is the module's group 2";
}

TEST(ShellOpenWindowsTest, TheOpenActionStartsTheRegisteredProgram)
{
    const testing::TempFolder dir;
    const fs::path marker = dir.path() / L"opened.txt";
    RegisteredType type(L".glyphoraopen", L"Glyphora.OpenTest");
    // The registered program writes the name it was given into the marker file.
    type.Set(L"\\shell\\open\\command", L"cmd.exe /c echo %1> \"" + marker.wstring() + L"\"");
    const fs::path document = dir.path() / L"page.glyphoraopen";
    testing::WriteBytes(document, "x");

    LaunchDefaultApplication(document);
    // The shell does not wait for the program; the marker shows that it ran.
    for (int i = 0; i < 200 && testing::ReadBytes(marker).find("page.glyphoraopen") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(testing::ReadBytes(marker).find("page.glyphoraopen"), std::string::npos) << testing::ReadBytes(marker);
}

} // namespace
} // namespace glyphora
