// The module-resource reader over modules written by PeBuilder: enumeration order, lookup
// by string and number, the choice among language variants, PE32 and PE32+, and damaged
// modules that must give a clear result.
#include "formats/ModuleResources.h"

#include "platform/Files.h"
#include "tests/support/PeBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace glyphora {
namespace {

using testing::PeBuilder;
using Bits = PeBuilder::Bits;
using Defect = PeBuilder::Defect;

constexpr std::uint16_t kIcon = static_cast<std::uint16_t>(ResourceType::Icon);
constexpr std::uint16_t kGroup = static_cast<std::uint16_t>(ResourceType::GroupIcon);

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

// One scratch folder per test, removed afterwards.
class ScratchDir {
public:
    ScratchDir()
    {
        static std::atomic<unsigned> counter{0};
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("glyphora-pe-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
    {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            const char* old = std::getenv(kNames[i]);
            saved_[i] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        Set(kNames[0], lcAll);
        Set(kNames[1], lcMessages);
        Set(kNames[2], lang);
    }
    ~LocaleEnvironment()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static void Set(const char* name, const char* value)
    {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    static constexpr std::array<const char*, 3> kNames = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::array<std::optional<std::string>, 3> saved_;
};

std::string Describe(const ResourceName& name)
{
    return name.isString ? "\"" + name.text + "\"" : std::to_string(name.id);
}

std::vector<std::string> Describe(const std::vector<ResourceName>& names)
{
    std::vector<std::string> out;
    for (const auto& n : names)
        out.push_back(Describe(n));
    return out;
}

class ModuleResourcesTest : public ::testing::TestWithParam<Bits> {
protected:
    std::unique_ptr<ModuleResources> open(const PeBuilder& builder)
    {
        const auto path = dir_.file("module" + std::to_string(files_++) + ".dll");
        builder.writeTo(path);
        return ModuleResources::Open(path);
    }

    ScratchDir dir_;
    int files_ = 0;
};

TEST_P(ModuleResourcesTest, StringNamesKeepDirectoryOrderAndNumbersComeOutAscending)
{
    PeBuilder b(GetParam());
    b.setOrder(PeBuilder::Order::AsAdded);
    b.addResource(kGroup, 3, 0x409, Bytes("g3"))
        .addResource(kGroup, "MAINICON", 0x409, Bytes("gmain"))
        .addResource(kGroup, 1, 0x409, Bytes("g1"))
        .addResource(kGroup, "#200", 0x409, Bytes("g#200"))
        .addResource(kIcon, 2, 0x409, Bytes("i2"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);

    const auto groups = module->EnumNames(ResourceType::GroupIcon);
    EXPECT_EQ(Describe(groups), (std::vector<std::string>{"\"MAINICON\"", "\"#200\"", "1", "3"}));
    EXPECT_EQ(module->Count(ResourceType::GroupIcon), 4u);
    EXPECT_EQ(Describe(module->EnumNames(ResourceType::Icon)), (std::vector<std::string>{"2"}));
    EXPECT_EQ(module->Count(ResourceType::Icon), 1u);
}

TEST_P(ModuleResourcesTest, LinkerSortedModuleEnumeratesInItsDirectoryOrder)
{
    PeBuilder b(GetParam()); // sorted as a linker writes: "#200" sorts before "MAINICON"
    b.addResource(kGroup, 300, 0, Bytes("a"))
        .addResource(kGroup, "MAINICON", 0, Bytes("b"))
        .addResource(kGroup, 4, 0, Bytes("c"))
        .addResource(kGroup, "#200", 0, Bytes("d"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Describe(module->EnumNames(ResourceType::GroupIcon)),
              (std::vector<std::string>{"\"#200\"", "\"MAINICON\"", "4", "300"}));
}

TEST_P(ModuleResourcesTest, FindsByNumberAndByStringIgnoringCase)
{
    PeBuilder b(GetParam());
    b.addResource(kGroup, "MainIcon", 0x409, Bytes("group main"))
        .addResource(kGroup, "Ärger", 0x409, Bytes("group umlaut"))
        .addResource(kGroup, "Иконка", 0x409, Bytes("group cyrillic"))
        .addResource(kGroup, "#200", 0x409, Bytes("group hash"))
        .addResource(kGroup, 1, 0x409, Bytes("group one"))
        .addResource(kIcon, 1, 0x409, Bytes("icon one"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);

    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "mainicon"), Bytes("group main"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "MAINICON"), Bytes("group main"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "äRGER"), Bytes("group umlaut"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "иКОНКА"), Bytes("group cyrillic"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "#200"), Bytes("group hash"));
    EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 1), Bytes("group one"));
    EXPECT_EQ(module->FindId(ResourceType::Icon, 1), Bytes("icon one"));

    // A string lookup is literal: "200" is neither the string "#200" nor the number 200.
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "200"), std::nullopt);
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "MAINICONS"), std::nullopt);
    EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 2), std::nullopt);
    EXPECT_EQ(module->FindString(ResourceType::Icon, "MainIcon"), std::nullopt);
}

TEST_P(ModuleResourcesTest, NamesAreDecodedFromUtf16)
{
    PeBuilder b(GetParam());
    const std::string name = "Symbol \xF0\x9F\x98\x80 \xE2\x82\xAC"; // U+1F600 (a surrogate pair) and U+20AC
    b.addResource(kGroup, name, 0, Bytes("x"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->Count(ResourceType::GroupIcon), 1u);
    EXPECT_EQ(module->EnumNames(ResourceType::GroupIcon)[0].text, name);
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, name), Bytes("x"));
}

TEST_P(ModuleResourcesTest, ModuleWithoutResourceDirectoryHasNoResources)
{
    PeBuilder none(GetParam());
    PeBuilder undeclared(GetParam());
    undeclared.addResource(kGroup, 1, 0, Bytes("x")).addDefect(Defect::NoResourceDirectory);
    for (const PeBuilder* b : {&none, &undeclared}) {
        auto module = open(*b);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->Count(ResourceType::GroupIcon), 0u);
        EXPECT_TRUE(module->EnumNames(ResourceType::Icon).empty());
        EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 1), std::nullopt);
    }
}

struct LanguageCase {
    const char* description;
    std::vector<std::uint16_t> languages; // in directory order
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    std::uint16_t expected;
};

TEST_P(ModuleResourcesTest, ChoosesLanguageNeutralThenUserThenUsEnglishThenFirst)
{
    const LanguageCase cases[] = {
        {"neutral wins over the user's language", {0x409, 0x0000, 0x407}, nullptr, nullptr, "de_DE.UTF-8", 0x0000},
        {"neutral primary language with a sublanguage", {0x409, 0x0400}, nullptr, nullptr, "en_US.UTF-8", 0x0400},
        {"user's language from LANG", {0x409, 0x407, 0x40C}, nullptr, nullptr, "de_DE.UTF-8", 0x407},
        {"LC_ALL overrides LANG", {0x409, 0x407, 0x40C}, "fr_FR.UTF-8", nullptr, "de_DE.UTF-8", 0x40C},
        {"LC_MESSAGES overrides LANG", {0x409, 0x407, 0x40C}, nullptr, "fr_FR", "de_DE.UTF-8", 0x40C},
        {"same primary language, other region", {0x409, 0x807}, nullptr, nullptr, "de_DE.UTF-8", 0x807},
        {"US English when the user's language is absent",
         {0x40C, 0x409, 0x407},
         nullptr,
         nullptr,
         "ja_JP.UTF-8",
         0x409},
        {"US English under the C locale", {0x407, 0x409}, "C", nullptr, "de_DE", 0x409},
        {"first variant otherwise", {0x40C, 0x407}, nullptr, nullptr, "ja_JP.UTF-8", 0x40C},
        {"first variant without any locale", {0x411, 0x40C}, nullptr, nullptr, nullptr, 0x411},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        PeBuilder b(GetParam());
        b.setOrder(PeBuilder::Order::AsAdded);
        for (auto language : c.languages)
            b.addResource(kGroup, "G", language, Bytes(std::to_string(language)));
        LocaleEnvironment env(c.lcAll, c.lcMessages, c.lang);
        auto module = open(b);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "g"), Bytes(std::to_string(c.expected)));
    }
}

INSTANTIATE_TEST_SUITE_P(Bits, ModuleResourcesTest, ::testing::Values(Bits::Pe32, Bits::Pe32Plus),
                         [](const auto& info) { return info.param == Bits::Pe32 ? "Pe32" : "Pe32Plus"; });

TEST(ModuleResourcesOpenTest, MissingEmptyAndFolderPathsAreNotModules)
{
    ScratchDir dir;
    const auto empty = dir.file("empty.dll");
    std::ofstream(empty).close();
    EXPECT_EQ(ModuleResources::Open(dir.file("missing.dll")), nullptr);
    EXPECT_EQ(ModuleResources::Open(empty), nullptr);
    EXPECT_EQ(ModuleResources::Open(dir.file("")), nullptr);
}

// What a damaged module must still give, checked against the resources every case starts
// from.
enum class Outcome {
    Rejected,         // Open gives nullptr
    Empty,            // opens, no names of either type
    NamesWithoutData, // every name is listed, no lookup gives bytes
    IdsOnly,          // only the numeric names are listed, and they all give their bytes
    AllFound,         // every name gives its bytes (further names may appear)
};

struct DamageCase {
    const char* description;
    std::function<std::vector<std::uint8_t>(PeBuilder&)> make;
    Outcome outcome;
};

std::function<std::vector<std::uint8_t>(PeBuilder&)> With(Defect defect)
{
    return [defect](PeBuilder& b) { return b.addDefect(defect).build(); };
}

std::function<std::vector<std::uint8_t>(PeBuilder&)> TruncatedTo(std::size_t size)
{
    return [size](PeBuilder& b) { return b.truncateTo(size).build(); };
}

// Cut the file where the first resource's bytes begin.
std::vector<std::uint8_t> TruncatedAtData(PeBuilder& b)
{
    auto bytes = b.build();
    const auto marker = Bytes("icon-1");
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    bytes.erase(at, bytes.end());
    return bytes;
}

struct Expected {
    ResourceType type;
    ResourceName name;
    std::vector<std::uint8_t> bytes;
};

TEST(ModuleResourcesDamageTest, DamagedModulesGiveClearResults)
{
    const std::vector<Expected> all = {
        {ResourceType::GroupIcon, {true, "MAIN", 0}, Bytes("group-main")},
        {ResourceType::GroupIcon, {false, {}, 7}, Bytes("group-7")},
        {ResourceType::Icon, {false, {}, 1}, Bytes("icon-1")},
        {ResourceType::Icon, {false, {}, 2}, Bytes("icon-2")},
    };
    const DamageCase cases[] = {
        {"undamaged", [](PeBuilder& b) { return b.build(); }, Outcome::AllFound},
        {"file shorter than a DOS header", TruncatedTo(0x30), Outcome::Rejected},
        {"file ends inside the COFF header", TruncatedTo(0x50), Outcome::Rejected},
        {"file ends inside the optional header", TruncatedTo(0x100), Outcome::Rejected},
        {"file ends inside the section table", TruncatedTo(0x150), Outcome::Rejected},
        {"no MZ", With(Defect::BadDosMagic), Outcome::Rejected},
        {"e_lfanew past the end", With(Defect::LfanewPastEnd), Outcome::Rejected},
        {"no PE signature", With(Defect::BadPeSignature), Outcome::Rejected},
        {"unknown optional header magic", With(Defect::BadOptionalHeaderMagic), Outcome::Rejected},
        {"section table past the end", With(Defect::SectionTablePastEnd), Outcome::Rejected},
        {"resource directory in no section", With(Defect::ResourceRvaOutsideSections), Outcome::Rejected},
        {"section raw data past the end", With(Defect::ResourceSectionPastEnd), Outcome::Rejected},
        {"zero-size resource section", With(Defect::ResourceSectionZeroSize), Outcome::Rejected},
        {"file ends inside the root directory", TruncatedTo(PeBuilder::kResourceFileOffset + 20), Outcome::Empty},
        {"type entries loop to the root", With(Defect::TypeDirectoryIsRoot), Outcome::Empty},
        {"name entries loop to the root", With(Defect::NameDirectoryLoopsToRoot), Outcome::Empty},
        {"name entries point to their own directory", With(Defect::LanguageDirectoryIsParent), Outcome::Empty},
        {"file ends where the data begins", TruncatedAtData, Outcome::NamesWithoutData},
        {"data in the zero-filled tail of the section", With(Defect::ResourceRawShorterThanVirtual),
         Outcome::NamesWithoutData},
        {"data offsets past the end", With(Defect::DataOffsetPastEnd), Outcome::NamesWithoutData},
        {"data sizes past the end", With(Defect::DataSizePastEnd), Outcome::NamesWithoutData},
        {"a fourth directory level", With(Defect::FourthLevel), Outcome::NamesWithoutData},
        {"string names past the end", With(Defect::StringNameOutsideFile), Outcome::IdsOnly},
        {"huge entry counts", With(Defect::HugeEntryCounts), Outcome::AllFound},
    };

    for (Bits bits : {Bits::Pe32, Bits::Pe32Plus}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.description) + (bits == Bits::Pe32 ? " (PE32)" : " (PE32+)"));
            PeBuilder b(bits);
            for (const auto& e : all) {
                const PeBuilder::Name name =
                    e.name.isString ? PeBuilder::Name(e.name.text) : PeBuilder::Name(e.name.id);
                b.addResource(static_cast<std::uint16_t>(e.type), name, 0, e.bytes);
            }
            ScratchDir dir;
            const auto path = dir.file("damaged.dll");
            const auto bytes = c.make(b);
            WriteWholeFile(path, bytes);
            auto module = ModuleResources::Open(path);
            // The count-only path agrees with the full reader on every damaged module.
            for (ResourceType type : {ResourceType::Icon, ResourceType::GroupIcon})
                EXPECT_EQ(ModuleResources::CountOf(path, type),
                          module ? std::optional<std::size_t>(module->Count(type)) : std::nullopt);

            if (c.outcome == Outcome::Rejected) {
                EXPECT_EQ(module, nullptr);
                continue;
            }
            ASSERT_NE(module, nullptr);
            std::vector<std::string> listed;
            for (ResourceType type : {ResourceType::Icon, ResourceType::GroupIcon}) {
                const auto names = module->EnumNames(type);
                EXPECT_EQ(module->Count(type), names.size());
                EXPECT_LE(names.size(), bytes.size() / 8);
                for (const auto& n : names) {
                    listed.push_back(Describe(n));
                    (void)module->Find(type, n); // whatever it gives, it must give it safely
                }
            }
            std::vector<std::string> expectedNames;
            for (const auto& e : all) {
                const auto found = module->Find(e.type, e.name);
                switch (c.outcome) {
                case Outcome::Empty: EXPECT_EQ(found, std::nullopt) << Describe(e.name); break;
                case Outcome::NamesWithoutData:
                    expectedNames.push_back(Describe(e.name));
                    EXPECT_EQ(found, std::nullopt) << Describe(e.name);
                    break;
                case Outcome::IdsOnly:
                    if (!e.name.isString) {
                        expectedNames.push_back(Describe(e.name));
                        EXPECT_EQ(found, e.bytes) << Describe(e.name);
                    }
                    break;
                case Outcome::AllFound: EXPECT_EQ(found, e.bytes) << Describe(e.name); break;
                case Outcome::Rejected: break;
                }
            }
            if (c.outcome != Outcome::AllFound) {
                std::sort(listed.begin(), listed.end());
                std::sort(expectedNames.begin(), expectedNames.end());
                EXPECT_EQ(listed, expectedNames);
            }
        }
    }
}

} // namespace
} // namespace glyphora
