// Number and text formats of the PDF writer: every number goes into the file in one fixed,
// locale-independent form, so a document written on a German desktop reads the same as one
// written on an English one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glyphora {

// Nearest integer, halves to even (the rounding the writer uses wherever it rounds).
long long RoundHalfEven(double value);

// Two decimals with "." (line widths, image placement, text matrices): 0.2 -> "0.20".
std::string PdfFixed2(double value);

// A colour component 0..255 as a fraction of 1: rounded to two decimals and written in its
// shortest form (255 -> "1", 0 -> "0", 192 -> "0.75", 128 -> "0.5").
std::string PdfFloatStr(std::uint8_t component);

// Ten digits with leading zeros, as the cross-reference table wants them.
std::string PdfXrefOffset(std::uint64_t offset);

// A plain decimal integer.
std::string PdfInt(long long value);

} // namespace glyphora
