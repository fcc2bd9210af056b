// Test helpers for the PDF writer: a small independent reader of the written bytes (the
// cross-reference table, objects and their streams), temporary files, external tools and
// tiny JPEG pictures made with libjpeg.
#pragma once

#include "pdf/PdfImageSource.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace glyphora::pdftest {

struct ParsedPdf {
    std::string bytes;
    std::uint64_t startxref = 0;
    std::vector<std::uint64_t> xrefOffsets; // entry i (1-based object number) at index i; [0] unused
    std::string trailer;
    std::string error; // empty when the structure read cleanly
};

// Reads startxref, the xref table and the trailer; every problem found goes to error.
ParsedPdf ParsePdf(const std::string& bytes);

// The text of object n from "n 0 obj" to "endobj" (empty when not found).
std::string ObjectText(const ParsedPdf& pdf, int n);

// The decoded data of the stream of object n (inflated when it carries /FlateDecode).
std::string StreamData(const ParsedPdf& pdf, int n);

// The raw bytes between "stream" + EOL and the end given by /Length.
std::string RawStreamData(const ParsedPdf& pdf, int n);

// The lines of a text, split at CR LF.
std::vector<std::string> CrLfLines(const std::string& text);

// A fresh path in the temporary folder (the file is removed by TempFile's destructor).
class TempFile {
public:
    explicit TempFile(const std::string& suffix);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Runs a shell command, returning its exit status and its combined output.
int RunCommand(const std::string& command, std::string& output);

// A solid-colour JPEG file (3 components, baseline) made with libjpeg.
std::vector<std::uint8_t> MakeSolidJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// A solid-colour 24-bit bitmap and a solid-colour palette picture (256 entries, every pixel index 7).
PdfImageSource SolidBitmap(int width, int height, std::uint32_t rgb, int bitsPerPixel = 24);
PdfImageSource SolidIndexed(int width, int height, std::uint32_t rgb);

} // namespace glyphora::pdftest
