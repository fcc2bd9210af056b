// PdfDocument: object numbering, the document frame (header, catalog, information, page
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

PdfDocument::PdfDocument(std::ostream& stream) : stream_(stream), out_(stream) {}

// The output stream belongs to the caller; buffered bytes are handed over on every line
// written, so nothing is pending here.
PdfDocument::~PdfDocument() = default;

void PdfDocument::DocWriteLine(std::string_view text)
{
    out_.WriteLine(text);
}

std::int32_t PdfDocument::NextObjectNo() const
{
    return static_cast<std::int32_t>(objects_.size()) + reservedObjectNumbersCount_ + 1;
}

void PdfDocument::BeginObject(std::int32_t n)
{
    objects_.push_back({n, static_cast<std::int64_t>(out_.Position())});
    DocWriteLine(PdfInt(n) + " 0 obj");
}

void PdfDocument::EndObject()
{
    DocWriteLine("endobj");
}

void PdfDocument::WriteStreamData(const std::string& data, bool a, bool b, bool withLength1)
{
    const bool compress = compress_ && !(a && b);
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
    out_.Write(body);
    // "endstream" must start on a line of its own. Content streams end with their own CR LF;
    // compressed and binary data get an end-of-line marker that /Length does not count.
    if (compress || body.empty() || body.back() != '\n') {
        DocWriteLine("");
    }
    DocWriteLine("endstream");
}

void PdfDocument::WriteHeader(bool compress, bool unicode, int pageHeight, int pageWidth, int pageMarginLeft,
                              int pageMarginTop, int pageMarginRight, int pageMarginBottom, std::string_view infoAuthor,
                              std::string_view infoProducer, std::string_view infoCreator, std::string_view infoTitle)
{
    if (unicode) {
        throw GlyphoraError("The PDF writer does not support the Unicode font mode; write the "
                            "document with 8-bit (WinAnsi) text.");
    }
    if (headerWritten_) {
        throw GlyphoraError("Internal error: the PDF document header was already written.");
    }
    pageHeight_ = pageHeight;
    pageWidth_ = pageWidth;
    pageMarginLeft_ = pageMarginLeft;
    pageMarginTop_ = pageMarginTop;
    pageMarginRight_ = pageMarginRight;
    pageMarginBottom_ = pageMarginBottom;
    compress_ = compress;
    unicode_ = unicode;
    pageOpened_ = false;
    headerWritten_ = true;

    DocWriteLine("%PDF-1.2");

    BeginObject(1);
    DocWriteLine("<< /Type /Catalog");
    DocWriteLine("/Pages " + Ref(pagesObjectNo_));
    DocWriteLine(">>");
    EndObject();

    if (includeInfo_) {
        // The texts are escaped so that a parenthesis or backslash in a title cannot end the
        // string early and break the dictionary.
        BeginObject(2);
        DocWriteLine("<< /Author (" + EscapeText(infoAuthor) + ")");
        DocWriteLine("/Producer (" + EscapeText(infoProducer) + ")");
        DocWriteLine("/Creator (" + EscapeText(infoCreator) + ")");
        DocWriteLine("/Title (" + EscapeText(infoTitle) + ")");
        DocWriteLine("/Keywords ()");
        DocWriteLine("/Subject ()");
        DocWriteLine("/CreationDate (D:" + CreationDateNow() + ")");
        DocWriteLine(">>");
        EndObject();
    }
}

void PdfDocument::WritePageHeader()
{
    if (!headerWritten_) {
        throw GlyphoraError("Internal error: a PDF page was opened before the document header.");
    }
    if (pageOpened_) {
        throw GlyphoraError("Internal error: a PDF page was opened while another page is still open.");
    }
    PdfPage page;
    page.objectNo = NextObjectNo();
    page.contents = page.objectNo + 1;
    page.resources = page.objectNo + 2;
    pages_.push_back(page);

    BeginObject(page.objectNo);
    DocWriteLine("<< /Type /Page");
    DocWriteLine("/Parent " + Ref(pagesObjectNo_));
    DocWriteLine("/MediaBox [0 0 " + PdfInt(pageWidth_) + " " + PdfInt(pageHeight_) + "]");
    DocWriteLine("/Contents " + Ref(page.contents));
    DocWriteLine("/Resources " + Ref(page.resources));
    DocWriteLine(">>");
    EndObject();

    pageStream_ = std::make_unique<std::ostringstream>(std::ios::out | std::ios::binary);
    pageWriter_ = std::make_unique<PdfWriter>(*pageStream_);
    pageOpened_ = true;
}

PdfWriter& PdfDocument::PageWriter()
{
    if (!pageOpened_ || !pageWriter_) {
        throw GlyphoraError("Internal error: PDF page content was written while no page is open.");
    }
    return *pageWriter_;
}

void PdfDocument::WriteContentLine(std::string_view text)
{
    PageWriter().WriteLine(text);
}

std::string PdfDocument::ColorToPdfRGB(PdfColor value)
{
    return PdfFloatStr(RedOf(value)) + " " + PdfFloatStr(GreenOf(value)) + " " + PdfFloatStr(BlueOf(value));
}

void PdfDocument::SetFillColor(PdfColor value)
{
    WriteContentLine(ColorToPdfRGB(value) + " rg");
}

void PdfDocument::SetStrokeColor(PdfColor value)
{
    WriteContentLine(ColorToPdfRGB(value) + " RG");
}

void PdfDocument::SetLineWidth(double value)
{
    WriteContentLine(PdfFixed2(value) + " w");
}

void PdfDocument::MoveTo(int x, int y)
{
    WriteContentLine(PdfInt(x) + " " + PdfInt(y) + " m");
}

void PdfDocument::LineTo(int x, int y)
{
    WriteContentLine(PdfInt(x) + " " + PdfInt(y) + " l");
}

void PdfDocument::Rectangle(int x, int y, int w, int h)
{
    WriteContentLine(PdfInt(x) + " " + PdfInt(y) + " " + PdfInt(w) + " " + PdfInt(h) + " re");
}

void PdfDocument::SetImageBox(double x, double y, double w, double h)
{
    WriteContentLine(PdfFixed2(w) + " 0 0 " + PdfFixed2(h) + " " + PdfFixed2(x) + " " + PdfFixed2(y) + " cm");
}

void PdfDocument::SetTextMatrix(double angle, double x, double y)
{
    // The angle is converted with pi taken as 3.14, as the documents of this writer always were.
    const double a = angle * 3.14 / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    WriteContentLine(PdfFixed2(c) + " " + PdfFixed2(s) + " " + PdfFixed2(-s) + " " + PdfFixed2(c) + " " + PdfFixed2(x) +
                     " " + PdfFixed2(y) + " Tm");
}

void PdfDocument::WritePageFooter()
{
    if (!pageOpened_ || pages_.empty()) {
        throw GlyphoraError("Internal error: a PDF page was closed while no page is open.");
    }
    const PdfPage& page = pages_.back();

    // Check the image range before anything of the page is written.
    const bool hasImages = page.xObjectStartIndex >= 0;
    if (hasImages && (page.xObjectEndIndex < page.xObjectStartIndex ||
                      static_cast<std::size_t>(page.xObjectEndIndex) >= xObjects_.size())) {
        throw GlyphoraError("Internal error: a PDF page lists images that were never added.");
    }

    pageWriter_->Save();
    const std::string content = pageStream_->str();
    pageWriter_.reset();
    pageStream_.reset();
    pageOpened_ = false;

    BeginObject(page.contents);
    DocWriteLine("<<");
    WriteStreamData(content, false, false, false);
    EndObject();

    BeginObject(page.resources);
    DocWriteLine("<<");
    std::string fonts = "/Font << ";
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (i > 0) {
            fonts += " ";
        }
        fonts += "/" + fonts_[i].internalName + " " + Ref(fontStartingObjectNo_ + static_cast<std::int32_t>(i));
    }
    DocWriteLine(fonts + " >>");
    DocWriteLine("/ProcSet [ /PDF /Text ]");
    if (hasImages) {
        std::string images = "/XObject << ";
        for (auto i = page.xObjectStartIndex; i <= page.xObjectEndIndex; ++i) {
            if (i > page.xObjectStartIndex) {
                images += " ";
            }
            const PdfXObject& x = xObjects_[static_cast<std::size_t>(i)];
            images += "/" + x.internalName + " " + Ref(x.objectNo);
        }
        DocWriteLine(images + " >>");
    }
    DocWriteLine(">>");
    EndObject();
}

void PdfDocument::WriteFontObjects()
{
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        BeginObject(fontStartingObjectNo_ + static_cast<std::int32_t>(i));
        DocWriteLine("<< /Type /Font");
        DocWriteLine("/Subtype /Type1");
        DocWriteLine("/BaseFont /" + fonts_[i].pdfName);
        DocWriteLine("/Encoding /WinAnsiEncoding");
        DocWriteLine(">>");
        EndObject();
    }
}

void PdfDocument::WriteXRef()
{
    std::sort(objects_.begin(), objects_.end(),
              [](const PdfObject& l, const PdfObject& r) { return l.objectNo < r.objectNo; });
    DocWriteLine("xref");
    DocWriteLine("0 " + PdfInt(static_cast<long long>(objects_.size()) + 1));
    // Each entry is exactly 20 bytes: 18 characters and the two-byte end of line.
    DocWriteLine("0000000000 65535 f");
    for (const PdfObject& o : objects_) {
        DocWriteLine(PdfXrefOffset(static_cast<std::uint64_t>(o.startPos)) + " 00000 n");
    }
}

void PdfDocument::WriteTrailer(std::uint64_t xrefPos)
{
    DocWriteLine("trailer");
    DocWriteLine("<< /Root 1 0 R");
    DocWriteLine("/Info 2 0 R");
    DocWriteLine("/Size " + PdfInt(static_cast<long long>(objects_.size()) + 1));
    DocWriteLine(">>");
    DocWriteLine("startxref");
    DocWriteLine(PdfInt(static_cast<long long>(xrefPos)));
    DocWriteLine("%%EOF");
}

void PdfDocument::WriteFooter()
{
    if (!headerWritten_) {
        throw GlyphoraError("Internal error: the PDF document was closed before its header was written.");
    }
    if (pageOpened_) {
        WritePageFooter();
    }

    BeginObject(pagesObjectNo_);
    DocWriteLine("<< /Type /Pages");
    std::string kids = "/Kids [ ";
    for (const PdfPage& p : pages_) {
        kids += Ref(p.objectNo) + " ";
    }
    DocWriteLine(kids + "]");
    DocWriteLine("/Count " + PdfInt(static_cast<long long>(pages_.size())));
    DocWriteLine(">>");
    EndObject();

    WriteFontObjects();

    out_.Save();
    const std::uint64_t xrefPos = out_.Position();
    WriteXRef();
    WriteTrailer(xrefPos);
    out_.Save();
    stream_.flush();
    if (!stream_) {
        throw GlyphoraError("The PDF document could not be written: the output failed while finishing it.");
    }
}

} // namespace glyphora
