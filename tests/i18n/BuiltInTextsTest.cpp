// The built-in English texts are the English pack compiled in: the same text for every
// identifier, and the text the program shows where no pack, or a pack without that text,
// is in use.
#include "i18n/BuiltInTexts.h"
#include "i18n/LanguagePack.h"
#include "i18n/TextIds.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(BuiltInTexts, AreTheEnglishPackWordForWord)
{
    const LanguagePackFile file = LoadLanguagePackFile(GLYPHORA_SOURCE_DIR "/i18n/packs/english.lng");
    ASSERT_TRUE(file.pack.has_value()) << file.error;
    for (const TextIdInfo& info : kAllTextIds)
        EXPECT_EQ(BuiltInText(info.id), file.pack->Text(static_cast<std::uint16_t>(info.id))) << "id " << info.id;
    for (int unknown : {0, 5, 999, 65535, -1, 65536})
        EXPECT_EQ(BuiltInText(unknown), "") << unknown;
}

TEST(BuiltInTexts, StandInWhereThePackInUseHasNoText)
{
    ReleaseLanguagePack();
    EXPECT_EQ(InterfaceText(kTextMenuSaveAll), "Save &All");
    EXPECT_EQ(InterfaceText(kTextSaveAllSuccess), "%d icon(s) saved.");

    InstallLanguagePack(LanguagePack::FromTexts({{kTextMenuSaveAll, "Alles speichern"}}));
    EXPECT_EQ(InterfaceText(kTextMenuSaveAll), "Alles speichern");
    EXPECT_EQ(InterfaceText(kTextMenuLanguage), "Language");
    EXPECT_EQ(LangString(kTextMenuLanguage), "") << "the pack itself still lacks the text";
    ReleaseLanguagePack();
}

} // namespace
} // namespace glyphora
