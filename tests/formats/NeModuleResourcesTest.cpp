// The module-resource reader over 16-bit NE modules written by NeBuilder: the table's order,
// lookup by string and number, names in the ANSI code page, alignment shifts, and damaged
// modules that must give a clear result.
#include "formats/ModuleResources.h"

#include "tests/formats/IconTestImages.h"
#include "tests/formats/ModuleTestSupport.h"
#include "tests/support/NeBuilder.h"
#include "tests/support/PeBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace glyphora {
namespace {

using testing::NeBuilder;
using Defect = NeBuilder::Defect;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kIcon = static_cast<std::uint16_t>(ResourceType::Icon);
constexpr std::uint16_t kGroup = static_cast<std::uint16_t>(ResourceType::GroupIcon);

Bytes Text(std::string_view text)
{
    return {text.begin(), text.end()};
}

// The bytes as the module keeps them: padded with zeros to whole units.
Bytes Padded(Bytes bytes, std::size_t unit)
{
    bytes.resize((bytes.size() + unit - 1) / unit * unit, 0);
    return bytes;
}

using testing::Describe;

class NeModuleTest : public ::testing::Test {
protected:
    std::unique_ptr<ModuleResources> open(const NeBuilder& builder, const std::string& name = "module.exe")
    {
        const auto path = dir_.path() / name;
        builder.writeTo(path);
        return ModuleResources::Open(path);
    }

    testing::TempFolder dir_;
};

TEST_F(NeModuleTest, GroupsComeInTheTablesOrder)
{
    NeBuilder b;
    b.addResource(kGroup, 3, Text("g3"))
        .addResource(kGroup, "MAINICON", Text("gmain"))
        .addResource(kGroup, 1, Text("g1"))
        .addResource(kGroup, "#200", Text("g#200"))
        .addResource(kGroup, "ALPHA", Text("galpha"))
        .addResource(kIcon, 2, Text("i2"))
        .addResource(16, 1, Text("a version resource"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Describe(module->EnumNames(ResourceType::GroupIcon)),
              (std::vector<std::string>{"3", "\"MAINICON\"", "1", "\"#200\"", "\"ALPHA\""}));
    EXPECT_EQ(module->Count(ResourceType::GroupIcon), 5u);
    EXPECT_EQ(Describe(module->EnumNames(ResourceType::Icon)), (std::vector<std::string>{"2"}));
    EXPECT_EQ(ModuleResources::CountOf(dir_.path() / "module.exe", ResourceType::GroupIcon), 5u);
}

TEST_F(NeModuleTest, FindsByNumberAndByStringIgnoringCase)
{
    NeBuilder b;
    b.setAlignShift(0)
        .addResource(kGroup, "MainIcon", Text("group main"))
        .addResource(kGroup, "\xC4rger", Text("group umlaut")) // Windows-1252: "Ärger"
        .addResource(kGroup, "\x80uro", Text("group euro"))    // "€uro"
        .addResource(kGroup, "#200", Text("group hash"))
        .addResource(kGroup, 1, Text("group one"))
        .addResource(kGroup, "mainicon", Text("a second group of the same name"))
        .addResource(kIcon, 1, Text("icon one"));
    auto module = open(b);
    ASSERT_NE(module, nullptr);

    EXPECT_EQ(module->EnumNames(ResourceType::GroupIcon)[1].text, "Ärger");
    EXPECT_EQ(module->EnumNames(ResourceType::GroupIcon)[2].text, "€uro");
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "MAINICON"), Text("group main"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "äRGER"), Text("group umlaut"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "€URO"), Text("group euro"));
    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "#200"), Text("group hash"));
    EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 1), Text("group one"));
    EXPECT_EQ(module->FindId(ResourceType::Icon, 1), Text("icon one"));

    EXPECT_EQ(module->FindString(ResourceType::GroupIcon, "200"), std::nullopt);
    EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 200), std::nullopt);
    EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 0x8001), std::nullopt) << "ids are 15 bits";
    EXPECT_EQ(module->FindString(ResourceType::Icon, "MainIcon"), std::nullopt);
}

// Shift 0 counts bytes (it does not stand for 512-byte units), and every shift finds the same
// images and groups, without the padding of their last unit, whole or as far as asked.
TEST_F(NeModuleTest, EveryAlignmentShiftFindsTheSameResources)
{
    const Bytes dib = testimages::UniformDib(16, 16, 0x3C6E91); // 40 + 768 + 64 = 872 bytes
    const Bytes png = testimages::MakePng(2, 2, {0xFF102030, 0x80405060, 0, 0xFFFFFFFF}, true);
    const Bytes ico = testimages::MakeIco({testimages::Entry(dib, 16, 16), testimages::Entry(png, 2, 2)});
    const Bytes group = testimages::MakeGroup({1, 2, 1});
    for (const std::uint16_t shift : {0, 1, 4, 9, 12}) {
        SCOPED_TRACE("shift " + std::to_string(shift));
        NeBuilder b;
        b.setAlignShift(shift).addIconGroup("APP", ico).addResource(kGroup, 9, group);
        auto module = open(b);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->FindId(ResourceType::Icon, 1), dib);
        EXPECT_EQ(module->FindId(ResourceType::Icon, 2), png);
        const auto app = module->FindString(ResourceType::GroupIcon, "app");
        ASSERT_TRUE(app.has_value());
        EXPECT_EQ(app->size(), 6u + 2 * 14);
        EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 9), group);
        // A head is the start of what Find gives, however far it reaches.
        for (const Bytes* whole : {&dib, &png})
            for (const std::size_t limit : {std::size_t{0}, std::size_t{5}, std::size_t{40}, whole->size() - 1,
                                            whole->size(), whole->size() + 7, SIZE_MAX}) {
                const ResourceName name{false, {}, static_cast<std::uint16_t>(whole == &dib ? 1 : 2)};
                const Bytes head(whole->begin(),
                                 whole->begin() + static_cast<std::ptrdiff_t>(std::min(limit, whole->size())));
                EXPECT_EQ(module->FindHead(ResourceType::Icon, name, limit), head) << "limit " << limit;
            }
    }
}

// The last resource's padding may be missing where the file ends; the resource itself may not.
TEST_F(NeModuleTest, AResourceCutOnlyInItsPaddingIsWhole)
{
    const Bytes image = testimages::UniformDib(8, 8, 0x3C6E91);
    NeBuilder b;
    b.addIconGroup(1, testimages::MakeIco({testimages::Entry(image, 8, 8)})); // the group comes last: 20 of 32 bytes
    const Bytes whole = b.build();
    const Bytes group(whole.end() - 32, whole.end() - 12);
    for (const std::size_t cut : {0, 1, 12, 13, 32}) {
        SCOPED_TRACE("cut by " + std::to_string(cut));
        auto module = testing::WriteAndOpenModule(dir_.path() / "cut.icl", Bytes(whole.begin(), whole.end() - cut));
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->FindId(ResourceType::Icon, 1), image);
        EXPECT_EQ(module->FindId(ResourceType::GroupIcon, 1), cut <= 12 ? std::optional(group) : std::nullopt);
        EXPECT_EQ(module->FindHead(ResourceType::GroupIcon, {false, {}, 1}, 6),
                  cut <= 12 ? std::optional(Bytes(group.begin(), group.begin() + 6)) : std::nullopt);
    }
}

TEST_F(NeModuleTest, ModulesAreToldApartByContentWhateverTheirName)
{
    NeBuilder ne;
    ne.addResource(kGroup, 5, Text("from NE"));
    testing::PeBuilder pe;
    pe.addResource(kGroup, 5, 0, Text("from PE"));
    for (const char* name : {"library.icl", "program.EXE", "notes.txt", "no extension"}) {
        SCOPED_TRACE(name);
        auto fromNe = open(ne, name);
        ASSERT_NE(fromNe, nullptr);
        EXPECT_EQ(fromNe->FindId(ResourceType::GroupIcon, 5), Padded(Text("from NE"), 16));
        const auto path = dir_.path() / ("pe " + std::string(name));
        pe.writeTo(path);
        auto fromPe = ModuleResources::Open(path);
        ASSERT_NE(fromPe, nullptr);
        EXPECT_EQ(fromPe->FindId(ResourceType::GroupIcon, 5), Text("from PE"));
    }
}

// What a damaged module must still give, checked against the resources every case starts
// from: string-named and numbered groups and icons.
enum class Listed { Rejected, Nothing, IdsOnly, All };

struct DamageCase {
    const char* description;
    std::function<Bytes(NeBuilder&)> make;
    Listed listed;
    bool dataFound;        // every listed name gives its own bytes (else none gives any)
    std::size_t unit = 16; // the bytes come padded to whole units of this size
};

std::function<Bytes(NeBuilder&)> With(Defect defect)
{
    return [defect](NeBuilder& b) { return b.addDefect(defect).build(); };
}

std::function<Bytes(NeBuilder&)> TruncatedTo(std::size_t size)
{
    return [size](NeBuilder& b) { return b.truncateTo(size).build(); };
}

std::function<Bytes(NeBuilder&)> ClaimingShift(std::uint16_t shift)
{
    return [shift](NeBuilder& b) { return b.claimAlignShift(shift).build(); };
}

// Cut the file where the named bytes begin.
std::function<Bytes(NeBuilder&)> CutAt(std::string marker)
{
    return [marker](NeBuilder& b) {
        Bytes bytes = b.build();
        bytes.erase(std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end()), bytes.end());
        return bytes;
    };
}

TEST(NeModuleDamageTest, DamagedModulesGiveClearResults)
{
    struct Resource {
        ResourceType type;
        ResourceName name;
        Bytes bytes;
    };
    const std::vector<Resource> all = {
        {ResourceType::GroupIcon, {true, "MAIN", 0}, Text("group-main")},
        {ResourceType::GroupIcon, {false, {}, 7}, Text("group-7")},
        {ResourceType::Icon, {false, {}, 1}, Text("icon-1")},
        {ResourceType::Icon, {true, "SPARE", 0}, Text("icon-spare")},
    };
    const DamageCase cases[] = {
        {"undamaged", [](NeBuilder& b) { return b.build(); }, Listed::All, true},
        {"byte units (shift 0)", [](NeBuilder& b) { return b.setAlignShift(0).build(); }, Listed::All, true, 1},
        {"file shorter than a DOS header", TruncatedTo(0x30), Listed::Rejected, false},
        {"file ends inside the NE header", TruncatedTo(0x60), Listed::Rejected, false},
        {"no NE signature", With(Defect::BadNeSignature), Listed::Rejected, false},
        {"e_lfanew past the end", With(Defect::LfanewPastEnd), Listed::Rejected, false},
        {"an OS/2 module", With(Defect::Os2Target), Listed::Rejected, false},
        {"resource table past the end", With(Defect::TablePastEnd), Listed::Rejected, false},
        {"file ends before the table's first type record", TruncatedTo(NeBuilder::kTableOffset + 4), Listed::Nothing,
         false},
        {"file ends inside the table's names", CutAt("MAIN"), Listed::IdsOnly, false},
        {"file ends where the data begins", CutAt("group-main"), Listed::All, false},
        {"table claims shift 30", ClaimingShift(30), Listed::All, false},
        {"table claims shift 0xFFFF", ClaimingShift(0xFFFF), Listed::All, false},
        {"data offsets past the end", With(Defect::DataOffsetPastEnd), Listed::All, false},
        {"data lengths past the end", With(Defect::DataLengthPastEnd), Listed::All, false},
        {"string names past the table", With(Defect::NameOutsideTable), Listed::IdsOnly, true},
        {"type records loop back in 16-bit offsets", With(Defect::TypeRecordLoop), Listed::All, true},
        {"type records repeat without an end marker", With(Defect::RepeatedTypeRecords), Listed::All, true},
        {"huge entry counts", With(Defect::HugeCounts), Listed::Nothing, false},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        NeBuilder b;
        for (const auto& r : all)
            b.addResource(static_cast<std::uint16_t>(r.type),
                          r.name.isString ? NeBuilder::Name(r.name.text) : NeBuilder::Name(r.name.id), r.bytes);
        const testing::TempFolder dir;
        const auto path = dir.path() / "damaged.exe";
        // The count-only path agrees with the full reader on every damaged module.
        auto module = testing::WriteAndOpenModule(path, c.make(b));
        if (c.listed == Listed::Rejected) {
            EXPECT_EQ(module, nullptr);
            continue;
        }
        ASSERT_NE(module, nullptr);

        std::vector<std::string> listed, expected;
        for (ResourceType type : {ResourceType::Icon, ResourceType::GroupIcon})
            for (const auto& n : module->EnumNames(type))
                listed.push_back(Describe(n));
        for (const auto& r : all) {
            const bool isListed = c.listed == Listed::All || (c.listed == Listed::IdsOnly && !r.name.isString);
            if (!isListed) continue;
            expected.push_back(Describe(r.name));
            const auto found = module->Find(r.type, r.name);
            if (c.dataFound)
                EXPECT_EQ(found, Padded(r.bytes, c.unit)) << Describe(r.name);
            else
                EXPECT_EQ(found, std::nullopt) << Describe(r.name);
        }
        std::sort(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listed, expected);
    }
}

} // namespace
} // namespace glyphora
