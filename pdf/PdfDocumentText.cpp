// Fonts and text of the PDF writer: mapping face names to the standard fonts, registering
// fonts, escaping strings, text boxes with alignment and word wrap, and watermarks.
#include "pdf/PdfDocument.h"

#include "pdf/PdfFormat.h"
#include "pdf/StandardFontMetrics.h"
#include "platform/AsciiText.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <charconv>

namespace glyphora {

namespace {

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

// True when the text, without surrounding blanks, is a decimal number ("12", "-3.5", "1e3").
bool ReadsAsNumber(std::string_view s)
{
    s = Trim(s);
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
            if (IsAsciiBlank(line[i])) {
                cut = i;
                break;
            }
        }
        if (cut == std::string::npos) {
            for (std::size_t i = maxChars + 1; i < line.size(); ++i) {
                if (IsAsciiBlank(line[i])) {
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

std::string PdfDocument::PdfFontName(const std::string& fontName, bool bold, bool italic)
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

std::string PdfDocument::PdfFontName(const PdfFontSpec& font)
{
    return PdfFontName(font.name, font.bold, font.italic);
}

float PdfDocument::PdfTextLenCoef(const std::string& fontName, bool bold, bool italic)
{
    const std::string mapped = AsciiLower(PdfFontName(fontName, bold, italic));
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

std::string PdfDocument::EscapeText(std::string_view s)
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

void PdfDocument::AddFont(const std::string& name, const std::string& pdfName, const std::string& internalName,
                          bool bold, bool italic)
{
    // Font objects take the numbers 4, 5, ... reserved ahead of every other object; a font
    // added after the first object would collide with a number already in use.
    if (!objects_.empty()) {
        throw GlyphoraError("Internal error: a font was registered with the PDF writer after the "
                            "document was started; register every font first.");
    }
    PdfFont f;
    f.name = name;
    f.pdfName = pdfName;
    f.internalName = internalName;
    f.bold = bold;
    f.italic = italic;
    fonts_.push_back(std::move(f));
    ++reservedObjectNumbersCount_;
}

std::string PdfDocument::CheckAddFont(const std::string& name, bool bold, bool italic)
{
    const std::string pdfName = PdfFontName(name, bold, italic);
    for (const PdfFont& f : fonts_) {
        if (f.name == name && f.pdfName == pdfName) {
            return f.internalName;
        }
    }
    const std::string internalName = "F" + PdfInt(static_cast<long long>(fonts_.size()));
    AddFont(name, pdfName, internalName, bold, italic);
    return internalName;
}

std::string PdfDocument::CheckAddFont(const PdfFontSpec& font)
{
    return CheckAddFont(font.name, font.bold, font.italic);
}

std::string PdfDocument::PdfFontInternalName(const PdfFontSpec& f) const
{
    const std::string pdfName = PdfFontName(f);
    for (const PdfFont& font : fonts_) {
        if (font.name == f.name && font.pdfName == pdfName) {
            return font.internalName;
        }
    }
    return "F0";
}

std::size_t PdfDocument::FontIndexOf(std::string_view internalName) const
{
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].internalName == internalName) {
            return i;
        }
    }
    return 0;
}

void PdfDocument::WriteTextBox(const std::string& text, bool calcOnly, const std::string& pdfFontInternalName,
                               int fontSize, PdfColor fontColor, PdfAlignment alignment, bool wordWrap, PdfRect& r,
                               std::string& remainingText)
{
    if (fonts_.empty()) {
        throw GlyphoraError("Internal error: PDF text was written without a registered font.");
    }
    if (fontSize <= 0) {
        throw GlyphoraError("Internal error: PDF text was written with a font size of " + PdfInt(fontSize) + ".");
    }
    const PdfFont& font = fonts_[FontIndexOf(pdfFontInternalName)];

    // Characters per point of size: an estimate of how many characters fit in the width.
    // Capitals run wider than the average, so text in capitals (not a number) gets fewer.
    double k = PdfTextLenCoef(font.name, font.bold, font.italic);
    if (font.pdfName != "Courier" && EqualsOwnUpperCase(text) && !ReadsAsNumber(text)) {
        k /= 1.1;
    }
    const long long charsPerLine =
        RoundHalfEven(static_cast<double>(r.right - r.left) * k / static_cast<double>(fontSize)) - 1;
    const std::size_t maxChars = charsPerLine > 0 ? static_cast<std::size_t>(charsPerLine) : 0;
    const int lineStep = fontSize + 1;
    const long long linesThatFit = std::max<long long>(0, (r.top - pageMarginBottom_) / lineStep + 2);

    std::vector<std::string> lines;
    if (!text.empty() || remainingText.empty()) {
        const std::string trimmed(TrimRight(text, IsBlankOrControl)); // trailing blanks and control characters
        if (!wordWrap) {
            lines.push_back(trimmed.substr(0, maxChars));
        } else {
            for (std::string& line : SplitLines(trimmed)) {
                WrapInto(std::move(line), maxChars, lines);
            }
        }
    } else {
        lines = SplitLines(remainingText);
    }

    const auto shown =
        static_cast<std::size_t>(std::min<long long>(static_cast<long long>(lines.size()), linesThatFit));
    // Bottom - Top is the height the lines take.
    r.bottom = r.top + static_cast<int>(shown) * lineStep;
    if (calcOnly) {
        return;
    }

    WriteContentLine("q");
    SetFillColor(fontColor);
    WriteContentLine("BT");
    WriteContentLine("/" + pdfFontInternalName + " " + PdfInt(fontSize) + " Tf");
    long long previousX = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string& line = lines[i];
        const int w = StandardTextWidth(font.pdfName, line, fontSize);
        long long x = r.left;
        if (alignment == PdfAlignment::Right) {
            x = static_cast<long long>(r.right) - w;
        } else if (alignment == PdfAlignment::Center) {
            x = RoundHalfEven((static_cast<double>(r.left) + r.right) / 2.0 - w / 2.0);
        }
        if (i == 0) {
            WriteContentLine(PdfInt(x) + " " + PdfInt(r.top) + " Td");
        } else {
            WriteContentLine(PdfInt(x - previousX) + " -" + PdfInt(lineStep) + " TD");
        }
        previousX = x;
        WriteContentLine("(" + EscapeText(line) + ") Tj");
    }
    WriteContentLine("ET");
    WriteContentLine("Q");

    remainingText.clear();
    for (std::size_t i = shown; i < lines.size(); ++i) {
        if (i > shown) {
            remainingText += "\r\n";
        }
        remainingText += lines[i];
    }
}

void PdfDocument::WriteWatermark(const std::string& text, WatermarkType type, PdfColor color)
{
    if (type == WatermarkType::Comment) {
        // A line break inside the text would end the comment and leave the rest as content.
        std::string comment = text;
        std::replace_if(
            comment.begin(), comment.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        WriteContentLine("%" + comment);
        return;
    }
    if (fonts_.empty()) {
        throw GlyphoraError("Internal error: a PDF watermark was written without a registered font.");
    }
    double angle = 90;
    double x = 10;
    double y = pageMarginBottom_;
    switch (type) {
    case WatermarkType::TopLeft:
        angle = 0;
        x = pageMarginLeft_;
        y = pageHeight_ - 10;
        break;
    case WatermarkType::RightLeft:
        angle = 270;
        x = pageWidth_ - 10;
        y = pageHeight_ - pageMarginTop_;
        break;
    case WatermarkType::BottomLeft:
        angle = 0;
        x = pageMarginLeft_;
        y = 0;
        break;
    default: break;
    }
    WriteContentLine("q");
    SetFillColor(color);
    WriteContentLine("BT");
    WriteContentLine("/F0 10 Tf");
    SetTextMatrix(angle, x, y);
    WriteContentLine("(" + EscapeText(text) + ") Tj");
    WriteContentLine("ET");
    WriteContentLine("Q");
}

} // namespace glyphora
