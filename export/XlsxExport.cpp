// The spreadsheet export. The workbook is assembled in memory (libxlsxwriter keeps its parts
// in anonymous temporary files) and written on Finish under a private name in the destination
// folder, which replaces the target only once the file is complete: a failed export leaves an
// existing spreadsheet as it was.
#include "export/XlsxExport.h"

#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "iconengine/IconGroupFacts.h"
#include "iconengine/IconRendering.h"
#include "platform/AtomicFile.h"
#include "platform/GlyphoraError.h"

#include <xlsxwriter.h>

#include <charconv>
#include <deque>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

struct WorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};

// The value as a number cell when it is one ("24", "3"), as text otherwise ("?").
std::optional<double> AsNumber(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

class XlsxDocument final : public SaveAllDocument {
public:
    explicit XlsxDocument(const SaveAllContext& context)
        : target_(SaveAllDocumentPath(*context.request, context.documentExt)),
          output_(target_, kByNameWriter),
          groups_(ReadIconGroupFacts(context.sourceFile, context.iconCount)),
          iconHeight_(context.iconHeight)
    {
        if (!output_.IsOpen()) output_.Raise();
        const std::string tempName = output_.WritePath().string();
        workbook_.reset(workbook_new(tempName.c_str()));
        if (!workbook_) throw GlyphoraError("Cannot start the spreadsheet '" + target_.string() + "'.");
        sheet_ = workbook_add_worksheet(workbook_.get(), "Icons");
        bold_ = workbook_add_format(workbook_.get());
        if (!sheet_ || !bold_) throw GlyphoraError("Cannot start the spreadsheet '" + target_.string() + "'.");
        format_set_bold(bold_);

        title_ = "Icons from " + context.sourceFile.string();
        lxw_doc_properties properties{};
        properties.title = title_.data();
        properties.author = author_.data();
        Check(workbook_set_properties(workbook_.get(), &properties));

        using namespace XlsxLayout;
        WriteText(TitleRow, NumberColumn, title_, bold_);
        const char* headers[] = {"No.", "Group", "Images", "Color depth", "Icon"};
        for (int column = NumberColumn; column <= PictureColumn; ++column)
            WriteText(HeaderRow, column, headers[column], bold_);
        Check(worksheet_set_column(sheet_, GroupColumn, GroupColumn, 18, nullptr));
        Check(worksheet_set_column(sheet_, DepthColumn, DepthColumn, 12, nullptr));
        Check(worksheet_set_column_pixels(sheet_, PictureColumn, PictureColumn,
                                          static_cast<std::uint32_t>(context.iconWidth + 2 * PicturePadding), nullptr));
    }

    bool NeedsRenderedIcon() const override { return true; }

    void AddIcon(int index, const IconHandle& icon, const Bitmap& rendered, const fs::path&) override
    {
        using namespace XlsxLayout;
        const auto row = static_cast<lxw_row_t>(FirstIconRow + rows_++);
        Check(worksheet_set_row_pixels(sheet_, row, static_cast<std::uint32_t>(iconHeight_ + 2 * PicturePadding),
                                       nullptr));
        Check(worksheet_write_number(sheet_, row, NumberColumn, index + 1, nullptr));
        const IconGroupFacts facts = static_cast<std::size_t>(index) < groups_.size()
                                         ? groups_[static_cast<std::size_t>(index)]
                                         : IconGroupFacts{};
        WriteText(static_cast<int>(row), GroupColumn, facts.name, nullptr);
        WriteValue(static_cast<int>(row), ImagesColumn, facts.imageCount ? std::to_string(*facts.imageCount) : "?");
        WriteValue(static_cast<int>(row), DepthColumn, ColorDepthLabel(GetColorCount(icon)));

        // The picture bytes must stay valid until the workbook is written.
        const std::vector<std::uint8_t>& png = pictures_.emplace_back(EncodeBitmap(rendered, OutputKind::Png));
        lxw_image_options options{};
        options.x_offset = PicturePadding;
        options.y_offset = PicturePadding;
        options.x_scale = 1;
        options.y_scale = 1;
        options.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
        Check(worksheet_insert_image_buffer_opt(sheet_, row, PictureColumn, png.data(), png.size(), &options));
    }

    void Finish(int) override
    {
        // workbook_close frees the workbook whatever it returns.
        const lxw_error result = workbook_close(workbook_.release());
        if (result != LXW_NO_ERROR)
            throw GlyphoraError("Cannot write '" + target_.string() + "': " + lxw_strerror(result));
        if (!output_.Commit()) output_.Raise();
    }

private:
    void Check(lxw_error result) const
    {
        if (result != LXW_NO_ERROR)
            throw GlyphoraError("Cannot write '" + target_.string() + "': " + lxw_strerror(result));
    }

    void WriteText(int row, int column, const std::string& text, lxw_format* format)
    {
        if (text.empty()) return;
        Check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), text.c_str(),
                                     format));
    }

    void WriteValue(int row, int column, const std::string& text)
    {
        if (const std::optional<double> number = AsNumber(text))
            Check(worksheet_write_number(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), *number,
                                         nullptr));
        else
            WriteText(row, column, text, nullptr);
    }

    fs::path target_;
    AtomicFile output_; // libxlsxwriter writes it by name
    std::vector<IconGroupFacts> groups_;
    int iconHeight_;
    std::string title_;
    std::string author_ = "Glyphora";
    std::unique_ptr<lxw_workbook, WorkbookFree> workbook_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    std::deque<std::vector<std::uint8_t>> pictures_;
    int rows_ = 0;
};

} // namespace

std::unique_ptr<SaveAllDocument> CreateXlsxDocument(const SaveAllContext& context)
{
    return std::make_unique<XlsxDocument>(context);
}

} // namespace glyphora
