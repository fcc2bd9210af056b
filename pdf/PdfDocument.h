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

struct PdfObject {
    std::int32_t objectNo = 0;
    std::int64_t startPos = 0;
};

struct PdfPage {
    std::int32_t objectNo = 0;
    std::int32_t resources = 0;
    std::int32_t contents = 0;
    std::int64_t startPos = 0;
    std::int64_t length = 0;
    std::int32_t xObjectStartIndex = -1; // images shown on the page, indexes into XObjects
    std::int32_t xObjectEndIndex = -1;
};

struct PdfXObject {
    std::int32_t objectNo = 0;
    std::string internalName; // "Img" + the caller's counter
    std::int32_t col = 0;
    std::int32_t row = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct PdfFont {
    std::string name;         // face name as registered
    std::string pdfName;      // the standard font it maps to
    std::string internalName; // resource name "F0", "F1", ...
    bool bold = false;
    bool italic = false;
    std::vector<std::string> cMap;    // filled only by the Unicode mode
    std::vector<std::string> cWidths; // filled only by the Unicode mode
};

// A font of the platform: face name and style.
struct PdfFontSpec {
    std::string name;
    bool bold = false;
    bool italic = false;
};

// A text box in points. Top is the baseline of the first line; lines go downwards.
struct PdfRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Text alignment values of the platform.
enum class PdfAlignment : int { Left = 0, Right = 1, Center = 2 };

enum class WatermarkType : int {
    Comment = 0,
    LeftLeft,
    LeftCenter,
    LeftRight,
    TopLeft,
    TopCenter,
    TopRight,
    RightLeft,
    RightCenter,
    RightRight,
    BottomLeft,
    BottomCenter,
    BottomRight,
};

class PdfDocument {
public:
    // A document writing into stream (not owned, never closed here).
    explicit PdfDocument(std::ostream& stream);
    ~PdfDocument();

    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // --- fonts (register them all before WriteHeader) ---
    std::string CheckAddFont(const std::string& name, bool bold, bool italic);
    std::string CheckAddFont(const PdfFontSpec& font);
    void AddFont(const std::string& name, const std::string& pdfName, const std::string& internalName, bool bold,
                 bool italic);

    // --- the document ---
    // Unicode mode is not provided: unicode = true raises a GlyphoraError.
    void WriteHeader(bool compress, bool unicode, int pageHeight, int pageWidth, int pageMarginLeft, int pageMarginTop,
                     int pageMarginRight, int pageMarginBottom, std::string_view infoAuthor,
                     std::string_view infoProducer, std::string_view infoCreator, std::string_view infoTitle);

    // Registers a picture as image "Img" + objCounter and writes its image object at once.
    // Raises "ExpErr-00004: Invalid image." for a palette picture whose palette does not have
    // 256 entries (and for pictures whose data does not match their size); nothing is written
    // for such a picture.
    void AddXObject(int objCounter, int col, int row, const PdfImageSource& g);

    // Writes a page object and opens the page's content stream.
    void WritePageHeader();

    // Content operations on the open page, one line each.
    void WriteContentLine(std::string_view text);
    void SetFillColor(PdfColor value);
    void SetStrokeColor(PdfColor value);
    void SetLineWidth(double value);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x, int y, int w, int h);
    void SetTextMatrix(double angle, double x, double y);
    void SetImageBox(double x, double y, double w, double h);

    // Writes text into r in the registered font pdfFontInternalName (the first font when none
    // has that name). Lines are fontSize + 1 points apart, the first on the baseline r.top; the
    // characters per line are estimated from PdfTextLenCoef, word wrap breaks at line breaks
    // and blanks, and each line is placed left, right or centred by its width in the standard
    // font's metrics. r.bottom becomes r.top + shown lines x (fontSize + 1), so Bottom - Top
    // is the height taken. With calcOnly nothing else happens. Lines below the bottom margin
    // are returned in remainingText for a following call, which then passes an empty text.
    void WriteTextBox(const std::string& text, bool calcOnly, const std::string& pdfFontInternalName, int fontSize,
                      PdfColor fontColor, PdfAlignment alignment, bool wordWrap, PdfRect& r,
                      std::string& remainingText);

    void WriteWatermark(const std::string& text, WatermarkType type, PdfColor color);

    // Closes the open page: its content stream and its resources.
    void WritePageFooter();

    // Closes an open page and writes the page tree, the fonts, the cross-reference table and
    // the trailer.
    void WriteFooter();

    // --- helpers ---
    static std::string PdfFontName(const std::string& fontName, bool bold, bool italic);
    static std::string PdfFontName(const PdfFontSpec& font);
    static float PdfTextLenCoef(const std::string& fontName, bool bold, bool italic);
    static std::string EscapeText(std::string_view s);
    std::string PdfFontInternalName(const PdfFontSpec& f) const;

    const std::vector<PdfXObject>& XObjects() const { return xObjects_; }
    std::vector<PdfPage>& Pages() { return pages_; }
    const std::vector<PdfFont>& Fonts() const { return fonts_; }
    bool PageOpened() const { return pageOpened_; }

private:
    void DocWriteLine(std::string_view text);
    void BeginObject(std::int32_t n);
    void EndObject();
    std::int32_t NextObjectNo() const;
    void WriteStreamData(const std::string& data, bool a, bool b, bool withLength1);
    void WriteImageObject(const PdfXObject& x, int objCounter, const PdfImageSource& g);
    void WriteFontObjects();
    void WriteXRef();
    void WriteTrailer(std::uint64_t xrefPos);
    std::size_t FontIndexOf(std::string_view internalName) const;
    static std::string ColorToPdfRGB(PdfColor value);
    PdfWriter& PageWriter();

    const std::string lineTerminator_ = "\r\n";
    const std::int32_t fontStartingObjectNo_ = 4;
    const std::int32_t pagesObjectNo_ = 3;
    std::int32_t reservedObjectNumbersCount_ = 1;
    std::ostream& stream_;
    PdfWriter out_; // all document output goes through here, so positions stay exact
    std::vector<PdfObject> objects_;
    std::vector<PdfFont> fonts_;
    std::vector<PdfPage> pages_;
    std::vector<PdfXObject> xObjects_;
    std::unique_ptr<std::ostringstream> pageStream_;
    std::unique_ptr<PdfWriter> pageWriter_;
    bool pageOpened_ = false;
    int pageHeight_ = 0;
    int pageWidth_ = 0;
    int pageMarginLeft_ = 0;
    int pageMarginTop_ = 0;
    int pageMarginRight_ = 0;
    int pageMarginBottom_ = 0;
    bool compress_ = false;
    bool unicode_ = false;
    bool includeInfo_ = true;
    bool headerWritten_ = false;
};

} // namespace glyphora
