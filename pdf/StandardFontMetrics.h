// Advance widths of the standard PDF fonts for the WinAnsi characters 32..255, from Adobe's
// published Core14 font metrics (1/1000 of the font size). Text widths of the PDF writer are
// measured with these, since they are the metrics every PDF reader lays the standard fonts
// out with. Oblique faces share the widths of their upright faces.
#pragma once

#include <string_view>

namespace glyphora {

// Width of one 8-bit character in 1/1000 em of the standard font with this PDF name
// ("Helvetica", "Times-BoldItalic", "Courier-Oblique", ...). Characters below 32 and the
// codes WinAnsi leaves undefined have width 0. An unknown name measures as Helvetica.
int StandardCharWidth(std::string_view pdfFontName, unsigned char ch);

// Width of an 8-bit text in points at the given size: the sum of the widths x size / 1000,
// rounded to the nearest integer (halves to even).
int StandardTextWidth(std::string_view pdfFontName, std::string_view text, int fontSize);

} // namespace glyphora
