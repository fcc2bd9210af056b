// Number formats of the PDF writer, built on std::to_chars so that no locale can change the
// decimal separator.
#include "pdf/PdfFormat.h"

#include "platform/GlyphoraError.h"

#include <array>
#include <charconv>
#include <cmath>

namespace glyphora {

namespace {

template <typename... Args>
std::string ToChars(Args... args)
{
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), args...);
    if (result.ec != std::errc()) {
        throw GlyphoraError("A number could not be formatted for the PDF document.");
    }
    return std::string(buf.data(), result.ptr);
}

} // namespace

long long RoundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<long long>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) {
        ++result;
    }
    return result;
}

std::string PdfFixed2(double value)
{
    if (!std::isfinite(value)) {
        throw GlyphoraError("A coordinate of the PDF document is not a finite number.");
    }
    return ToChars(value, std::chars_format::fixed, 2);
}

std::string PdfFloatStr(std::uint8_t component)
{
    // Integer part of value x 100 + 0.5, then back to hundredths; the shortest form of the
    // result drops the trailing zeros ("0.5", "1").
    const double hundredths = std::trunc(static_cast<double>(component) / 255.0 * 100.0 + 0.5);
    return ToChars(hundredths / 100.0);
}

std::string PdfXrefOffset(std::uint64_t offset)
{
    if (offset > 9999999999ULL) {
        throw GlyphoraError("The PDF document is too large for a cross-reference table.");
    }
    std::string digits = ToChars(offset);
    return std::string(10 - digits.size(), '0') + digits;
}

std::string PdfInt(long long value)
{
    return ToChars(value);
}

} // namespace glyphora
