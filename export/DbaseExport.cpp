// The dBase IV table (.dbf) and its memo file (.dbt). Both collect in temporary files and are
// put in place together at the end (the memo first, then the table that refers to it), so an
// interrupted export leaves neither half of the pair half-written nor an old pair mixed.
#include "export/DbaseExport.h"

#include "export/ImageWriters.h"
#include "export/ExportFile.h"
#include "iconengine/IconRendering.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <sstream>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kBlockSize = 1024;
constexpr std::uint16_t kHeaderLength = 65;
constexpr std::uint16_t kRecordLength = 11;

void PutU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> U32Bytes(std::uint32_t v)
{
    std::vector<std::uint8_t> b(4);
    PutU32(b, 0, v);
    return b;
}

class DbaseDocument final : public SaveAllDocument {
public:
    explicit DbaseDocument(const SaveAllContext& context)
        : request_(*context.request),
          tablePath_(DbaseTablePath(*context.request, context.documentExt)),
          table_(tablePath_, context.request->freeSpace),
          memo_(fs::path(tablePath_).replace_extension(".dbt"), context.request->freeSpace)
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        table_.Write(DbaseTableHeader(local, request_.dbfFieldName));
        memo_.Write(DbaseMemoHeader(tablePath_));
        memoSize_ = kBlockSize;
    }

    bool NeedsRenderedIcon() const override
    {
        return request_.grayScale || request_.dbfType != OutputKind::Icon;
    }

    void AddIcon(int, const IconHandle& icon, const Bitmap& rendered, const fs::path&) override
    {
        // The file image the memo holds: the icon as an .ico file, or the rendered picture.
        std::ostringstream data;
        if (IsPictureFormat(request_.dbfType))
            SaveBitmapToStream(rendered, data, request_.dbfType);
        else
            SaveIconToStream(data, icon);
        const std::string bytes = data.str();

        const std::uint32_t block = static_cast<std::uint32_t>(memoSize_ / kBlockSize);
        const std::uint64_t length = bytes.size() + 8;
        memo_.Write(std::vector<std::uint8_t>{0xFF, 0xFF, 0x08, 0x00});
        memo_.Write(U32Bytes(static_cast<std::uint32_t>(length)));
        memo_.Write(bytes);
        const std::uint64_t padding = (kBlockSize - length % kBlockSize) % kBlockSize;
        memo_.Write(std::vector<std::uint8_t>(static_cast<std::size_t>(padding), 0));
        memoSize_ += length + padding;

        // The block number is left-aligned and padded with blanks: readers parse the field as
        // a decimal number, and zero bytes after the digits make it unreadable to them.
        std::vector<std::uint8_t> record(kRecordLength, ' ');
        record[0] = 0x20;
        const std::string digits = std::to_string(block);
        std::copy(digits.begin(), digits.end(), record.begin() + 1);
        table_.Write(record);
    }

    void Finish(int saveCount) override
    {
        memo_.WriteAt(0, U32Bytes(static_cast<std::uint32_t>(memoSize_ / kBlockSize))); // the next free block
        if (saveCount > 0) table_.WriteAt(4, U32Bytes(static_cast<std::uint32_t>(saveCount)));
        table_.Write(std::vector<std::uint8_t>{0x1A});
        // Both complete before either is put in place.
        table_.Flush();
        memo_.Flush();
        memo_.Close();
        table_.Close();
    }

private:
    const SaveAllRequest& request_;
    fs::path tablePath_;
    ExportFile table_;
    ExportFile memo_;
    std::uint64_t memoSize_ = 0; // bytes of the memo file so far, a whole number of blocks
};

} // namespace

std::string DbaseFieldName(const std::string& requested)
{
    if (requested.empty()) return "ICON";
    // Whole UTF-8 characters only, within the 10 bytes the name area leaves before its zero.
    std::size_t end = std::min<std::size_t>(requested.size(), 10);
    while (end > 0 && end < requested.size() && (static_cast<unsigned char>(requested[end]) & 0xC0) == 0x80)
        --end;
    return requested.substr(0, end);
}

fs::path DbaseTablePath(const SaveAllRequest& request, const std::string& documentExt)
{
    return SaveAllDocumentPath(request, documentExt);
}

std::vector<std::uint8_t> DbaseTableHeader(const std::tm& date, const std::string& fieldName)
{
    std::vector<std::uint8_t> h(kHeaderLength, 0);
    h[0] = 0x8B;
    h[1] = static_cast<std::uint8_t>(date.tm_year); // years since 1900
    h[2] = static_cast<std::uint8_t>(date.tm_mon + 1);
    h[3] = static_cast<std::uint8_t>(date.tm_mday);
    PutU16(h, 8, kHeaderLength);
    PutU16(h, 10, kRecordLength);
    h[29] = 0x1B;
    const std::string name = DbaseFieldName(fieldName);
    std::copy(name.begin(), name.end(), h.begin() + 32);
    h[32 + 11] = 'B';
    PutU32(h, 32 + 12, 1);
    h[32 + 16] = 10;
    h[64] = 0x0D;
    return h;
}

std::vector<std::uint8_t> DbaseMemoHeader(const fs::path& tablePath)
{
    std::vector<std::uint8_t> h(kBlockSize, 0);
    PutU32(h, 0, 1);
    const std::string name = AsciiUpper(tablePath.stem().string().substr(0, 8));
    std::copy(name.begin(), name.end(), h.begin() + 8);
    PutU16(h, 20, static_cast<std::uint16_t>(kBlockSize));
    return h;
}

std::unique_ptr<SaveAllDocument> CreateDbaseDocument(const SaveAllContext& context)
{
    return std::make_unique<DbaseDocument>(context);
}

} // namespace glyphora
