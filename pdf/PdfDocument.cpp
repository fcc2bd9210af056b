// TqzPDFDocument: object numbering, the document frame (header, catalog, information, page
// objects and resources, page tree, fonts, cross-reference table, trailer), stream objects
// and the simple content operations. Images live in PdfDocumentImages.cpp, fonts and text in
// PdfDocumentText.cpp.
#include "pdf/PdfDocument.h"

#include "pdf/PdfDeflate.h"
#include "pdf/PdfFormat.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace glyphora {

namespace {

std::string TwoDigits(int v)
{
    return (v < 10 ? "0" : "") + PdfInt(v);
}

// The current local date and time as yyyymmddhhnnss.
std::string CreationDateNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return "19700101000000";
    }
    return PdfInt(local->tm_year + 1900) + TwoDigits(local->tm_mon + 1) + TwoDigits(local->tm_mday) +
           TwoDigits(local->tm_hour) + TwoDigits(local->tm_min) + TwoDigits(local->tm_sec);
}

std::string Ref(std::int32_t objectNo)
{
    return PdfInt(objectNo) + " 0 R";
}

} // namespace

TqzPDFDocument::TqzPDFDocument(std::ostream& stream) : FStream(stream), FOut(stream) {}

// The output stream belongs to the caller; buffered bytes are handed over on every line
// written, so nothing is pending here.
TqzPDFDocument::~TqzPDFDocument() = default;

void TqzPDFDocument::DocWriteLine(std::string_view text)
{
    FOut.WriteLine(text);
}

std::int32_t TqzPDFDocument::NextObjectNo() const
{
    return static_cast<std::int32_t>(FObjects.size()) + FReservedObjectNumbersCount + 1;
}

void TqzPDFDocument::BeginObject(std::int32_t n)
{
    FObjects.push_back({n, static_cast<std::int64_t>(FOut.Position())});
    DocWriteLine(PdfInt(n) + " 0 obj");
}

void TqzPDFDocument::EndObject()
{
    DocWriteLine("endobj");
}

void TqzPDFDocument::WriteStreamData(const std::string& data, bool a, bool b, bool withLength1)
{
    const bool compress = FCompress && !(a && b);
    const std::string compressed = compress ? PdfDeflate(data) : std::string();
    const std::string& body = compress ? compressed : data;

    std::string lengthLine = "/Length " + PdfInt(static_cast<long long>(body.size()));
    if (withLength1) {
        lengthLine += " /Length1 " + PdfInt(static_cast<long long>(data.size()));
    }
    DocWriteLine(lengthLine);
    if (compress) {
        DocWriteLine("/Filter /FlateDecode");
    }
    DocWriteLine(">>");
    DocWriteLine("stream");
    FOut.Write(body);
    // "endstream" must start on a line of its own. Content streams end with their own CR LF;
    // compressed and binary data get an end-of-line marker that /Length does not count.
    if (compress || body.empty() || body.back() != '\n') {
        DocWriteLine("");
    }
    DocWriteLine("endstream");
}

void TqzPDFDocument::WriteHeader(bool aCompress, bool aUnicode, int aPageHeight, int aPageWidth,
                                 int aPageMarginLeft, int aPageMarginTop, int aPageMarginRight,
                                 int aPageMarginBottom, std::string_view aInfoAuthor,
                                 std::string_view aInfoProducer, std::string_view aInfoCreator,
                                 std::string_view aInfoTitle)
{
    if (aUnicode) {
        throw GlyphoraError("The PDF writer does not support the Unicode font mode; write the "
                            "document with 8-bit (WinAnsi) text.");
    }
    if (FHeaderWritten) {
        throw GlyphoraError("Internal error: the PDF document header was already written.");
    }
    FPageHeight = aPageHeight;
    FPageWidth = aPageWidth;
    FPageMarginLeft = aPageMarginLeft;
    FPageMarginTop = aPageMarginTop;
    FPageMarginRight = aPageMarginRight;
    FPageMarginBottom = aPageMarginBottom;
    FCompress = aCompress;
    FUnicode = aUnicode;
    FPageOpened = false;
    FHeaderWritten = true;

    DocWriteLine("%PDF-1.2");

    BeginObject(1);
    DocWriteLine("<< /Type /Catalog");
    DocWriteLine("/Pages " + Ref(FPagesObjectNo));
    DocWriteLine(">>");
    EndObject();

    if (FIncludeInfo) {
        // The texts are escaped so that a parenthesis or backslash in a title cannot end the
        // string early and break the dictionary.
        BeginObject(2);
        DocWriteLine("<< /Author (" + EscapeText(aInfoAuthor) + ")");
        DocWriteLine("/Producer (" + EscapeText(aInfoProducer) + ")");
        DocWriteLine("/Creator (" + EscapeText(aInfoCreator) + ")");
        DocWriteLine("/Title (" + EscapeText(aInfoTitle) + ")");
        DocWriteLine("/Keywords ()");
        DocWriteLine("/Subject ()");
        DocWriteLine("/CreationDate (D:" + CreationDateNow() + ")");
        DocWriteLine(">>");
        EndObject();
    }
}

void TqzPDFDocument::WritePageHeader()
{
    if (!FHeaderWritten) {
        throw GlyphoraError("Internal error: a PDF page was opened before the document header.");
    }
    if (FPageOpened) {
        throw GlyphoraError("Internal error: a PDF page was opened while another page is still open.");
    }
    TPDFPage page;
    page.ObjectNo = NextObjectNo();
    page.Contents = page.ObjectNo + 1;
    page.Resources = page.ObjectNo + 2;
    FPages.push_back(page);

    BeginObject(page.ObjectNo);
    DocWriteLine("<< /Type /Page");
    DocWriteLine("/Parent " + Ref(FPagesObjectNo));
    DocWriteLine("/MediaBox [0 0 " + PdfInt(FPageWidth) + " " + PdfInt(FPageHeight) + "]");
    DocWriteLine("/Contents " + Ref(page.Contents));
    DocWriteLine("/Resources " + Ref(page.Resources));
    DocWriteLine(">>");
    EndObject();

    FPDFStream = std::make_unique<std::ostringstream>(std::ios::out | std::ios::binary);
    FPDFWriter = std::make_unique<TqzPdfWriter>(*FPDFStream);
    FPageOpened = true;
}

TqzPdfWriter& TqzPDFDocument::PageWriter()
{
    if (!FPageOpened || !FPDFWriter) {
        throw GlyphoraError("Internal error: PDF page content was written while no page is open.");
    }
    return *FPDFWriter;
}

void TqzPDFDocument::Stream_WriteLine(std::string_view text)
{
    PageWriter().WriteLine(text);
}

std::string TqzPDFDocument::ColorToPdfRGB(PdfColor value)
{
    return PdfFloatStr(RedOf(value)) + " " + PdfFloatStr(GreenOf(value)) + " " + PdfFloatStr(BlueOf(value));
}

void TqzPDFDocument::Stream_SetFillColor(PdfColor value)
{
    Stream_WriteLine(ColorToPdfRGB(value) + " rg");
}

void TqzPDFDocument::Stream_SetStrokeColor(PdfColor value)
{
    Stream_WriteLine(ColorToPdfRGB(value) + " RG");
}

void TqzPDFDocument::Stream_SetLineWidth(double value)
{
    Stream_WriteLine(PdfFixed2(value) + " w");
}

void TqzPDFDocument::Stream_MoveTo(int x, int y)
{
    Stream_WriteLine(PdfInt(x) + " " + PdfInt(y) + " m");
}

void TqzPDFDocument::Stream_LineTo(int x, int y)
{
    Stream_WriteLine(PdfInt(x) + " " + PdfInt(y) + " l");
}

void TqzPDFDocument::Stream_Rectangle(int x, int y, int w, int h)
{
    Stream_WriteLine(PdfInt(x) + " " + PdfInt(y) + " " + PdfInt(w) + " " + PdfInt(h) + " re");
}

void TqzPDFDocument::Stream_SetImageBox(double x, double y, double w, double h)
{
    Stream_WriteLine(PdfFixed2(w) + " 0 0 " + PdfFixed2(h) + " " + PdfFixed2(x) + " " + PdfFixed2(y) + " cm");
}

void TqzPDFDocument::Stream_SetTextMatrix(double angle, double x, double y)
{
    // The angle is converted with pi taken as 3.14, as the documents of this writer always were.
    const double a = angle * 3.14 / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    Stream_WriteLine(PdfFixed2(c) + " " + PdfFixed2(s) + " " + PdfFixed2(-s) + " " + PdfFixed2(c) + " " +
                     PdfFixed2(x) + " " + PdfFixed2(y) + " Tm");
}

void TqzPDFDocument::WritePageFooter()
{
    if (!FPageOpened || FPages.empty()) {
        throw GlyphoraError("Internal error: a PDF page was closed while no page is open.");
    }
    const TPDFPage& page = FPages.back();

    // Check the image range before anything of the page is written.
    const bool hasImages = page.XObjectStartIndex >= 0;
    if (hasImages && (page.XObjectEndIndex < page.XObjectStartIndex ||
                      static_cast<std::size_t>(page.XObjectEndIndex) >= FXObjects.size())) {
        throw GlyphoraError("Internal error: a PDF page lists images that were never added.");
    }

    FPDFWriter->Save();
    const std::string content = FPDFStream->str();
    FPDFWriter.reset();
    FPDFStream.reset();
    FPageOpened = false;

    BeginObject(page.Contents);
    DocWriteLine("<<");
    WriteStreamData(content, false, false, false);
    EndObject();

    BeginObject(page.Resources);
    DocWriteLine("<<");
    std::string fonts = "/Font << ";
    for (std::size_t i = 0; i < FFonts.size(); ++i) {
        if (i > 0) {
            fonts += " ";
        }
        fonts += "/" + FFonts[i].InternalName + " " + Ref(FFontStartingObjectNo + static_cast<std::int32_t>(i));
    }
    DocWriteLine(fonts + " >>");
    DocWriteLine("/ProcSet [ /PDF /Text ]");
    if (hasImages) {
        std::string images = "/XObject << ";
        for (auto i = page.XObjectStartIndex; i <= page.XObjectEndIndex; ++i) {
            if (i > page.XObjectStartIndex) {
                images += " ";
            }
            const TPDFXObject& x = FXObjects[static_cast<std::size_t>(i)];
            images += "/" + x.InternalName + " " + Ref(x.ObjectNo);
        }
        DocWriteLine(images + " >>");
    }
    DocWriteLine(">>");
    EndObject();
}

void TqzPDFDocument::WriteFontObjects()
{
    for (std::size_t i = 0; i < FFonts.size(); ++i) {
        BeginObject(FFontStartingObjectNo + static_cast<std::int32_t>(i));
        DocWriteLine("<< /Type /Font");
        DocWriteLine("/Subtype /Type1");
        DocWriteLine("/BaseFont /" + FFonts[i].PDFName);
        DocWriteLine("/Encoding /WinAnsiEncoding");
        DocWriteLine(">>");
        EndObject();
    }
}

void TqzPDFDocument::WriteXRef()
{
    std::sort(FObjects.begin(), FObjects.end(),
              [](const TPDFObject& l, const TPDFObject& r) { return l.ObjectNo < r.ObjectNo; });
    DocWriteLine("xref");
    DocWriteLine("0 " + PdfInt(static_cast<long long>(FObjects.size()) + 1));
    // Each entry is exactly 20 bytes: 18 characters and the two-byte end of line.
    DocWriteLine("0000000000 65535 f");
    for (const TPDFObject& o : FObjects) {
        DocWriteLine(PdfXrefOffset(static_cast<std::uint64_t>(o.StartPos)) + " 00000 n");
    }
}

void TqzPDFDocument::WriteTrailer(std::uint64_t xrefPos)
{
    DocWriteLine("trailer");
    DocWriteLine("<< /Root 1 0 R");
    DocWriteLine("/Info 2 0 R");
    DocWriteLine("/Size " + PdfInt(static_cast<long long>(FObjects.size()) + 1));
    DocWriteLine(">>");
    DocWriteLine("startxref");
    DocWriteLine(PdfInt(static_cast<long long>(xrefPos)));
    DocWriteLine("%%EOF");
}

void TqzPDFDocument::WriteFooter()
{
    if (!FHeaderWritten) {
        throw GlyphoraError("Internal error: the PDF document was closed before its header was written.");
    }
    if (FPageOpened) {
        WritePageFooter();
    }

    BeginObject(FPagesObjectNo);
    DocWriteLine("<< /Type /Pages");
    std::string kids = "/Kids [ ";
    for (const TPDFPage& p : FPages) {
        kids += Ref(p.ObjectNo) + " ";
    }
    DocWriteLine(kids + "]");
    DocWriteLine("/Count " + PdfInt(static_cast<long long>(FPages.size())));
    DocWriteLine(">>");
    EndObject();

    WriteFontObjects();

    FOut.Save();
    const std::uint64_t xrefPos = FOut.Position();
    WriteXRef();
    WriteTrailer(xrefPos);
    FOut.Save();
    FStream.flush();
    if (!FStream) {
        throw GlyphoraError("The PDF document could not be written: the output failed while finishing it.");
    }
}

} // namespace glyphora
