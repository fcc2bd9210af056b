// The window's real dialogs.
#include "app/gui/QtDialogService.h"

#include "app/gui/AboutDialog.h"
#include "app/gui/ExportOptionsDialog.h"
#include "app/gui/FileFilters.h"
#include "app/gui/PrintDialog.h"
#include "app/gui/UiText.h"
#include "export/SaveNames.h"
#include "i18n/TextIds.h"
#include "platform/qt/QtMessageDialogs.h"
#include "scan/qt/FolderDialog.h"

#include <QAbstractPrintDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <exception>

namespace glyphora {

namespace {

QStringList NameFilters(const std::string& filter)
{
    QStringList list;
    for (const std::string& description : FilterDescriptions(filter))
        list << QString::fromStdString(description);
    return list;
}

QString FromPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

DialogAnswer QtDialogService::Show(const std::string& text, MessageIcon icon, MessageButtons buttons)
{
    return ShowQtMessageBox(owner_, text, icon, buttons);
}

std::optional<std::filesystem::path> QtDialogService::OpenFile(const OpenFileRequest& request)
{
    QFileDialog dialog(owner_, QString::fromStdString(request.title), FromPath(request.initialDir));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(request.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

// The default extension follows the chosen filter entry (SaveDlgTypeChange).
std::optional<SaveFileAnswer> QtDialogService::SaveFile(const SaveFileRequest& request)
{
    QFileDialog dialog(owner_, QString::fromStdString(request.title), FromPath(request.initialDir));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const int index = static_cast<int>(filters.indexOf(chosen)) + 1;
        dialog.setDefaultSuffix(QString::fromStdString(DefaultExtensionFromFilter(request.filter, index)));
    });
    dialog.selectFile(QString::fromStdString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    SaveFileAnswer answer;
    answer.fileName = dialog.selectedFiles().front().toStdString();
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1) answer.filterIndex = 1;
    return answer;
}

std::optional<std::filesystem::path> QtDialogService::ChooseFolder(const std::string& title,
                                                                   const std::filesystem::path& initialDir)
{
    FolderDialog dialog(owner_);
    dialog.setTitle(QString::fromStdString(title));
    dialog.setTexts({UiText(kTextFolderField), UiText(kTextNewFolder), UiText(kTextShowHiddenFolders),
                     UiText(kTextFileNotFound).replace(QStringLiteral("%s"), QStringLiteral("%1")),
                     FolderRootTexts{UiText(kTextFileSystemRoot)}});
    dialog.setDirectory(initialDir);
    if (!dialog.execute()) return std::nullopt;
    return dialog.directory();
}

std::optional<ExportSettings> QtDialogService::EditExportOptions(ExportKind kind, const ExportSettings& settings)
{
    ExportOptionsDialog dialog(owner_);
    dialog.setHelp(help_);
    dialog.prepare(kind, settings);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::string error;
    std::optional<ExportSettings> edited = dialog.readBack(settings, error);
    if (!edited) Show(error, MessageIcon::Error, MessageButtons::Ok);
    return edited;
}

std::optional<PrintChoices> QtDialogService::ChoosePrintOptions(bool selectionAvailable)
{
    PrintDialog dialog(owner_);
    dialog.prepare(selectionAvailable);
    dialog.setHelp(help_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choices();
}

bool QtDialogService::PrinterInstalled()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

// One page is printed: page ranges and the current-page choice do not apply.
bool QtDialogService::SetUpPrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, owner_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

// The preview shows the page with the printer's page set-up; its Print button closes it and
// the print command goes on with the printer (or the PDF file).
bool QtDialogService::PreviewPrint(QPrinter& printer, const std::function<void(QPaintDevice&)>& paint)
{
    QDialog dialog(owner_);
    dialog.setWindowTitle(UiText(kTextPrintPreviewTitle));
    dialog.resize(640, 720);
    auto* column = new QVBoxLayout(&dialog);
    auto* preview = new QPrintPreviewWidget(&printer, &dialog);
    column->addWidget(preview, 1);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* printButton = buttons->addButton(UiText(kTextPrintPreviewPrint), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    printButton->setDefault(true);
    column->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // A failure while drawing must not cross Qt's signal machinery: it is kept and raised after.
    std::exception_ptr failure;
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, &dialog, [&](QPrinter* page) {
        try {
            paint(*page);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    preview->fitInView();
    const bool print = dialog.exec() == QDialog::Accepted;
    if (failure) std::rethrow_exception(failure);
    return print;
}

void QtDialogService::ShowAbout()
{
    AboutDialog dialog(owner_);
    dialog.exec();
}

} // namespace glyphora
