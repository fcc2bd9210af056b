// Fonts and text of the PDF writer: mapping face names to the standard fonts, registering
// fonts, escaping strings, text boxes with alignment and word wrap, and watermarks.
#include "pdf/PdfDocument.h"

#include "pdf/PdfFormat.h"
#include "pdf/StandardFontMetrics.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <charconv>

namespace glyphora {

namespace {

std::string AsciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// Upper case of one WinAnsi character (ASCII, Latin-1 letters and the three Latin
// pairs WinAnsi places in 0x80..0x9F).
unsigned char WinAnsiUpper(unsigned char c)
{
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 0x20);
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
    case 0x9A: return 0x8A; // s caron
    case 0x9C: return 0x8C; // oe
    case 0x9E: return 0x8E; // z caron
    case 0xFF: return 0x9F; // y diaeresis
    default: return c;
    }
}

bool EqualsOwnUpperCase(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return WinAnsiUpper(u) == u;
    });
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// True when the text, without surrounding blanks, is a decimal number ("12", "-3.5", "1e3").
bool ReadsAsNumber(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return false;
    }
    double value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == s.data() + s.size();
}

// Removes trailing blanks and control characters.
std::string TrimRight(std::string_view s)
{
    std::size_t end = s.size();
    while (end > 0 && static_cast<unsigned char>(s[end - 1]) <= ' ') {
        --end;
    }
    return std::string(s.substr(0, end));
}

// Splits at CR LF, CR or LF. An empty text has no lines; a final line break adds none.
std::vector<std::string> SplitLines(std::string_view s)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = start;
        while (end < s.size() && s[end] != '\r' && s[end] != '\n') {
            ++end;
        }
        lines.emplace_back(s.substr(start, end - start));
        if (end < s.size() && s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

// Breaks a line longer than maxChars at the last blank or tab that keeps the piece within
// maxChars (or, when there is none, at the first blank after it); the blank at a break is
// dropped. A line without any blank stays whole.
void WrapInto(std::string line, std::size_t maxChars, std::vector<std::string>& out)
{
    while (line.size() > maxChars) {
        std::size_t cut = std::string::npos;
        for (std::size_t i = std::min(maxChars, line.size() - 1) + 1; i-- > 0;) {
            if (IsBlank(line[i])) {
                cut = i;
                break;
            }
        }
        if (cut == std::string::npos) {
            for (std::size_t i = maxChars + 1; i < line.size(); ++i) {
                if (IsBlank(line[i])) {
                    cut = i;
                    break;
                }
            }
        }
        if (cut == std::string::npos) {
            break;
        }
        out.push_back(line.substr(0, cut));
        line.erase(0, cut + 1);
    }
    out.push_back(std::move(line));
}

} // namespace

std::string TqzPDFDocument::PDFFontName(const std::string& fontName, bool bold, bool italic)
{
    const std::string lower = AsciiLower(fontName);
    std::string base;
    if (lower == "courier" || lower.starts_with("courier ")) {
        base = "Courier";
    } else if (lower == "times new roman") {
        base = "Times";
    } else {
        base = "Helvetica";
    }
    if (base == "Times") {
        if (bold && italic) {
            return "Times-BoldItalic";
        }
        if (bold) {
            return "Times-Bold";
        }
        return italic ? "Times-Italic" : "Times-Roman";
    }
    if (bold && italic) {
        return base + "-BoldOblique";
    }
    if (bold) {
        return base + "-Bold";
    }
    return italic ? base + "-Oblique" : base;
}

std::string TqzPDFDocument::PDFFontName(const PdfFontSpec& font)
{
    return PDFFontName(font.Name, font.Bold, font.Italic);
}

float TqzPDFDocument::PDFTextLenCoef(const std::string& fontName, bool bold, bool italic)
{
    const std::string mapped = AsciiLower(PDFFontName(fontName, bold, italic));
    if (mapped.starts_with("courier")) {
        return 1.5f;
    }
    if (mapped.starts_with("times")) {
        if (bold && italic) {
            return 2.32f / 1.04f;
        }
        if (bold) {
            return 2.32f / 1.06f;
        }
        return italic ? 2.32f / 1.01f : 2.32f;
    }
    return bold ? 2.14f / 1.09f : 2.14f;
}

std::string TqzPDFDocument::EscapeText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '(': out += "\\("; break;
        case ')': out += "\\)"; break;
        case '\t': out += "\\t"; break;
        default: out += c; break;
        }
    }
    return out;
}

void TqzPDFDocument::AddFont(const std::string& name, const std::string& pdfName, const std::string& internalName,
                             bool bold, bool italic)
{
    // Font objects take the numbers 4, 5, ... reserved ahead of every other object; a font
    // added after the first object would collide with a number already in use.
    if (!FObjects.empty()) {
        throw GlyphoraError("Internal error: a font was registered with the PDF writer after the "
                            "document was started; register every font first.");
    }
    TPDFFont f;
    f.Name = name;
    f.PDFName = pdfName;
    f.InternalName = internalName;
    f.Bold = bold;
    f.Italic = italic;
    FFonts.push_back(std::move(f));
    ++FReservedObjectNumbersCount;
}

std::string TqzPDFDocument::CheckAddFont(const std::string& name, bool bold, bool italic)
{
    const std::string pdfName = PDFFontName(name, bold, italic);
    for (const TPDFFont& f : FFonts) {
        if (f.Name == name && f.PDFName == pdfName) {
            return f.InternalName;
        }
    }
    const std::string internalName = "F" + PdfInt(static_cast<long long>(FFonts.size()));
    AddFont(name, pdfName, internalName, bold, italic);
    return internalName;
}

std::string TqzPDFDocument::CheckAddFont(const PdfFontSpec& font)
{
    return CheckAddFont(font.Name, font.Bold, font.Italic);
}

std::string TqzPDFDocument::PDFFontInternalName(const PdfFontSpec& f) const
{
    const std::string pdfName = PDFFontName(f);
    for (const TPDFFont& font : FFonts) {
        if (font.Name == f.Name && font.PDFName == pdfName) {
            return font.InternalName;
        }
    }
    return "F0";
}

std::size_t TqzPDFDocument::FontIndexOf(std::string_view internalName) const
{
    for (std::size_t i = 0; i < FFonts.size(); ++i) {
        if (FFonts[i].InternalName == internalName) {
            return i;
        }
    }
    return 0;
}

void TqzPDFDocument::WriteTextBox(const std::string& text, bool calcOnly, const std::string& pdfFontInternalName,
                                  int fontSize, PdfColor fontColor, PdfAlignment aAlignment, bool aWordWrap,
                                  PdfRect& r, std::string& remainingText)
{
    if (FFonts.empty()) {
        throw GlyphoraError("Internal error: PDF text was written without a registered font.");
    }
    if (fontSize <= 0) {
        throw GlyphoraError("Internal error: PDF text was written with a font size of " + PdfInt(fontSize) + ".");
    }
    const TPDFFont& font = FFonts[FontIndexOf(pdfFontInternalName)];

    // Characters per point of size: an estimate of how many characters fit in the width.
    // Capitals run wider than the average, so text in capitals (not a number) gets fewer.
    double k = PDFTextLenCoef(font.Name, font.Bold, font.Italic);
    if (font.PDFName != "Courier" && EqualsOwnUpperCase(text) && !ReadsAsNumber(text)) {
        k /= 1.1;
    }
    const long long charsPerLine =
        RoundHalfEven(static_cast<double>(r.Right - r.Left) * k / static_cast<double>(fontSize)) - 1;
    const std::size_t maxChars = charsPerLine > 0 ? static_cast<std::size_t>(charsPerLine) : 0;
    const int lineStep = fontSize + 1;
    const long long linesThatFit = std::max<long long>(0, (r.Top - FPageMarginBottom) / lineStep + 2);

    std::vector<std::string> lines;
    if (!text.empty() || remainingText.empty()) {
        const std::string trimmed = TrimRight(text);
        if (!aWordWrap) {
            lines.push_back(trimmed.substr(0, maxChars));
        } else {
            for (std::string& line : SplitLines(trimmed)) {
                WrapInto(std::move(line), maxChars, lines);
            }
        }
    } else {
        lines = SplitLines(remainingText);
    }

    const auto shown = static_cast<std::size_t>(std::min<long long>(static_cast<long long>(lines.size()), linesThatFit));
    // Bottom - Top is the height the lines take.
    r.Bottom = r.Top + static_cast<int>(shown) * lineStep;
    if (calcOnly) {
        return;
    }

    Stream_WriteLine("q");
    Stream_SetFillColor(fontColor);
    Stream_WriteLine("BT");
    Stream_WriteLine("/" + pdfFontInternalName + " " + PdfInt(fontSize) + " Tf");
    long long previousX = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string& line = lines[i];
        const int w = StandardTextWidth(font.PDFName, line, fontSize);
        long long x = r.Left;
        if (aAlignment == PdfAlignment::Right) {
            x = static_cast<long long>(r.Right) - w;
        } else if (aAlignment == PdfAlignment::Center) {
            x = RoundHalfEven((static_cast<double>(r.Left) + r.Right) / 2.0 - w / 2.0);
        }
        if (i == 0) {
            Stream_WriteLine(PdfInt(x) + " " + PdfInt(r.Top) + " Td");
        } else {
            Stream_WriteLine(PdfInt(x - previousX) + " -" + PdfInt(lineStep) + " TD");
        }
        previousX = x;
        Stream_WriteLine("(" + EscapeText(line) + ") Tj");
    }
    Stream_WriteLine("ET");
    Stream_WriteLine("Q");

    remainingText.clear();
    for (std::size_t i = shown; i < lines.size(); ++i) {
        if (i > shown) {
            remainingText += "\r\n";
        }
        remainingText += lines[i];
    }
}

void TqzPDFDocument::WriteWatermark(const std::string& aText, TWatermarkType aType, PdfColor aColor)
{
    if (aType == TWatermarkType::wmtComment) {
        // A line break inside the text would end the comment and leave the rest as content.
        std::string comment = aText;
        std::replace_if(comment.begin(), comment.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        Stream_WriteLine("%" + comment);
        return;
    }
    if (FFonts.empty()) {
        throw GlyphoraError("Internal error: a PDF watermark was written without a registered font.");
    }
    double angle = 90;
    double x = 10;
    double y = FPageMarginBottom;
    switch (aType) {
    case TWatermarkType::wmtTopLeft:
        angle = 0;
        x = FPageMarginLeft;
        y = FPageHeight - 10;
        break;
    case TWatermarkType::wmtRightLeft:
        angle = 270;
        x = FPageWidth - 10;
        y = FPageHeight - FPageMarginTop;
        break;
    case TWatermarkType::wmtBottomLeft:
        angle = 0;
        x = FPageMarginLeft;
        y = 0;
        break;
    default:
        break;
    }
    Stream_WriteLine("q");
    Stream_SetFillColor(aColor);
    Stream_WriteLine("BT");
    Stream_WriteLine("/F0 10 Tf");
    Stream_SetTextMatrix(angle, x, y);
    Stream_WriteLine("(" + EscapeText(aText) + ") Tj");
    Stream_WriteLine("ET");
    Stream_WriteLine("Q");
}

} // namespace glyphora
