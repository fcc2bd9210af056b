// Packs in module form: the module twins of the shipped packs (built from them with llvm-rc
// and lld-link) read the same texts as the text form; the form is told by content; and
// string tables written by PeBuilder check block numbering, language variants, text
// conversion and damaged modules.
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/ModulePack.h"
#include "i18n/TextIds.h"
#include "tests/support/PeBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {
namespace {

using testing::PeBuilder;

const std::filesystem::path kTextPacks = GLYPHORA_SOURCE_DIR "/i18n/packs";
const std::filesystem::path kModulePacks = GLYPHORA_BUILD_DIR "/i18n/packs/module";

class ModuleTwinTest : public ::testing::TestWithParam<int> {};

TEST_P(ModuleTwinTest, ReadsTheSameTextsAsItsTextTwin)
{
    const std::string name = LanguageFileName(GetParam());
    const LanguagePackFile text = LoadLanguagePackFile(kTextPacks / name);
    const LanguagePackFile module = LoadLanguagePackFile(kModulePacks / name);
    ASSERT_TRUE(text.pack.has_value()) << text.error;
    ASSERT_TRUE(module.pack.has_value()) << module.error;
    EXPECT_EQ(module.error, "");

    std::ifstream in(kModulePacks / name, std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "MZ") << "the twin is not a module";

    EXPECT_EQ(module.pack->Ids(), text.pack->Ids());
    for (const std::uint16_t id : text.pack->Ids())
        EXPECT_EQ(module.pack->Text(id), text.pack->Text(id)) << name << " id " << id;
    EXPECT_EQ(module.pack->Text(kTextLanguagePackVersion), kPackTargetVersion);
}

std::string PackName(const ::testing::TestParamInfo<int>& info)
{
    const std::string name = LanguageFileName(info.param);
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Shipped, ModuleTwinTest, ::testing::Range(0, kLanguageCount), PackName);

TEST(ModulePackForm, IsToldByContentNotByName)
{
    const testing::TempFolder folder;
    // A module named like a text pack, and a text pack named like a module.
    const auto modulePath = folder.path() / "english.lng";
    const auto textPath = folder.path() / "strings.dll";
    std::filesystem::copy_file(kModulePacks / "greek.lng", modulePath);
    std::filesystem::copy_file(kTextPacks / "greek.lng", textPath);

    const LanguagePackFile fromModule = LoadLanguagePackFile(modulePath);
    const LanguagePackFile fromText = LoadLanguagePackFile(textPath);
    ASSERT_TRUE(fromModule.pack.has_value()) << fromModule.error;
    ASSERT_TRUE(fromText.pack.has_value()) << fromText.error;
    EXPECT_EQ(fromModule.pack->Text(kTextMenuLanguage), "\xCE\x93\xCE\xBB\xCF\x8E\xCF\x83\xCF\x83\xCE\xB1"); // Γλώσσα
    EXPECT_EQ(fromText.pack->Text(kTextMenuLanguage), fromModule.pack->Text(kTextMenuLanguage));

    // The program-wide pack takes either form.
    ASSERT_TRUE(LoadLanguagePack(modulePath));
    EXPECT_EQ(LangString(kTextLanguagePackVersion), kPackTargetVersion);
    ReleaseLanguagePack();
}

TEST(ModulePackForm, TextThatStartsLikeAModuleIsNotReadAsText)
{
    const LanguagePackFile file = LanguagePackFromBytes("MZ = 1\n1 = Cancel\n", "odd.lng");
    EXPECT_FALSE(file.pack.has_value());
    EXPECT_NE(file.error.find("looks like a module"), std::string::npos) << file.error;
    EXPECT_NE(file.error.find("odd.lng"), std::string::npos) << file.error;
    EXPECT_FALSE(IsModuleForm("M"));
    EXPECT_FALSE(IsModuleForm("# MZ"));
    EXPECT_TRUE(IsModuleForm(std::string("MZ\0\0", 4)));
}

// One string-table block: 16 length-prefixed UTF-16 strings (missing ones empty).
std::vector<std::uint8_t> Block(const std::vector<std::u16string>& strings, std::size_t count = 16)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string text = i < strings.size() ? strings[i] : std::u16string();
        bytes.push_back(static_cast<std::uint8_t>(text.size() & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(text.size() >> 8));
        for (const char16_t unit : text) {
            bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    return bytes;
}

struct ModuleRead {
    std::optional<LanguagePack> pack;
    std::vector<std::string> problems;
};

ModuleRead Read(const PeBuilder& builder)
{
    const std::vector<std::uint8_t> bytes = builder.build();
    ModuleRead result;
    result.pack = ReadModulePack(bytes, result.problems);
    return result;
}

bool AnyProblemSays(const std::vector<std::string>& problems, const std::string& part)
{
    for (const std::string& problem : problems)
        if (problem.find(part) != std::string::npos) return true;
    return false;
}

TEST(ModulePackRead, BlockNumberAndPositionGiveTheIdentifier)
{
    for (const auto bits : {PeBuilder::Bits::Pe32, PeBuilder::Bits::Pe32Plus}) {
        PeBuilder builder(bits);
        builder
            .addResource(6, 1, 0,
                         Block({u"zero", u"one", {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, u"fifteen"}))
            .addResource(6, 3126, 0, Block({u"5.1.0.2"}))
            .addResource(6, 4096, 0, Block({}, 15)) // 15 lengths: the last text is cut off
            .addResource(6, 39, 0, Block({{}, {}, u"text 610"}));
        const ModuleRead read = Read(builder);
        ASSERT_TRUE(read.pack.has_value());
        EXPECT_EQ(read.pack->Ids(), (std::vector<std::uint16_t>{0, 1, 15, 610, 50000}));
        EXPECT_EQ(read.pack->Text(0), "zero");
        EXPECT_EQ(read.pack->Text(15), "fifteen");
        EXPECT_EQ(read.pack->Text(610), "text 610");
        EXPECT_EQ(read.pack->Text(50000), "5.1.0.2");
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_NE(read.problems[0].find("string block 4096 (texts 65520 to 65535) ends after 15"), std::string::npos)
            << read.problems[0];
    }
}

TEST(ModulePackRead, ConvertsUtf16ToUtf8)
{
    struct Case {
        std::u16string units;
        std::string utf8;
    };
    const Case cases[] = {
        {u"plain", "plain"},
        {u"\u0421\u043A\u0430\u0441\u0443\u0432\u0430\u0442\u0438",
         "\xD0\xA1\xD0\xBA\xD0\xB0\xD1\x81\xD1\x83\xD0\xB2\xD0\xB0\xD1\x82\xD0\xB8"},
        {u"\u0103\u0219", "\xC4\x83\xC8\x99"},
        {u"line\r\nbreak\ttab", "line\r\nbreak\ttab"},
        {std::u16string{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"}, // a surrogate pair
        {std::u16string{u'a', 0xD83D, u'b'}, "a\xEF\xBF\xBD"
                                             "b"},   // an unpaired surrogate
        {std::u16string{u'a', u'b', 0, u'c'}, "ab"}, // the text ends at a null
    };
    for (const Case& c : cases) {
        PeBuilder builder;
        builder.addResource(6, 1, 0, Block({{}, c.units}));
        const ModuleRead read = Read(builder);
        ASSERT_TRUE(read.pack.has_value());
        EXPECT_TRUE(read.problems.empty());
        EXPECT_EQ(read.pack->Text(1), c.utf8);
    }
}

// Sets LC_ALL for one test and restores it afterwards.
class UserLocale {
public:
    explicit UserLocale(const char* locale)
    {
        if (const char* old = std::getenv("LC_ALL")) old_ = old;
        ::setenv("LC_ALL", locale, 1);
    }
    ~UserLocale()
    {
        if (old_)
            ::setenv("LC_ALL", old_->c_str(), 1);
        else
            ::unsetenv("LC_ALL");
    }

private:
    std::optional<std::string> old_;
};

TEST(ModulePackRead, ChoosesTheLanguageVariantOfEachBlockAsTheResourceLoaderDoes)
{
    struct Case {
        const char* locale;
        std::vector<std::uint16_t> languages; // one variant of block 1 each, text = its index
        std::string expected;
    };
    const Case cases[] = {
        {"pl_PL.UTF-8", {0x0409, 0x0000, 0x0415}, "1"}, // neutral first
        {"pl_PL.UTF-8", {0x0409, 0x0415, 0x0407}, "1"}, // then the user's language
        {"it_IT.UTF-8", {0x0407, 0x0409, 0x0415}, "1"}, // then US English
        {"it_IT.UTF-8", {0x0407, 0x0415}, "0"},         // then the first
        {"C", {0x0415, 0x0409}, "1"},
    };
    for (const Case& c : cases) {
        const UserLocale locale(c.locale);
        PeBuilder builder;
        for (std::size_t i = 0; i < c.languages.size(); ++i)
            builder.addResource(6, 1, c.languages[i], Block({{}, std::u16string(1, static_cast<char16_t>(u'0' + i))}));
        const ModuleRead read = Read(builder);
        ASSERT_TRUE(read.pack.has_value());
        EXPECT_EQ(read.pack->Text(1), c.expected) << c.locale;
    }
}

TEST(ModulePackRead, DamagedBlocksAreReportedAndTheRestServes)
{
    std::vector<std::uint8_t> runsPast = Block({u"kept", u"cut short"});
    runsPast.resize(runsPast.size() - 40); // the second text's units run past the block
    struct Case {
        const char* what;
        PeBuilder::Name name;
        std::vector<std::uint8_t> data;
        const char* problem;
    };
    const Case cases[] = {
        {"block 0", 0, Block({u"x"}), "string block 0 does not exist"},
        {"block past 4096", 4097, Block({u"x"}), "string block 4097 does not exist"},
        {"named block", "STRINGS", Block({u"x"}), "has a name instead of a number"},
        {"text past the end", 2, runsPast, "string block 2 (texts 16 to 31): text 17 runs past the end"},
        {"empty block", 2, {}, "ends after 0 of its 16 texts"},
    };
    for (const Case& c : cases) {
        PeBuilder builder;
        builder.addResource(6, 1, 0, Block({u"good"})).addResource(6, c.name, 0, c.data);
        const ModuleRead read = Read(builder);
        ASSERT_TRUE(read.pack.has_value()) << c.what;
        EXPECT_EQ(read.pack->Text(0), "good") << c.what;
        EXPECT_TRUE(AnyProblemSays(read.problems, c.problem))
            << c.what << ": " << ::testing::PrintToString(read.problems);
        if (std::string(c.what) == "text past the end") {
            EXPECT_EQ(read.pack->Text(16), "kept");
        }
    }
}

TEST(ModulePackFile, DamagedModulesGiveAClearResult)
{
    struct Case {
        const char* what;
        std::optional<PeBuilder::Defect> defect;
        bool withStrings;
        bool packExpected;
        const char* errorPart; // "" for no error
    };
    const Case cases[] = {
        {"clean", std::nullopt, true, true, ""},
        {"no string table", std::nullopt, false, true, ""},
        {"bad PE signature", PeBuilder::Defect::BadPeSignature, true, false, "looks like a module"},
        {"header past the end", PeBuilder::Defect::LfanewPastEnd, true, false, "looks like a module"},
        {"tree loops", PeBuilder::Defect::TypeDirectoryIsRoot, true, true, ""},
        {"data past the end", PeBuilder::Defect::DataOffsetPastEnd, true, false, "lies outside the file"},
        {"size past the end", PeBuilder::Defect::DataSizePastEnd, true, false, "lies outside the file"},
    };
    for (const Case& c : cases) {
        PeBuilder builder(PeBuilder::Bits::Pe32Plus);
        if (c.withStrings)
            builder.addResource(6, 1, 0, Block({{}, u"Cancel", u"&Help"}));
        else
            builder.addResource(14, 1, 0, {1, 2, 3, 4});
        if (c.defect) builder.addDefect(*c.defect);
        const std::vector<std::uint8_t> bytes = builder.build();
        const LanguagePackFile file = LanguagePackFromBytes(std::string(bytes.begin(), bytes.end()), "pack.lng");
        EXPECT_EQ(file.pack.has_value(), c.packExpected) << c.what << ": " << file.error;
        if (*c.errorPart == '\0') {
            EXPECT_EQ(file.error, "") << c.what;
        } else {
            EXPECT_NE(file.error.find(c.errorPart), std::string::npos) << c.what << ": " << file.error;
        }
        if (file.pack && c.withStrings && !c.defect) {
            EXPECT_EQ(file.pack->Text(kTextHelpButton), "&Help");
        }
    }
}

} // namespace
} // namespace glyphora
