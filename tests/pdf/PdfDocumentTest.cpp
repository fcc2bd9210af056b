// PdfDocument: object numbering and the cross-reference table read back from the bytes,
// resources, fonts, content operations and the refusal of bad input.
#include "pdf/PdfDocument.h"

#include "PdfTestSupport.h"
#include "platform/GlyphoraError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace glyphora {
namespace {

using pdftest::CrLfLines;
using pdftest::ObjectText;
using pdftest::ParsePdf;
using pdftest::SolidBitmap;
using pdftest::SolidIndexed;
using pdftest::StreamData;

bool HasLine(const std::string& text, const std::string& line)
{
    const auto lines = CrLfLines(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void Header(PdfDocument& doc, bool compress)
{
    doc.WriteHeader(compress, false, 792, 612, 8, 8, 8, 8, "Marrowfield Software", "", "Glyphora", "Icons");
}

// One font, the given number of 32 x 32 images, one page that shows them all.
std::string ImagesOnOnePage(int imageCount, bool compress)
{
    std::ostringstream out;
    PdfDocument doc(out);
    EXPECT_EQ(doc.CheckAddFont("Segoe UI", false, false), "F0");
    Header(doc, compress);
    for (int i = 0; i < imageCount; ++i) {
        doc.AddXObject(i + 1, i, 0, SolidBitmap(32, 32, 0x00FF0000));
    }
    doc.WritePageHeader();
    doc.Pages().back().xObjectStartIndex = 0;
    doc.Pages().back().xObjectEndIndex = imageCount - 1;
    doc.WriteContentLine("q");
    doc.SetImageBox(10, 10, 24, 24);
    doc.WriteContentLine("/Img1 Do");
    doc.WriteContentLine("Q");
    doc.WriteFooter();
    return out.str();
}

// Object numbers in the order their "N 0 obj" lines appear in the file.
std::vector<int> ObjectOrder(const std::string& bytes)
{
    std::vector<int> order;
    for (const std::string& line : CrLfLines(bytes)) {
        const auto sp = line.find(" 0 obj");
        if (sp != std::string::npos && sp + 6 == line.size() &&
            std::all_of(line.begin(), line.begin() + static_cast<long>(sp),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            order.push_back(std::stoi(line.substr(0, sp)));
        }
    }
    return order;
}

TEST(PdfDocument, SmallDocumentNumbersObjectsWithoutGapsAndXrefPointsAtThem)
{
    for (bool compress : {false, true}) {
        const std::string bytes = ImagesOnOnePage(2, compress);
        const auto pdf = ParsePdf(bytes);
        ASSERT_EQ(pdf.error, "") << "compress=" << compress;
        // catalog, info, page tree, font, 2 images, page, content, resources: 1..9.
        ASSERT_EQ(pdf.xrefOffsets.size(), 10u);
        const std::vector<int> order = ObjectOrder(bytes);
        EXPECT_EQ(order, (std::vector<int>{1, 2, 5, 6, 7, 8, 9, 3, 4}));
        EXPECT_TRUE(HasLine(pdf.trailer, "/Size 10"));
        EXPECT_TRUE(HasLine(pdf.trailer, "<< /Root 1 0 R"));
        EXPECT_TRUE(HasLine(pdf.trailer, "/Info 2 0 R"));
        EXPECT_EQ(bytes.substr(0, 10), "%PDF-1.2\r\n");
    }
}

TEST(PdfDocument, ThreeImagesExampleNumbersAndResources)
{
    const std::string bytes = ImagesOnOnePage(3, true);
    const auto pdf = ParsePdf(bytes);
    ASSERT_EQ(pdf.error, "");
    ASSERT_EQ(pdf.xrefOffsets.size(), 11u);
    EXPECT_EQ(ObjectOrder(bytes), (std::vector<int>{1, 2, 5, 6, 7, 8, 9, 10, 3, 4}));
    EXPECT_TRUE(HasLine(bytes, "0 11"));
    EXPECT_TRUE(HasLine(pdf.trailer, "/Size 11"));

    const std::string resources = ObjectText(pdf, 10);
    EXPECT_TRUE(HasLine(resources, "/Font << /F0 4 0 R >>")) << resources;
    EXPECT_TRUE(HasLine(resources, "/XObject << /Img1 5 0 R /Img2 6 0 R /Img3 7 0 R >>")) << resources;
    EXPECT_TRUE(HasLine(resources, "/ProcSet [ /PDF /Text ]"));

    const std::string page = ObjectText(pdf, 8);
    EXPECT_TRUE(HasLine(page, "/Parent 3 0 R"));
    EXPECT_TRUE(HasLine(page, "/MediaBox [0 0 612 792]"));
    EXPECT_TRUE(HasLine(page, "/Contents 9 0 R"));
    EXPECT_TRUE(HasLine(page, "/Resources 10 0 R"));

    const std::string tree = ObjectText(pdf, 3);
    EXPECT_TRUE(HasLine(tree, "/Kids [ 8 0 R ]"));
    EXPECT_TRUE(HasLine(tree, "/Count 1"));

    const std::string font = ObjectText(pdf, 4);
    EXPECT_TRUE(HasLine(font, "/Subtype /Type1"));
    EXPECT_TRUE(HasLine(font, "/BaseFont /Helvetica"));
    EXPECT_TRUE(HasLine(font, "/Encoding /WinAnsiEncoding"));

    const std::string info = ObjectText(pdf, 2);
    EXPECT_TRUE(HasLine(info, "<< /Author (Marrowfield Software)"));
    EXPECT_TRUE(HasLine(info, "/Creator (Glyphora)"));
    EXPECT_TRUE(HasLine(info, "/Title (Icons)"));
}

TEST(PdfDocument, NumberFormatsInAnUncompressedContentStream)
{
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Arial", false, false);
    Header(doc, false);
    doc.WritePageHeader();
    doc.SetLineWidth(0.2);
    doc.SetFillColor(0x00FFFFFF);
    doc.SetStrokeColor(MakePixel(192, 192, 192));
    doc.SetFillColor(MakePixel(128, 0, 255));
    doc.Rectangle(8, 745, 28, 39);
    doc.MoveTo(1, 2);
    doc.LineTo(-3, 4);
    doc.SetImageBox(11, 758, 21, 24);
    doc.SetTextMatrix(90, 10, 8);
    doc.WriteFooter();

    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    // 4 is the font, 5 the page, 6 its content.
    const std::string contentObject = ObjectText(pdf, 6);
    EXPECT_EQ(contentObject.find("/Filter"), std::string::npos);
    const std::string content = StreamData(pdf, 6);
    EXPECT_TRUE(HasLine(contentObject, "/Length " + std::to_string(content.size())));
    EXPECT_EQ(CrLfLines(content), (std::vector<std::string>{
                                      "0.20 w",
                                      "1 1 1 rg",
                                      "0.75 0.75 0.75 RG",
                                      "0.5 0 1 rg",
                                      "8 745 28 39 re",
                                      "1 2 m",
                                      "-3 4 l",
                                      "21.00 0 0 24.00 11.00 758.00 cm",
                                      "0.00 1.00 -1.00 0.00 10.00 8.00 Tm",
                                  }));
}

TEST(PdfDocument, CompressedContentStreamInflatesToTheSameLines)
{
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Arial", false, false);
    Header(doc, true);
    doc.WritePageHeader();
    doc.SetLineWidth(0.2);
    doc.WriteContentLine("q");
    doc.WriteFooter();
    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    EXPECT_TRUE(HasLine(ObjectText(pdf, 6), "/Filter /FlateDecode"));
    EXPECT_EQ(StreamData(pdf, 6), "0.20 w\r\nq\r\n");
}

TEST(PdfDocument, ImageObjectsCarryTheirColourSpaceAndData)
{
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Arial", false, false);
    Header(doc, false);
    PdfBitmapImage keyed{Bitmap(2, 1, 24, MakePixel(10, 20, 30)), MakePixel(1, 2, 3)};
    keyed.bitmap.at(1, 0) = MakePixel(40, 50, 60);
    doc.AddXObject(1, 0, 0, keyed);
    doc.AddXObject(2, 1, 0, SolidIndexed(2, 2, MakePixel(0xAB, 0xCD, 0xEF)));
    const std::vector<std::uint8_t> jpeg = pdftest::MakeSolidJpeg(8, 8, 0, 200, 0);
    doc.AddXObject(3, 2, 0, PdfJpegImage{8, 8, jpeg});
    doc.WriteFooter();

    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    const std::string rgb = ObjectText(pdf, 5);
    EXPECT_TRUE(HasLine(rgb, "/Name /Img1"));
    EXPECT_TRUE(HasLine(rgb, "/ColorSpace /DeviceRGB"));
    EXPECT_TRUE(HasLine(rgb, "/Mask [1 1 2 2 3 3]"));
    EXPECT_TRUE(HasLine(rgb, "/Width 2"));
    EXPECT_TRUE(HasLine(rgb, "/Height 1"));
    EXPECT_EQ(StreamData(pdf, 5), std::string("\x0A\x14\x1E\x28\x32\x3C", 6));

    const std::string indexed = ObjectText(pdf, 6);
    const std::string prefix = "/ColorSpace [/Indexed /DeviceRGB 255 <";
    const std::size_t paletteAt = indexed.find(prefix);
    ASSERT_NE(paletteAt, std::string::npos);
    // 256 six-digit groups, each followed by a blank; entry 7 holds the colour, the others black.
    const std::size_t groups = paletteAt + prefix.size();
    EXPECT_EQ(indexed.substr(groups, 7), "000000 ");
    EXPECT_EQ(indexed.substr(groups + 7 * 7, 7), "ABCDEF ");
    EXPECT_EQ(indexed.substr(groups + 256 * 7, 4), ">]\r\n");
    EXPECT_EQ(StreamData(pdf, 6), std::string(4, '\x07'));

    const std::string jpegObject = ObjectText(pdf, 7);
    EXPECT_TRUE(HasLine(jpegObject, "/Filter /DCTDecode"));
    EXPECT_EQ(pdftest::RawStreamData(pdf, 7), std::string(jpeg.begin(), jpeg.end()));
}

TEST(PdfDocument, JpegIsNeverRecompressedAndBitmapsAreWhenCompressing)
{
    std::ostringstream out;
    PdfDocument doc(out);
    Header(doc, true);
    const std::vector<std::uint8_t> jpeg = pdftest::MakeSolidJpeg(8, 8, 255, 0, 0);
    doc.AddXObject(1, 0, 0, PdfJpegImage{8, 8, jpeg});
    doc.AddXObject(2, 0, 0, SolidBitmap(4, 4, 0x00123456, 32));
    doc.WriteFooter();
    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    EXPECT_EQ(ObjectText(pdf, 4).find("/FlateDecode"), std::string::npos);
    EXPECT_EQ(pdftest::RawStreamData(pdf, 4), std::string(jpeg.begin(), jpeg.end()));
    EXPECT_TRUE(HasLine(ObjectText(pdf, 5), "/Filter /FlateDecode"));
    std::string expected;
    for (int i = 0; i < 16; ++i) {
        expected += "\x12\x34\x56";
    }
    EXPECT_EQ(StreamData(pdf, 5), expected);
}

TEST(PdfDocument, PaletteWithoutTwoHundredFiftySixEntriesIsRefusedAndNothingIsWritten)
{
    std::ostringstream out;
    PdfDocument doc(out);
    Header(doc, false);
    const std::string before = out.str();
    PdfIndexedImage bad = std::get<PdfIndexedImage>(SolidIndexed(2, 2, 0));
    bad.palette.resize(16);
    try {
        doc.AddXObject(1, 0, 0, bad);
        FAIL() << "no error raised";
    } catch (const GlyphoraError& e) {
        EXPECT_STREQ(e.what(), "ExpErr-00004: Invalid image.");
    }
    EXPECT_EQ(out.str(), before);
    EXPECT_TRUE(doc.XObjects().empty());
    // The document stays consistent: the next image takes the number the refused one would have.
    doc.AddXObject(2, 0, 0, SolidIndexed(2, 2, 0));
    doc.WriteFooter();
    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    EXPECT_NE(ObjectText(pdf, 4).find("/Name /Img2"), std::string::npos);
}

TEST(PdfDocument, MisuseRaisesInsteadOfBreakingTheNumbering)
{
    std::ostringstream out;
    PdfDocument doc(out);
    EXPECT_THROW(doc.WriteHeader(true, true, 792, 612, 8, 8, 8, 8, "", "", "", ""), GlyphoraError);
    EXPECT_TRUE(out.str().empty());
    Header(doc, false);
    EXPECT_THROW(doc.CheckAddFont("Arial", false, false), GlyphoraError);
    doc.WritePageHeader();
    EXPECT_THROW(doc.AddXObject(1, 0, 0, SolidBitmap(1, 1, 0)), GlyphoraError);
    doc.Pages().back().xObjectStartIndex = 0;
    doc.Pages().back().xObjectEndIndex = 0; // no image was added
    EXPECT_THROW(doc.WritePageFooter(), GlyphoraError);
}

TEST(PdfDocument, FontNameMapping)
{
    const struct {
        const char* face;
        bool bold;
        bool italic;
        const char* pdf;
    } cases[] = {
        {"Courier New", false, false, "Courier"},
        {"courier", false, false, "Courier"},
        {"Courier", true, true, "Courier-BoldOblique"},
        {"Times New Roman", true, false, "Times-Bold"},
        {"Times New Roman", false, false, "Times-Roman"},
        {"times new roman", false, true, "Times-Italic"},
        {"Times New Roman", true, true, "Times-BoldItalic"},
        {"Arial", false, true, "Helvetica-Oblique"},
        {"Arial", true, false, "Helvetica-Bold"},
        {"Times", false, false, "Helvetica"},
        {"Courierish", false, false, "Helvetica"},
        {"Segoe UI", true, true, "Helvetica-BoldOblique"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PdfDocument::PdfFontName(c.face, c.bold, c.italic), c.pdf) << c.face;
    }
}

TEST(PdfDocument, TextLengthCoefficients)
{
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Courier New", true, true), 1.5f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Times New Roman", false, false), 2.32f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Times New Roman", true, true), 2.32f / 1.04f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Times New Roman", true, false), 2.32f / 1.06f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Times New Roman", false, true), 2.32f / 1.01f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Arial", false, true), 2.14f);
    EXPECT_FLOAT_EQ(PdfDocument::PdfTextLenCoef("Arial", true, true), 2.14f / 1.09f);
}

TEST(PdfDocument, FontRegistration)
{
    std::ostringstream out;
    PdfDocument doc(out);
    EXPECT_EQ(doc.CheckAddFont("Arial", false, false), "F0");
    EXPECT_EQ(doc.CheckAddFont("Arial", false, false), "F0");
    EXPECT_EQ(doc.CheckAddFont(PdfFontSpec{"Arial", true, false}), "F1");
    EXPECT_EQ(doc.CheckAddFont("Times New Roman", false, false), "F2");
    EXPECT_EQ(doc.PdfFontInternalName(PdfFontSpec{"Times New Roman", false, false}), "F2");
    EXPECT_EQ(doc.PdfFontInternalName(PdfFontSpec{"Verdana", false, false}), "F0");
    ASSERT_EQ(doc.Fonts().size(), 3u);
    EXPECT_EQ(doc.Fonts()[1].pdfName, "Helvetica-Bold");

    // Three fonts reserve 4, 5 and 6: the first free number is 7.
    Header(doc, false);
    doc.WritePageHeader();
    doc.WriteFooter();
    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    ASSERT_EQ(pdf.xrefOffsets.size(), 10u);
    EXPECT_TRUE(HasLine(ObjectText(pdf, 9), "/Font << /F0 4 0 R /F1 5 0 R /F2 6 0 R >>"));
    EXPECT_TRUE(HasLine(ObjectText(pdf, 6), "/BaseFont /Times-Roman"));
}

TEST(PdfDocument, EscapeText)
{
    EXPECT_EQ(PdfDocument::EscapeText("a(b)"), "a\\(b\\)");
    EXPECT_EQ(PdfDocument::EscapeText("c:\\x\ty"), "c:\\\\x\\ty");
}

TEST(PdfDocument, WatermarksAndComments)
{
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Arial", false, false);
    doc.WriteHeader(false, false, 792, 612, 20, 30, 40, 50, "", "", "", "");
    doc.WritePageHeader();
    doc.WriteWatermark("made (here)", WatermarkType::TopLeft, 0x00FF0000);
    doc.WriteWatermark("side", WatermarkType::LeftCenter, 0);
    doc.WriteWatermark("note\r\nnext", WatermarkType::Comment, 0);
    doc.WriteFooter();
    const auto pdf = ParsePdf(out.str());
    ASSERT_EQ(pdf.error, "");
    EXPECT_EQ(CrLfLines(StreamData(pdf, 6)),
              (std::vector<std::string>{"q", "1 0 0 rg", "BT", "/F0 10 Tf", "1.00 0.00 -0.00 1.00 20.00 782.00 Tm",
                                        "(made \\(here\\)) Tj", "ET", "Q", "q", "0 0 0 rg", "BT", "/F0 10 Tf",
                                        "0.00 1.00 -1.00 0.00 10.00 50.00 Tm", "(side) Tj", "ET", "Q", "%note  next"}));
}

} // namespace
} // namespace glyphora
