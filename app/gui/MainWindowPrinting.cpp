// The main window's print command: the choices dialog, the picture of the grid or of the
// selected icon, an optional preview, and one page to the printer chosen in the system's print
// dialog. Without a printer the page can go to a PDF file instead.
#include "app/gui/MainWindow.h"

#include "app/gui/PagePrinting.h"
#include "app/gui/WaitCursor.h"
#include "export/SaveNames.h"
#include "platform/AtomicFile.h"

#include <QApplication>
#include <QPrinter>

#include <optional>

namespace glyphora {

namespace {

constexpr const char* kNoPrinterQuestion = "No printer is installed. Print to a PDF file instead?";

} // namespace

void MainWindow::print()
{
    IconGrid* grid = gridView_->grid();
    if (grid->Count() <= 0) return;
    const std::optional<PrintChoices> choices = dialogs_->ChoosePrintOptions(grid->ItemIndex() >= 0);
    if (!choices) return;
    const Bitmap picture = PrintPicture(grid->Model(), grid->Current().icons, choices->all || grid->ItemIndex() < 0);
    const int screenDpi = logicalDpiX();
    const auto paint = [&](QPaintDevice& device) { PrintBitmap(device, picture, choices->sizing, screenDpi); };

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QApplication::applicationDisplayName() + QStringLiteral(" - ") +
                       QString::fromStdString(fileName_.filename().string()));
    const bool printerInstalled = dialogs_->PrinterInstalled();
    if (!printerInstalled)
        printer.setOutputFormat(QPrinter::PdfFormat); // what the page will become, also in the preview
    if (choices->preview && !dialogs_->PreviewPrint(printer, paint)) return;

    std::optional<AtomicFile> pdf;
    if (printerInstalled) {
        if (!dialogs_->SetUpPrinter(printer)) return;
    } else {
        if (dialogs_->Show(kNoPrinterQuestion, MessageIcon::Question, MessageButtons::YesNo) != DialogAnswer::Yes)
            return;
        SaveFileRequest request;
        request.title = "Print to PDF file";
        request.filter = "PDF documents (*.pdf)|*.pdf";
        request.defaultExt = "pdf";
        request.initialDir = saveDialogFolder_;
        request.proposedName = UniqueSaveName(saveDialogFolder_, fileName_, request.defaultExt);
        const std::optional<SaveFileAnswer> answer = dialogs_->SaveFile(request);
        if (!answer) return;
        saveDialogFolder_ = answer->fileName.parent_path();
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
