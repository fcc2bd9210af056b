// The output kinds: their extensions, their numeric codes both ways, the HTML picture types
// and the list of picture kinds.
#include "export/OutputKind.h"

#include <gtest/gtest.h>

#include <string>

namespace glyphora {
namespace {

TEST(OutputKind, ExtensionOfEveryCode)
{
    // Every code as it is read from a stored file or the settings: the unused codes 6 to 10
    // and unknown codes read as icon files.
    const struct {
        int code;
        const char* extension;
        const char* singleSave;
    } cases[] = {
        {0, "ico", "ico"},  {1, "bmp", "bmp"},   {2, "jpg", "jpg"},  {3, "emf", "emf"},  {4, "gif", "gif"},
        {5, "png", "png"},  {6, "ico", "ico"},   {10, "ico", "ico"}, {11, "htm", "ico"}, {12, "dbf", "ico"},
        {13, "pdf", "ico"}, {14, "xlsx", "ico"}, {15, "ico", "ico"}, {-1, "ico", "ico"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const OutputKind kind = OutputKindFromCode(c.code);
        EXPECT_EQ(std::string(OutputKindExtension(kind)), c.extension);
        EXPECT_EQ(std::string(SingleSaveExtension(kind)), c.singleSave);
    }
}

TEST(OutputKind, EveryKindHasItsOwnCodeAndComesBackFromIt)
{
    const struct {
        OutputKind kind;
        int code;
        bool picture;
        bool singleFile;
    } cases[] = {
        {OutputKind::Icon, 0, false, false},  {OutputKind::Bmp, 1, true, false},    {OutputKind::Jpeg, 2, true, false},
        {OutputKind::Emf, 3, true, false},    {OutputKind::Gif, 4, true, false},    {OutputKind::Png, 5, true, false},
        {OutputKind::Html, 11, false, false}, {OutputKind::Dbase, 12, false, true}, {OutputKind::Pdf, 13, false, true},
        {OutputKind::Xlsx, 14, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(OutputKindCode(c.kind), c.code);
        EXPECT_EQ(OutputKindFromCode(c.code), c.kind);
        EXPECT_EQ(IsPictureFormat(c.kind), c.picture);
        EXPECT_EQ(IsSingleFileDocument(c.kind), c.singleFile);
    }
}

TEST(OutputKind, ThePictureKindsAreTheIconFileAndTheFivePictureFormatsInCodeOrder)
{
    ASSERT_EQ(kPictureKinds.size(), 6u);
    for (int position = 0; position < 6; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(OutputKindCode(PictureKindAt(position)), position);
        EXPECT_EQ(PictureKindPosition(PictureKindAt(position)), position);
    }
    EXPECT_EQ(PictureKindAt(-1), OutputKind::Icon);
    EXPECT_EQ(PictureKindAt(6), OutputKind::Icon);
    for (OutputKind document : {OutputKind::Html, OutputKind::Dbase, OutputKind::Pdf, OutputKind::Xlsx})
        EXPECT_EQ(PictureKindPosition(document), -1) << OutputKindCode(document);
}

TEST(OutputKind, HtmlPictureTypeIsItsOwnCodeSet)
{
    const struct {
        int code;
        const char* extension;
        OutputKind outputKind;
    } cases[] = {
        {0, "png", OutputKind::Png}, {1, "jpg", OutputKind::Jpeg}, {2, "gif", OutputKind::Gif},
        {3, "png", OutputKind::Png}, {-7, "png", OutputKind::Png},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const HtmlPictureType type = HtmlPictureTypeFromCode(c.code);
        EXPECT_EQ(std::string(HtmlPictureExtension(type)), c.extension);
        EXPECT_EQ(HtmlPictureKind(type), c.outputKind);
    }
    for (HtmlPictureType type : {HtmlPictureType::Png, HtmlPictureType::Jpeg, HtmlPictureType::Gif})
        EXPECT_EQ(HtmlPictureTypeFromCode(HtmlPictureTypeCode(type)), type);
    EXPECT_EQ(HtmlPictureTypeCode(HtmlPictureType::Jpeg), 1);
}

} // namespace
} // namespace glyphora
