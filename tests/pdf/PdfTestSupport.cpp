// An independent reader of what the PDF writer produces, plus fixtures for its tests.
#include "PdfTestSupport.h"

#include "tests/support/RunTool.h"

#include <jpeglib.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace glyphora::pdftest {

namespace {

bool ParseUnsigned(const std::string& s, std::uint64_t& out)
{
    if (s.empty() || s.size() > 19) {
        return false;
    }
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
        out = out * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

std::string Inflate(const std::string& data)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        return "<inflate init failed>";
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    std::string out;
    char buf[4096];
    int rc = Z_OK;
    while (rc == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef*>(buf);
        zs.avail_out = sizeof buf;
        rc = inflate(&zs, Z_NO_FLUSH);
        out.append(buf, sizeof buf - zs.avail_out);
    }
    inflateEnd(&zs);
    return rc == Z_STREAM_END ? out : "<inflate failed>";
}

} // namespace

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

ParsedPdf ParsePdf(const std::string& bytes)
{
    ParsedPdf pdf;
    pdf.bytes = bytes;
    const std::size_t sx = bytes.rfind("startxref\r\n");
    if (sx == std::string::npos) {
        pdf.error = "no startxref";
        return pdf;
    }
    const std::size_t numStart = sx + 11;
    const std::size_t numEnd = bytes.find("\r\n", numStart);
    if (numEnd == std::string::npos || !ParseUnsigned(bytes.substr(numStart, numEnd - numStart), pdf.startxref)) {
        pdf.error = "bad startxref number";
        return pdf;
    }
    if (bytes.compare(numEnd, 9, "\r\n%%EOF\r\n") != 0 || numEnd + 9 != bytes.size()) {
        pdf.error = "the file does not end with %%EOF and CR LF";
        return pdf;
    }
    if (pdf.startxref + 6 > bytes.size() || bytes.compare(pdf.startxref, 6, "xref\r\n") != 0) {
        pdf.error = "startxref does not point at xref";
        return pdf;
    }
    std::size_t pos = pdf.startxref + 6;
    const std::size_t headerEnd = bytes.find("\r\n", pos);
    const std::string header = bytes.substr(pos, headerEnd - pos);
    std::uint64_t count = 0;
    if (header.rfind("0 ", 0) != 0 || !ParseUnsigned(header.substr(2), count) || count == 0) {
        pdf.error = "bad subsection header '" + header + "'";
        return pdf;
    }
    pos = headerEnd + 2;
    if (pos + count * 20 > bytes.size()) {
        pdf.error = "xref table runs past the end";
        return pdf;
    }
    pdf.xrefOffsets.assign(count, 0);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string entry = bytes.substr(pos + i * 20, 20);
        const std::string expectTail = i == 0 ? " 65535 f\r\n" : " 00000 n\r\n";
        std::uint64_t offset = 0;
        if (entry.substr(10) != expectTail || !ParseUnsigned(entry.substr(0, 10), offset)) {
            pdf.error = "bad xref entry " + std::to_string(i) + ": '" + entry + "'";
            return pdf;
        }
        pdf.xrefOffsets[i] = offset;
        if (i == 0) {
            continue;
        }
        const std::string head = std::to_string(i) + " 0 obj\r\n";
        if (offset + head.size() > bytes.size() || bytes.compare(offset, head.size(), head) != 0) {
            pdf.error = "xref entry " + std::to_string(i) + " does not point at '" + std::to_string(i) + " 0 obj'";
            return pdf;
        }
    }
    const std::size_t trailerStart = pos + count * 20;
    if (bytes.compare(trailerStart, 9, "trailer\r\n") != 0) {
        pdf.error = "no trailer right after the xref table";
        return pdf;
    }
    pdf.trailer = bytes.substr(trailerStart, sx - trailerStart);
    return pdf;
}

std::string ObjectText(const ParsedPdf& pdf, int n)
{
    if (n <= 0 || static_cast<std::size_t>(n) >= pdf.xrefOffsets.size()) {
        return {};
    }
    const std::size_t start = pdf.xrefOffsets[static_cast<std::size_t>(n)];
    const std::size_t end = pdf.bytes.find("endobj\r\n", start);
    return end == std::string::npos ? std::string() : pdf.bytes.substr(start, end + 8 - start);
}

std::string RawStreamData(const ParsedPdf& pdf, int n)
{
    const std::string obj = ObjectText(pdf, n);
    const std::size_t lengthAt = obj.find("/Length ");
    const std::size_t streamAt = obj.find("\r\nstream\r\n");
    if (lengthAt == std::string::npos || streamAt == std::string::npos) {
        return "<no stream>";
    }
    std::size_t digitsEnd = lengthAt + 8;
    while (digitsEnd < obj.size() && obj[digitsEnd] >= '0' && obj[digitsEnd] <= '9') {
        ++digitsEnd;
    }
    std::uint64_t length = 0;
    if (!ParseUnsigned(obj.substr(lengthAt + 8, digitsEnd - lengthAt - 8), length)) {
        return "<bad length>";
    }
    const std::size_t dataStart = streamAt + 10;
    if (dataStart + length > obj.size()) {
        return "<length past the object>";
    }
    return obj.substr(dataStart, length);
}

std::string StreamData(const ParsedPdf& pdf, int n)
{
    const std::string raw = RawStreamData(pdf, n);
    return ObjectText(pdf, n).find("/Filter /FlateDecode") != std::string::npos ? Inflate(raw) : raw;
}

TempFile::TempFile(const std::string& suffix)
{
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("glyphora_pdftest_" + std::to_string(rd()) + std::to_string(rd()) + suffix);
}

TempFile::~TempFile()
{
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int RunCommand(const std::string& command, std::string& output)
{
    const auto result = glyphora::testing::RunTool(command);
    output = result.output;
    return result.status;
}

std::vector<std::uint8_t> MakeSolidJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[static_cast<std::size_t>(x) * 3] = r;
        row[static_cast<std::size_t>(x) * 3 + 1] = g;
        row[static_cast<std::size_t>(x) * 3 + 2] = b;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(mem, mem + memSize);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return bytes;
}

PdfImageSource SolidBitmap(int width, int height, std::uint32_t rgb, int bitsPerPixel)
{
    return PdfBitmapImage{Bitmap(width, height, bitsPerPixel, rgb), std::nullopt};
}

PdfImageSource SolidIndexed(int width, int height, std::uint32_t rgb)
{
    PdfIndexedImage img;
    img.width = width;
    img.height = height;
    img.palette.assign(256, 0x00000000);
    img.palette[7] = rgb;
    img.indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 7);
    return img;
}

} // namespace glyphora::pdftest
