// Written documents checked by independent readers: qpdf --check for the structure and
// pdftoppm for how pages render. Both tools are required (qpdf and poppler-utils); a missing
// tool fails the test rather than skipping it.
#include "pdf/PdfDocument.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace glyphora {
namespace {

using pdftest::RunCommand;
using pdftest::TempFile;

// A page with an RGB, an indexed and a JPEG image, framed and numbered like the icon export.
std::string MixedDocument(bool compress)
{
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Segoe UI", false, false);
    doc.CheckAddFont("Times New Roman", true, true);
    doc.WriteHeader(compress, false, 792, 612, 8, 8, 8, 8, "Author (with parens)", "", "Glyphora", "Icons");
    doc.AddXObject(1, 0, 0, pdftest::SolidBitmap(32, 32, 0x00FF0000));
    doc.AddXObject(2, 1, 0, pdftest::SolidBitmap(32, 32, 0x0000FF00, 32));
    doc.AddXObject(3, 2, 0, pdftest::SolidIndexed(16, 16, 0x000000FF));
    doc.AddXObject(4, 3, 0, PdfJpegImage{16, 16, pdftest::MakeSolidJpeg(16, 16, 200, 100, 50)});
    doc.WritePageHeader();
    doc.Pages().back().xObjectStartIndex = 0;
    doc.Pages().back().xObjectEndIndex = 3;
    doc.SetLineWidth(0.2);
    for (int i = 0; i < 4; ++i) {
        const int x = 8 + i * 30;
        doc.SetStrokeColor(0x00C0C0C0);
        doc.SetFillColor(0x00FFFFFF);
        doc.Rectangle(x, 745, 28, 39);
        doc.WriteContentLine("B");
        doc.WriteContentLine("q");
        doc.SetImageBox(x + 3, 758, 21, 24);
        doc.WriteContentLine("/Img" + std::to_string(i + 1) + " Do");
        doc.WriteContentLine("Q");
        PdfRect r{x + 2, 747, x + 24, 0};
        std::string remaining;
        doc.WriteTextBox(std::to_string(i + 1), false, "F0", 9, 0, PdfAlignment::Center, false, r, remaining);
    }
    PdfRect r{100, 400, 300, 0};
    std::string remaining;
    doc.WriteTextBox("Some (wrapped) text in \\ italics\twith a tab", false, "F1", 12, 0x00336699, PdfAlignment::Right,
                     true, r, remaining);
    doc.WriteWatermark("Glyphora", WatermarkType::RightLeft, 0x00808080);
    doc.WriteWatermark("comment", WatermarkType::Comment, 0);
    doc.WritePageFooter();
    // A second, empty page.
    doc.WritePageHeader();
    doc.WriteFooter();
    return out.str();
}

void ExpectQpdfAccepts(const std::string& bytes, const std::string& what)
{
    std::string version;
    ASSERT_EQ(RunCommand("qpdf --version", version), 0) << "qpdf is required (Debian package qpdf)";
    TempFile file(".pdf");
    pdftest::WriteBytes(file.path(), bytes);
    std::string output;
    const int status = RunCommand("qpdf --check \"" + file.path().string() + "\"", output);
    EXPECT_EQ(status, 0) << what << "\n" << output;
    // qpdf reports recovered damage as warnings while still exiting 0 with some versions.
    EXPECT_EQ(output.find("WARNING"), std::string::npos) << what << "\n" << output;
    EXPECT_NE(output.find("No syntax or stream encoding errors found"), std::string::npos) << what << "\n" << output;
}

TEST(PdfExternalReaders, QpdfChecksCompressedAndUncompressedDocuments)
{
    ExpectQpdfAccepts(MixedDocument(true), "compressed");
    ExpectQpdfAccepts(MixedDocument(false), "uncompressed");
}

// The colour of one pixel of a PNG, read by Pillow.
std::string PixelAt(const std::filesystem::path& png, int x, int y)
{
    std::string output;
    const std::string script = "from PIL import Image; im = Image.open(r'" + png.string() +
                               "').convert('RGB'); print(*im.getpixel((" + std::to_string(x) + ", " +
                               std::to_string(y) + ")))";
    const int status = RunCommand("/usr/bin/python3 -c \"" + script + "\"", output);
    EXPECT_EQ(status, 0) << output;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

TEST(PdfExternalReaders, PdftoppmRendersImagesWhereTheyArePlaced)
{
    std::string version;
    ASSERT_EQ(RunCommand("pdftoppm -v", version), 0) << "pdftoppm is required (Debian package poppler-utils)";

    // A 100 x 100 point page: a red RGB image in 20..60 x 30..50 (PDF coordinates) and a blue
    // indexed image in 70..90 x 70..90. At 72 dpi one point is one pixel and y runs downwards.
    std::ostringstream out;
    PdfDocument doc(out);
    doc.CheckAddFont("Arial", false, false);
    doc.WriteHeader(true, false, 100, 100, 0, 0, 0, 0, "", "", "", "");
    doc.AddXObject(1, 0, 0, pdftest::SolidBitmap(2, 2, 0x00FF0000));
    doc.AddXObject(2, 1, 0, pdftest::SolidIndexed(3, 3, 0x000000FF));
    doc.WritePageHeader();
    doc.Pages().back().xObjectStartIndex = 0;
    doc.Pages().back().xObjectEndIndex = 1;
    doc.WriteContentLine("q");
    doc.SetImageBox(20, 30, 40, 20);
    doc.WriteContentLine("/Img1 Do");
    doc.WriteContentLine("Q");
    doc.WriteContentLine("q");
    doc.SetImageBox(70, 70, 20, 20);
    doc.WriteContentLine("/Img2 Do");
    doc.WriteContentLine("Q");
    doc.WriteFooter();

    TempFile pdf(".pdf");
    pdftest::WriteBytes(pdf.path(), out.str());
    TempFile prefix("");
    std::string output;
    ASSERT_EQ(RunCommand("pdftoppm -png -r 72 -f 1 -l 1 -singlefile \"" + pdf.path().string() + "\" \"" +
                             prefix.path().string() + "\"",
                         output),
              0)
        << output;
    TempFile png(""); // removes the rendered page afterwards
    const std::filesystem::path rendered = prefix.path().string() + ".png";
    std::filesystem::rename(rendered, png.path());

    const struct {
        int x;
        int y;
        const char* rgb;
    } cases[] = {
        {40, 60, "255 0 0"},    // inside the red image (PDF y 40)
        {21, 51, "255 0 0"},    // near its top-left corner
        {80, 20, "0 0 255"},    // inside the blue image (PDF y 80)
        {5, 5, "255 255 255"},  // blank page
        {65, 60, "255 255 255"} // right of the red image
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PixelAt(png.path(), c.x, c.y), c.rgb) << c.x << "," << c.y;
    }
}

} // namespace
} // namespace glyphora
