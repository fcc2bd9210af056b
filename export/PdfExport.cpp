// The PDF export. The images are written as they come; the page is laid out after the last
// icon. Rows that would reach into the bottom margin continue on a further page with the
// same layout, so no icon falls off the page unseen.
#include "export/PdfExport.h"

#include "export/ExportFile.h"
#include "pdf/PdfDocument.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <cmath>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr int kPageWidth = 612;
constexpr int kPageHeight = 792;
constexpr int kMargin = 8;
constexpr int kUsableWidth = kPageWidth - 2 * kMargin;
// The number font: a sans-serif menu font of 9 points on a 96 pixels-per-inch screen.
constexpr const char* kNumberFontFace = "Sans";
constexpr int kNumberFontSize = 9;
constexpr int kScreenPixelsPerInch = 96;
constexpr PdfColor kSilver = 0xC0C0C0;
constexpr PdfColor kWhiteColor = 0xFFFFFF;
constexpr PdfColor kBlackColor = 0x000000;

int PixelsToPoints(int pixels)
{
    return static_cast<int>(
        std::nearbyint(static_cast<double>(pixels) * 72.0 / kScreenPixelsPerInch)); // halves to even
}

class PdfExportDocument final : public SaveAllDocument {
public:
    explicit PdfExportDocument(const SaveAllContext& context)
        : request_(*context.request),
          layout_(ComputePdfExportLayout(context.iconWidth, context.iconHeight, request_.includeNumbers,
                                         request_.drawBorders)),
          file_(request_.destDir.empty() ? request_.destFileName.filename()
                                         : request_.destDir / request_.destFileName.filename(),
                request_.freeSpace),
          pdf_(file_.Stream())
    {
        Guarded([&] {
            pdf_.CheckAddFont(kNumberFontFace, false, false);
            pdf_.WriteHeader(true, false, kPageHeight, kPageWidth, kMargin, kMargin, kMargin, kMargin,
                             "Marrowfield Software", "", "Glyphora", "Icons");
        });
    }

    bool NeedsRenderedIcon() const override { return true; }

    void AddIcon(int index, const IconHandle&, const Bitmap& rendered, const fs::path&) override
    {
        Guarded([&] {
            pdf_.AddXObject(static_cast<int>(images_) + 1, index, 0, PdfBitmapImage{rendered, std::nullopt});
        });
        ++images_;
    }

    void Finish(int) override
    {
        Guarded([&] { writePages(); });
        file_.Close();
    }

private:
    // A failure of the PDF writer's stream is raised with the file's own reason (the disk is
    // full, the folder is gone) when the file knows it.
    template <typename Work>
    void Guarded(Work&& work)
    {
        try {
            work();
        } catch (const GlyphoraError&) {
            file_.Check();
            throw;
        }
        file_.Check();
    }

    void writePages()
    {
        const int in = request_.includeNumbers ? 1 : 0;
        const int db = request_.drawBorders ? 1 : 0;
        const int s = kNumberFontSize;
        const int perPage = layout_.columns * layout_.rowsPerPage;
        for (int i = 0; i < static_cast<int>(images_); ++i) {
            if (i % perPage == 0) {
                if (i > 0) pdf_.WritePageFooter();
                pdf_.WritePageHeader();
                pdf_.SetLineWidth(0.2);
            }
            const int a = i % layout_.columns;
            const int r = (i % perPage) / layout_.columns;
            const int x = kMargin + a * layout_.columnStep;
            const int t = r * layout_.rowStep + kMargin;
            if (db) {
                pdf_.SetStrokeColor(kSilver);
                pdf_.SetFillColor(kWhiteColor);
                pdf_.Rectangle(x, kPageHeight - t - layout_.rowStep, layout_.cellWidth + 4,
                               (s + 2) * in + layout_.cellHeight + 4);
                pdf_.WriteContentLine("B");
            }
            PdfRect cell;
            cell.left = x + db + 1;
            cell.top = kPageHeight - t - 2;
            cell.right = x + layout_.cellWidth;
            cell.bottom = (s + 2) * in + kPageHeight - t - layout_.rowStep + db;

            PdfPage& page = pdf_.Pages().back();
            if (page.xObjectStartIndex < 0) page.xObjectStartIndex = i;
            page.xObjectEndIndex = i;

            pdf_.WriteContentLine("q");
            pdf_.SetImageBox(cell.left + 1, cell.bottom + 1, cell.right - cell.left - 1, cell.top - cell.bottom - 1);
            pdf_.WriteContentLine("/Img" + std::to_string(i + 1) + " Do");
            pdf_.WriteContentLine("Q");
            if (in) {
                cell.top = cell.bottom - s - 1;
                std::string remaining;
                pdf_.WriteTextBox(std::to_string(i + 1), false, "F0", s, kBlackColor, PdfAlignment::Center, false, cell,
                                  remaining);
            }
        }
        pdf_.WriteFooter();
    }

    const SaveAllRequest& request_;
    PdfExportLayout layout_;
    ExportFile file_;
    PdfDocument pdf_;
    std::size_t images_ = 0;
};

} // namespace

PdfExportLayout ComputePdfExportLayout(int iconWidthPixels, int iconHeightPixels, bool includeNumbers, bool drawBorders)
{
    const int in = includeNumbers ? 1 : 0;
    const int db = drawBorders ? 1 : 0;
    PdfExportLayout l;
    l.cellWidth = PixelsToPoints(iconWidthPixels);
    l.cellHeight = PixelsToPoints(iconHeightPixels);
    l.columnStep = l.cellWidth + 2 + 2 * db;
    l.columns = std::max(1, kUsableWidth / std::max(1, l.columnStep));
    l.rowStep = (kNumberFontSize + 2) * in + l.cellHeight + 2 + 2 * db;
    l.rowsPerPage = std::max(1, (kPageHeight - 2 * kMargin) / std::max(1, l.rowStep));
    return l;
}

std::unique_ptr<SaveAllDocument> CreatePdfDocument(const SaveAllContext& context)
{
    return std::make_unique<PdfExportDocument>(context);
}

} // namespace glyphora
