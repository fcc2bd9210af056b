// Extensions of the save and export target codes and of the HTML picture codes.
#include "export/OutputKind.h"

#include <gtest/gtest.h>

#include <string>

namespace glyphora {
namespace {

TEST(OutputKind, ExtensionOfEveryCode)
{
    const struct {
        int kind;
        const char* extension;
        const char* singleSave;
    } cases[] = {
        {OutputKind::Icon, "ico", "ico"},
        {OutputKind::Bmp, "bmp", "bmp"},
        {OutputKind::Jpeg, "jpg", "jpg"},
        {OutputKind::Emf, "emf", "emf"},
        {OutputKind::Gif, "gif", "gif"},
        {OutputKind::Png, "png", "png"},
        {6, "ico", "ico"},
        {10, "ico", "ico"},
        {OutputKind::Html, "htm", "ico"},
        {OutputKind::Dbase, "dbf", "ico"},
        {OutputKind::Pdf, "pdf", "ico"},
        {OutputKind::Xlsx, "xlsx", "ico"},
        {15, "ico", "ico"},
        {-1, "ico", "ico"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(std::string(OutputKindExtension(c.kind)), c.extension);
        EXPECT_EQ(std::string(SingleSaveExtension(c.kind)), c.singleSave);
    }
}

TEST(OutputKind, TargetImageTypeIsItsOwnCodeSet)
{
    const struct {
        int type;
        const char* extension;
        int outputKind;
    } cases[] = {
        {TargetImageType::Png, "png", OutputKind::Png},
        {TargetImageType::Jpeg, "jpg", OutputKind::Jpeg},
        {TargetImageType::Gif, "gif", OutputKind::Gif},
        {3, "png", OutputKind::Png},
        {-7, "png", OutputKind::Png},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(std::string(TargetImageExtension(c.type)), c.extension);
        EXPECT_EQ(TargetImageOutputKind(c.type), c.outputKind);
    }
}

} // namespace
} // namespace glyphora
