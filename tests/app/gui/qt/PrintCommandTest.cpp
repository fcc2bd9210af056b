// The print command end to end on the offscreen platform: scripted answers choose what to
// print, the "system print dialog" sets the printer up to write a PDF file through QPrinter,
// and pdftoppm with Pillow (independent readers) show where each icon landed on the page and
// how large it is. Also: no printer (the question and the PDF route), the preview, and when
// the command can run at all (the button, Ctrl+P).
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PrintController.h"
#include "app/gui/SaveController.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "export/ImageWriters.h"
#include "export/OutputKind.h"
#include "iconview/GridPrint.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTest>
#include "widgets/SoftButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ShellQuote;

constexpr int kPrinterDpi = 600;
constexpr int kRenderDpi = 96;
constexpr double kMarginPoints = 36; // half an inch on every side

// Pillow reports, for each rectangle of the rendered page, the bounding box of its inked
// pixels: those that differ clearly from white.
const char* const kInkScript = R"(import sys
from PIL import Image
page = Image.open(sys.argv[1]).convert('RGB')
print('SIZE', page.size[0], page.size[1])
for spec in sys.argv[2:]:
    x0, y0, x1, y1 = (int(v) for v in spec.split(','))
    x0, y0 = max(x0, 0), max(y0, 0)
    x1, y1 = min(x1, page.size[0]), min(y1, page.size[1])
    ink = page.crop((x0, y0, x1, y1)).point(lambda v: 255 if v < 208 else 0).convert('L')
    box = ink.getbbox()
    print('BOX', 'none' if box is None else '%d %d %d %d' % (box[0] + x0, box[1] + y0, box[2] + x0, box[3] + y0))
)";

// Pillow compares the picture the PDF holds with the one we meant to print, pixel for pixel.
const char* const kSameScript = R"(import sys
from PIL import Image, ImageChops
a = Image.open(sys.argv[1]).convert('RGB')
b = Image.open(sys.argv[2]).convert('RGB')
if a.size != b.size:
    print('SIZE', a.size, b.size)
else:
    diff = ImageChops.difference(a, b)
    print('DIFFERENT', sum(1 for p in diff.getdata() if p != (0, 0, 0)))
)";

// The one picture on the page, taken out of the PDF with pdfimages, is exactly the picture
// (kept losslessly: no JPEG, no resampling).
void ExpectPictureKeptExactly(const fs::path& pdf, const Bitmap& picture, const fs::path& scratch)
{
    const fs::path prefix = scratch / "embedded";
    const testing::ToolResult extract =
        RunTool("pdfimages -png " + ShellQuote(pdf.string()) + " " + ShellQuote(prefix.string()));
    ASSERT_EQ(extract.status, 0) << "pdfimages (poppler-utils) failed:\n" << extract.output;
    ASSERT_TRUE(fs::exists(prefix.string() + "-000.png"));
    EXPECT_FALSE(fs::exists(prefix.string() + "-001.png")) << "one picture on the page";
    const fs::path meant = scratch / "meant.png";
    const std::vector<std::uint8_t> png = EncodeBitmap(picture, OutputKind::Png);
    std::ofstream(meant, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    const fs::path script = scratch / "same.py";
    std::ofstream(script) << kSameScript;
    const testing::ToolResult compare =
        RunTool(std::string(testing::kSystemPython) + " " + ShellQuote(script.string()) + " " +
                ShellQuote(prefix.string() + "-000.png") + " " + ShellQuote(meant.string()));
    EXPECT_EQ(compare.output, "DIFFERENT 0\n");
    fs::remove(prefix.string() + "-000.png");
}

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool empty = true;
};

// The inked box of a picture region, by the same rule as the script.
Box InkOf(const Bitmap& picture, const GridRect& region)
{
    Box box;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, picture.height); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, picture.width); ++x) {
            const std::uint32_t p = picture.at(x, y);
            if (std::min({RedOf(p), GreenOf(p), BlueOf(p)}) >= 208) continue;
            if (box.empty) box = {double(x), double(y), double(x + 1), double(y + 1), false};
            box.left = std::min<double>(box.left, x);
            box.top = std::min<double>(box.top, y);
            box.right = std::max<double>(box.right, x + 1);
            box.bottom = std::max<double>(box.bottom, y + 1);
        }
    return box;
}

// The page rendered at kRenderDpi, and the inked box of each region (page pixels).
struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<Box> boxes;
};

RenderedPage RenderAndMeasure(const fs::path& pdf, const fs::path& scratch, const std::vector<Box>& regions)
{
    RenderedPage page;
    const fs::path png = scratch / "page";
    const testing::ToolResult render = RunTool("pdftoppm -r " + std::to_string(kRenderDpi) + " -png -singlefile " +
                                               ShellQuote(pdf.string()) + " " + ShellQuote(png.string()));
    if (render.status != 0) {
        ADD_FAILURE() << "pdftoppm could not render " << pdf << " (is poppler-utils installed?):\n" << render.output;
        return page;
    }
    const fs::path script = scratch / "ink.py";
    std::ofstream(script) << kInkScript;
    std::string command = std::string(testing::kSystemPython) + " " + ShellQuote(script.string()) + " " +
                          ShellQuote(png.string() + ".png");
    for (const Box& r : regions) {
        std::ostringstream spec;
        spec << std::lround(std::floor(r.left)) << ',' << std::lround(std::floor(r.top)) << ','
             << std::lround(std::ceil(r.right)) << ',' << std::lround(std::ceil(r.bottom));
        command += " " + spec.str();
    }
    const testing::ToolResult measure = RunTool(command);
    if (measure.status != 0) {
        ADD_FAILURE() << "Pillow could not read the page (is python3-pil installed?):\n" << measure.output;
        return page;
    }
    std::istringstream lines(measure.output);
    std::string tag;
    while (lines >> tag) {
        if (tag == "SIZE") lines >> page.width >> page.height;
        if (tag != "BOX") continue;
        std::string first;
        lines >> first;
        Box box;
        if (first != "none") {
            box.empty = false;
            box.left = std::stod(first);
            lines >> box.top >> box.right >> box.bottom;
        }
        page.boxes.push_back(box);
    }
    return page;
}

// The system print dialog's answer in these tests: a PDF file on an A4 page at 600 dpi with
// half-inch margins.
void SetUpPdfPrinter(QPrinter& printer, const fs::path& file, QPageLayout::Orientation orientation)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setResolution(kPrinterDpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    printer.setPageMargins(QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints), QPageLayout::Point);
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{test::SampleModule().string()}, &dialogs);
        window->show(); // the grid lays itself out in the shown window's width
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->SelectFile(test::SampleModule());
        window->saves().saveDialogFolder() = folder.path();
    }

    IconGrid* grid() const { return window->gridView()->grid(); }

    // Expects every icon of the printed picture where the sizing puts it: the page's top-left
    // corner inside the margins plus its place in the picture times the scale (page pixels per
    // picture pixel), and as large as its own inked area times the scale.
    void ExpectIconsOnPage(const fs::path& pdf, const Bitmap& picture, const std::vector<GridRect>& cells, double scale,
                           double originX, double originY)
    {
        std::vector<Box> expected;
        std::vector<Box> regions;
        for (const GridRect& cell : cells) {
            const Box ink = InkOf(picture, cell);
            ASSERT_FALSE(ink.empty);
            const Box onPage{originX + ink.left * scale, originY + ink.top * scale, originX + ink.right * scale,
                             originY + ink.bottom * scale, false};
            expected.push_back(onPage);
            // Look a little around the cell: an icon printed in the wrong place would be cut.
            regions.push_back({originX + cell.left * scale - 2, originY + cell.top * scale - 2,
                               originX + cell.right * scale + 2, originY + cell.bottom * scale + 2, false});
        }
        ExpectPictureKeptExactly(pdf, picture, folder.path());
        const RenderedPage page = RenderAndMeasure(pdf, folder.path(), regions);
        ASSERT_EQ(page.boxes.size(), expected.size());
        // Poppler smooths pictures enlarged less than four times: edges may move by a pixel or so.
        const double tolerance = 2.0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("icon cell " + std::to_string(i));
            const Box& got = page.boxes[i];
            ASSERT_FALSE(got.empty) << "nothing printed where the icon belongs";
            EXPECT_NEAR(got.left, expected[i].left, tolerance);
            EXPECT_NEAR(got.top, expected[i].top, tolerance);
            EXPECT_NEAR(got.right - got.left, expected[i].right - expected[i].left, tolerance) << "width";
            EXPECT_NEAR(got.bottom - got.top, expected[i].bottom - expected[i].top, tolerance) << "height";
        }
    }

    testing::TempFolder folder;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

struct PrintCase {
    const char* name;
    bool all;
    PrintSizing sizing;
    QPageLayout::Orientation orientation;
};

TEST_F(PrintCommandTest, EachIconLandsWhereTheChoicesPutIt)
{
    const PrintCase cases[] = {
        {"whole grid at actual size", true, PrintSizing::ActualSize, QPageLayout::Portrait},
        {"whole grid fitted: wider than tall, fills the page width", true, PrintSizing::FitToPage,
         QPageLayout::Portrait},
        {"selected icon at actual size", false, PrintSizing::ActualSize, QPageLayout::Portrait},
        {"selected icon fitted on a landscape page: fills the page height", false, PrintSizing::FitToPage,
         QPageLayout::Landscape},
    };
    const int screenDpi = window->logicalDpiX();
    grid()->SetItemIndex(2);
    const IconGridModel& model = grid()->Model();
    int run = 0;
    for (const PrintCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path pdf = folder.path() / ("page" + std::to_string(++run) + ".pdf");
        dialogs.printChoiceAnswers.push_back(PrintChoices{c.all, c.sizing, false});
        dialogs.printerSetUps.push_back([&pdf, &c](QPrinter& printer) {
            SetUpPdfPrinter(printer, pdf, c.orientation);
            return true;
        });
        window->printing().print();
        ASSERT_TRUE(fs::exists(pdf));
        EXPECT_EQ(dialogs.printChoiceRequests.back(), true) << "an icon is selected";

        const Bitmap picture = PrintPicture(model, grid()->Current().icons, c.all);
        std::vector<GridRect> cells;
        if (c.all)
            for (int k = 0; k < grid()->Count(); ++k)
                cells.push_back(model.IconRect(k));
        else
            cells.push_back({0, 0, picture.width, picture.height});

        // The printable area in page pixels, by the margins the printer was given.
        const bool landscape = c.orientation == QPageLayout::Landscape;
        const QSizeF paper = QPageSize(QPageSize::A4).size(QPageSize::Point);
        const double pageWidth = ((landscape ? paper.height() : paper.width()) - 2 * kMarginPoints) * kRenderDpi / 72.0;
        const double pageHeight =
            ((landscape ? paper.width() : paper.height()) - 2 * kMarginPoints) * kRenderDpi / 72.0;
        double scale = 0;
        if (c.sizing == PrintSizing::ActualSize) {
            scale = double(kRenderDpi) / screenDpi; // the size it has on the screen
        } else {
            const bool fillWidth = double(picture.width) / picture.height > pageWidth / pageHeight;
            EXPECT_EQ(fillWidth, !landscape) << "the case covers the side it names";
            scale = fillWidth ? pageWidth / picture.width : pageHeight / picture.height;
        }
        const double origin = kMarginPoints * kRenderDpi / 72.0;
        ExpectIconsOnPage(pdf, picture, cells, scale, origin, origin);
    }
    EXPECT_EQ(dialogs.printerSetUpCount, 4);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintCommandTest, CancellingAnyDialogPrintsNothing)
{
    window->printing().print(); // the choices dialog is cancelled
    EXPECT_EQ(dialogs.printChoiceRequests.size(), 1u);
    EXPECT_EQ(dialogs.printerSetUpCount, 0);

    dialogs.printChoiceAnswers.push_back(PrintChoices{});
    window->printing().print(); // the print dialog is cancelled
    EXPECT_EQ(dialogs.printerSetUpCount, 1);
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(PrintCommandTest, SelectedImageIsOfferedOnlyWithASelection)
{
    grid()->SetItemIndex(-1);
    window->printing().print();
    grid()->SetItemIndex(1);
    window->printing().print();
    EXPECT_EQ(dialogs.printChoiceRequests, (std::vector<bool>{false, true}));
}

TEST_F(PrintCommandTest, WithoutAPrinterItSaysSoAndOffersAPdfFile)
{
    dialogs.printerInstalled = false;
    const fs::path pdf = folder.path() / "icons.pdf";
    std::ofstream(pdf) << "an older file";

    // Declined: nothing is asked further and nothing is written.
    dialogs.printChoiceAnswers.push_back(PrintChoices{});
    window->printing().print();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No printer is installed. Print to a PDF file instead?");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(dialogs.saveRequests.empty());
    EXPECT_EQ(dialogs.printerSetUpCount, 0) << "no system print dialog without a printer";

    // Accepted: the page goes to the chosen file, which replaces the older one.
    dialogs.printChoiceAnswers.push_back(PrintChoices{true, PrintSizing::ActualSize, false});
    dialogs.messageAnswers.push_back(DialogAnswer::Yes);
    dialogs.saveAnswers.push_back(SaveFileAnswer{pdf, 1});
    window->printing().print();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, "PDF documents (*.pdf)|*.pdf");
    EXPECT_EQ(dialogs.saveRequests[0].defaultExt, "pdf");
    EXPECT_EQ(dialogs.saveRequests[0].initialDir, folder.path());
    EXPECT_EQ(dialogs.printerSetUpCount, 0);
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1) << "no leftovers";

    // The page holds the icons at their screen size from the default page's top-left corner.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const QRectF paintRect = reference.pageLayout().paintRect(QPageLayout::Point);
    const Bitmap picture = PrintPicture(grid()->Model(), grid()->Current().icons, true);
    std::vector<GridRect> cells;
    for (int k = 0; k < grid()->Count(); ++k)
        cells.push_back(grid()->Model().IconRect(k));
    ExpectIconsOnPage(pdf, picture, cells, double(kRenderDpi) / window->logicalDpiX(),
                      paintRect.left() * kRenderDpi / 72.0, paintRect.top() * kRenderDpi / 72.0);
}

TEST_F(PrintCommandTest, PreviewShowsThePageAndPrintsOnlyWhenAsked)
{
    QImage previewPage(850, 1100, QImage::Format_RGB32); // a letter page at 100 dpi
    previewPage.setDotsPerMeterX(3937);
    previewPage.setDotsPerMeterY(3937);
    previewPage.fill(Qt::white);
    dialogs.previewPage = &previewPage;

    grid()->SetItemIndex(0);
    dialogs.printChoiceAnswers.push_back(PrintChoices{false, PrintSizing::FitToPage, true});
    window->printing().print(); // the preview is closed
    EXPECT_EQ(dialogs.previewCount, 1);
    EXPECT_EQ(dialogs.printerSetUpCount, 0);
    // The selected icon fitted to the page's width: a square 850 pixels wide from the corner.
    const Bitmap icon = PrintPicture(grid()->Model(), grid()->Current().icons, false);
    const Box ink = InkOf(icon, {0, 0, icon.width, icon.height});
    const double scale = 850.0 / icon.width;
    int minX = previewPage.width(), maxX = -1;
    for (int y = 0; y < previewPage.height(); ++y)
        for (int x = 0; x < previewPage.width(); ++x) {
            const QRgb p = previewPage.pixel(x, y);
            if (std::min({qRed(p), qGreen(p), qBlue(p)}) >= 208) continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    EXPECT_NEAR(minX, ink.left * scale, 1.0);
    EXPECT_NEAR(maxX + 1, ink.right * scale, 1.0);

    // Asked to print from the preview: the system print dialog follows.
    const fs::path pdf = folder.path() / "after-preview.pdf";
    dialogs.printChoiceAnswers.push_back(PrintChoices{false, PrintSizing::FitToPage, true});
    dialogs.previewAnswers.push_back(true);
    dialogs.printerSetUps.push_back([&pdf](QPrinter& printer) {
        SetUpPdfPrinter(printer, pdf, QPageLayout::Portrait);
        return true;
    });
    window->printing().print();
    EXPECT_EQ(dialogs.previewCount, 2);
    EXPECT_EQ(dialogs.printerSetUpCount, 1);
    EXPECT_TRUE(fs::exists(pdf));
}

TEST_F(PrintCommandTest, APrintJobThatCannotStartIsReported)
{
    dialogs.printChoiceAnswers.push_back(PrintChoices{});
    dialogs.printerSetUps.push_back([this](QPrinter& printer) {
        SetUpPdfPrinter(printer, folder.path() / "missing-folder" / "page.pdf", QPageLayout::Portrait);
        return true;
    });
    window->commands().softButton(Command::Print)->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs.messages[0].text, "The print job could not be started.");
}

TEST(PrintCommand, OnlyReachableWithIconsByButtonAndCtrlP)
{
    test::ScriptedDialogs dialogs;
    MainWindow window({"-unused"}, &dialogs); // an argument: the window starts without a file
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(window.commands().softButton(Command::Print)->isEnabled());
    QTest::keyClick(window.gridView(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.printChoiceRequests.empty());

    window.SelectFile(test::SampleModule());
    EXPECT_TRUE(window.commands().softButton(Command::Print)->isEnabled());
    QTest::keyClick(window.gridView(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.printChoiceRequests.size(), 1u);
    window.commands().softButton(Command::Print)->click();
    EXPECT_EQ(dialogs.printChoiceRequests.size(), 2u);
}

} // namespace
} // namespace glyphora
