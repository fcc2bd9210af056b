// The print command: the page's picture, the printer or the PDF file, and the page itself.
#include "app/gui/PrintController.h"

#include "app/gui/DialogService.h"
#include "iconview/qt/IconGrid.h"
#include "app/gui/PagePrinting.h"
#include "app/gui/WaitCursor.h"
#include "export/SaveNames.h"
#include "i18n/BuiltInTexts.h"
#include "i18n/TextIds.h"
#include "platform/AtomicFile.h"

#include <QApplication>
#include <QPrinter>
#include <QWidget>

#include <optional>

namespace glyphora {

PrintController::PrintController(QWidget& window, DialogService& dialogs, const IconGrid& icons,
                                 std::filesystem::path& pdfFolder)
    : window_(window), dialogs_(dialogs), icons_(icons), pdfFolder_(pdfFolder)
{}

void PrintController::print()
{
    if (icons_.Count() <= 0) return;
    const std::optional<PrintChoices> choices = dialogs_.ChoosePrintOptions(icons_.ItemIndex() >= 0);
    if (!choices) return;
    const Bitmap picture = PrintPicture(icons_.Model(), icons_.Current().icons, choices->all || icons_.ItemIndex() < 0);
    const int screenDpi = window_.logicalDpiX();
    const auto paint = [&](QPaintDevice& device) { PrintBitmap(device, picture, choices->sizing, screenDpi); };

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QApplication::applicationDisplayName() + QStringLiteral(" - ") +
                       QString::fromStdString(icons_.FileName().filename().string()));
    const bool printerInstalled = dialogs_.PrinterInstalled();
    if (!printerInstalled)
        printer.setOutputFormat(QPrinter::PdfFormat); // what the page will become, also in the preview
    if (choices->preview && !dialogs_.PreviewPrint(printer, paint)) return;

    std::optional<AtomicFile> pdf;
    if (printerInstalled) {
        if (!dialogs_.SetUpPrinter(printer)) return;
    } else {
        if (dialogs_.Show(InterfaceText(kTextNoPrinterQuestion), MessageIcon::Question, MessageButtons::YesNo) !=
            DialogAnswer::Yes)
            return;
        SaveFileRequest request;
        request.title = InterfaceText(kTextPrintToPdfTitle);
        request.filter = InterfaceText(kTextPdfFilter);
        request.defaultExt = "pdf";
        request.initialDir = pdfFolder_;
        request.proposedName = UniqueSaveName(pdfFolder_, icons_.FileName(), request.defaultExt);
        const std::optional<SaveFileAnswer> answer = dialogs_.SaveFile(request);
        if (!answer) return;
        pdfFolder_ = answer->fileName.parent_path();
        // The page is written beside the chosen file and replaces it only once complete.
        pdf.emplace(answer->fileName, kByNameWriter);
        if (!pdf->IsOpen()) pdf->Raise();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf->WritePath().string()));
    }
    {
        WaitCursor wait;
        paint(printer);
    }
    if (pdf && !pdf->Commit()) pdf->Raise();
}

} // namespace glyphora
