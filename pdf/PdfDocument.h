// The PDF 1.2 document writer: writes header, catalog, information, image objects, pages with
// their content streams and resources, fonts, the cross-reference table and the trailer
// straight into a byte stream, one object after the other. Nothing of the document is kept
// in memory beyond object numbers and offsets (and the content of the page being written).
//
// Object numbers: 1 catalog, 2 information, 3 page tree, 4.. fonts (one per registered font);
// the page tree and the fonts are written last, so their numbers stay reserved until then.
// Every other object takes the next free number = objects written + reserved numbers + 1.
// Hence every font is registered before WriteHeader, and every image a page shows is added
// before that page is opened.
#pragma once

#include "pdf/PdfImageSource.h"
#include "pdf/PdfWriter.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

// A colour as 0x00RRGGBB (the layout of raster/Bitmap.h pixels).
using PdfColor = std::uint32_t;

struct TPDFObject {
    std::int32_t ObjectNo = 0;
    std::int64_t StartPos = 0;
};

struct TPDFPage {
    std::int32_t ObjectNo = 0;
    std::int32_t Resources = 0;
    std::int32_t Contents = 0;
    std::int64_t StartPos = 0;
    std::int64_t Length = 0;
    std::int32_t XObjectStartIndex = -1; // images shown on the page, indexes into XObjects
    std::int32_t XObjectEndIndex = -1;
};

struct TPDFXObject {
    std::int32_t ObjectNo = 0;
    std::string InternalName; // "Img" + the caller's counter
    std::int32_t Col = 0;
    std::int32_t Row = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

struct TPDFFont {
    std::string Name;         // face name as registered
    std::string PDFName;      // the standard font it maps to
    std::string InternalName; // resource name "F0", "F1", ...
    bool Bold = false;
    bool Italic = false;
    std::vector<std::string> CMap;    // filled only by the Unicode mode
    std::vector<std::string> CWidths; // filled only by the Unicode mode
};

// A font of the platform: face name and style.
struct PdfFontSpec {
    std::string Name;
    bool Bold = false;
    bool Italic = false;
};

// A text box in points. Top is the baseline of the first line; lines go downwards.
struct PdfRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Text alignment values of the platform.
enum class PdfAlignment : int { Left = 0, Right = 1, Center = 2 };

enum class TWatermarkType : int {
    wmtComment = 0,
    wmtLeftLeft,
    wmtLeftCenter,
    wmtLeftRight,
    wmtTopLeft,
    wmtTopCenter,
    wmtTopRight,
    wmtRightLeft,
    wmtRightCenter,
    wmtRightRight,
    wmtBottomLeft,
    wmtBottomCenter,
    wmtBottomRight,
};

class TqzPDFDocument {
public:
    // A document writing into stream (not owned, never closed here).
    explicit TqzPDFDocument(std::ostream& stream);
    ~TqzPDFDocument();

    TqzPDFDocument(const TqzPDFDocument&) = delete;
    TqzPDFDocument& operator=(const TqzPDFDocument&) = delete;

    // --- fonts (register them all before WriteHeader) ---
    std::string CheckAddFont(const std::string& name, bool bold, bool italic);
    std::string CheckAddFont(const PdfFontSpec& font);
    void AddFont(const std::string& name, const std::string& pdfName, const std::string& internalName,
                 bool bold, bool italic);

    // --- the document ---
    // Unicode mode is not provided: aUnicode = true raises a GlyphoraError.
    void WriteHeader(bool aCompress, bool aUnicode, int aPageHeight, int aPageWidth, int aPageMarginLeft,
                     int aPageMarginTop, int aPageMarginRight, int aPageMarginBottom,
                     std::string_view aInfoAuthor, std::string_view aInfoProducer,
                     std::string_view aInfoCreator, std::string_view aInfoTitle);

    // Registers a picture as image "Img" + objCounter and writes its image object at once.
    // Raises "ExpErr-00004: Invalid image." for a palette picture whose palette does not have
    // 256 entries (and for pictures whose data does not match their size); nothing is written
    // for such a picture.
    void AddXObject(int objCounter, int aCol, int aRow, const PdfImageSource& g);

    // Writes a page object and opens the page's content stream.
    void WritePageHeader();

    // Content operations on the open page, one line each.
    void Stream_WriteLine(std::string_view text);
    void Stream_SetFillColor(PdfColor value);
    void Stream_SetStrokeColor(PdfColor value);
    void Stream_SetLineWidth(double value);
    void Stream_MoveTo(int x, int y);
    void Stream_LineTo(int x, int y);
    void Stream_Rectangle(int x, int y, int w, int h);
    void Stream_SetTextMatrix(double angle, double x, double y);
    void Stream_SetImageBox(double x, double y, double w, double h);

    // Writes text into r in the registered font pdfFontInternalName (the first font when none
    // has that name). Lines are fontSize + 1 points apart, the first on the baseline r.Top; the
    // characters per line are estimated from PDFTextLenCoef, word wrap breaks at line breaks
    // and blanks, and each line is placed left, right or centred by its width in the standard
    // font's metrics. r.Bottom becomes r.Top + shown lines x (fontSize + 1), so Bottom - Top
    // is the height taken. With calcOnly nothing else happens. Lines below the bottom margin
    // are returned in remainingText for a following call, which then passes an empty text.
    void WriteTextBox(const std::string& text, bool calcOnly, const std::string& pdfFontInternalName,
                      int fontSize, PdfColor fontColor, PdfAlignment aAlignment, bool aWordWrap, PdfRect& r,
                      std::string& remainingText);

    void WriteWatermark(const std::string& aText, TWatermarkType aType, PdfColor aColor);

    // Closes the open page: its content stream and its resources.
    void WritePageFooter();

    // Closes an open page and writes the page tree, the fonts, the cross-reference table and
    // the trailer.
    void WriteFooter();

    // --- helpers ---
    static std::string PDFFontName(const std::string& fontName, bool bold, bool italic);
    static std::string PDFFontName(const PdfFontSpec& font);
    static float PDFTextLenCoef(const std::string& fontName, bool bold, bool italic);
    static std::string EscapeText(std::string_view s);
    std::string PDFFontInternalName(const PdfFontSpec& f) const;

    const std::vector<TPDFXObject>& XObjects() const { return FXObjects; }
    std::vector<TPDFPage>& Pages() { return FPages; }
    const std::vector<TPDFFont>& Fonts() const { return FFonts; }
    bool PageOpened() const { return FPageOpened; }

private:
    void DocWriteLine(std::string_view text);
    void BeginObject(std::int32_t n);
    void EndObject();
    std::int32_t NextObjectNo() const;
    void WriteStreamData(const std::string& data, bool a, bool b, bool withLength1);
    void WriteImageObject(const TPDFXObject& x, int objCounter, const PdfImageSource& g);
    void WriteFontObjects();
    void WriteXRef();
    void WriteTrailer(std::uint64_t xrefPos);
    std::size_t FontIndexOf(std::string_view internalName) const;
    static std::string ColorToPdfRGB(PdfColor value);
    TqzPdfWriter& PageWriter();

    const std::string FLineTerminator = "\r\n";
    const std::int32_t FFontStartingObjectNo = 4;
    const std::int32_t FPagesObjectNo = 3;
    std::int32_t FReservedObjectNumbersCount = 1;
    std::ostream& FStream;
    TqzPdfWriter FOut; // all document output goes through here, so positions stay exact
    std::vector<TPDFObject> FObjects;
    std::vector<TPDFFont> FFonts;
    std::vector<TPDFPage> FPages;
    std::vector<TPDFXObject> FXObjects;
    std::unique_ptr<std::ostringstream> FPDFStream;
    std::unique_ptr<TqzPdfWriter> FPDFWriter;
    bool FPageOpened = false;
    int FPageHeight = 0;
    int FPageWidth = 0;
    int FPageMarginLeft = 0;
    int FPageMarginTop = 0;
    int FPageMarginRight = 0;
    int FPageMarginBottom = 0;
    bool FCompress = false;
    bool FUnicode = false;
    bool FIncludeInfo = true;
    bool FHeaderWritten = false;
};

} // namespace glyphora
