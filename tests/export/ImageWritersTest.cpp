// Choosing the encoder by OutputKind and delivering its bytes to files and streams.
#include "export/ImageWriters.h"

#include "export/OutputKind.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"
#include "tests/support/TempFolder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace glyphora {
namespace {

// The leading bytes that identify each format.
std::string Signature(OutputKind outputKind)
{
    switch (outputKind) {
    case OutputKind::Jpeg: return "\xFF\xD8\xFF";
    case OutputKind::Emf: return std::string("\x01\x00\x00\x00", 4);
    case OutputKind::Gif: return "GIF8";
    case OutputKind::Png: return "\x89PNG\r\n\x1A\n";
    default: return "BM";
    }
}

bool StartsWith(const std::vector<std::uint8_t>& bytes, const std::string& prefix)
{
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

TEST(ImageWriters, EncodesTheFormatTheCodeNamesAndBitmapForAnyOther)
{
    const Bitmap bitmap = testing::BlockPicture();
    for (int code : {-1, 0, 1, 2, 3, 4, 5, 6, 11, 12, 13, 14, 99}) {
        SCOPED_TRACE(code);
        const OutputKind kind = OutputKindFromCode(code);
        const std::vector<std::uint8_t> bytes = EncodeBitmap(bitmap, kind);
        EXPECT_TRUE(StartsWith(bytes, Signature(kind)));
        if (code < 1 || code > 5) {
            EXPECT_EQ(bytes, EncodeBitmap(bitmap, OutputKind::Bmp));
        }
    }
}

TEST(ImageWriters, SaveBitmapAsReplacesAFileWhateverItsExtension)
{
    testing::TempFolder folder;
    const auto name = folder.path() / "picture.bmp";
    WriteWholeFile(name, std::vector<std::uint8_t>(100000, 0xAB));
    const Bitmap bitmap = testing::BlockPicture();

    SaveBitmapAs(bitmap, name, OutputKind::Gif);

    EXPECT_EQ(ReadWholeFile(name), EncodeBitmap(bitmap, OutputKind::Gif));
}

TEST(ImageWriters, SaveBitmapAsReportsAFileThatCannotBeCreated)
{
    testing::TempFolder folder;
    const auto name = folder.path() / "missing folder" / "picture.png";
    try {
        SaveBitmapAs(testing::BlockPicture(), name, OutputKind::Png);
        FAIL() << "no error raised";
    } catch (const GlyphoraError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("picture.png"), std::string::npos) << message;
        EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
    }
}

TEST(ImageWriters, SaveBitmapToStreamWritesAtTheCurrentPosition)
{
    const Bitmap bitmap = testing::BlockPicture();
    for (OutputKind kind :
         {OutputKind::Bmp, OutputKind::Jpeg, OutputKind::Emf, OutputKind::Gif, OutputKind::Png, OutputKind::Icon}) {
        SCOPED_TRACE(OutputKindCode(kind));
        std::ostringstream stream;
        stream << "head";
        SaveBitmapToStream(bitmap, stream, kind);
        const std::vector<std::uint8_t> expected = EncodeBitmap(bitmap, kind);
        EXPECT_EQ(stream.str(), "head" + std::string(expected.begin(), expected.end()));
    }
}

TEST(ImageWriters, SaveBitmapToStreamReportsAFailedWrite)
{
    std::ostringstream stream;
    stream.setstate(std::ios::badbit);
    EXPECT_THROW(SaveBitmapToStream(testing::BlockPicture(), stream, OutputKind::Png), GlyphoraError);
}

TEST(ImageWriters, EveryFormatRefusesAnEmptyBitmap)
{
    for (OutputKind kind : kPictureKinds) {
        if (!IsPictureFormat(kind)) continue;
        SCOPED_TRACE(OutputKindCode(kind));
        EXPECT_THROW(EncodeBitmap(Bitmap(), kind), GlyphoraError);
    }
}

TEST(ImageWriters, RefusesPicturesWiderThanTheFormatAllows)
{
    const struct {
        OutputKind kind;
        int width;
    } cases[] = {{OutputKind::Jpeg, 65501}, {OutputKind::Gif, 65536}};
    for (const auto& c : cases) {
        SCOPED_TRACE(OutputKindCode(c.kind));
        try {
            EncodeBitmap(Bitmap(c.width, 1), c.kind);
            FAIL() << "no error raised";
        } catch (const GlyphoraError& error) {
            EXPECT_NE(std::string(error.what()).find(std::to_string(c.width)), std::string::npos) << error.what();
        }
        EXPECT_NO_THROW(EncodeBitmap(Bitmap(c.width - 1, 1), c.kind));
    }
}

} // namespace
} // namespace glyphora
