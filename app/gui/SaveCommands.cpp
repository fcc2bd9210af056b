// The main window's save and export commands: one icon, every icon into a folder, every
// icon as one picture, and the HTML, dBase, PDF and spreadsheet documents. Dialogs go through the
// window's DialogService.
#include "app/gui/MainWindow.h"

#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "export/IconSet.h"
#include "export/OpenSavedFile.h"
#include "export/OutputKind.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "export/SaveIcon.h"
#include "export/SaveNames.h"
#include "export/SaveProblems.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"

#include <QApplication>

#include <algorithm>
#include <cctype>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

int FilterEntryCount(const std::string& filter)
{
    return static_cast<int>(std::count(filter.begin(), filter.end(), '|') + 1) / 2;
}

// The options dialog's layout choices as the save engine takes them.
void ApplyLayoutSettings(const ExportSettings& settings, SaveAllRequest& request)
{
    request.includeNumbers = settings.includeNumbers;
    request.drawBorders = settings.drawBorders;
    request.grayScale = settings.grayScale;
    request.columnCount = std::max(1, settings.columnCount);
}

struct DocumentTexts {
    int saveTitle;
    const char* designTitle;
    int filter;
    const char* designFilter;
    int fileType;
};

DocumentTexts TextsFor(ExportKind kind)
{
    switch (kind) {
    case ExportKind::Html:
        return {kTextHtmlSaveTitle, "Export icons to HTML document", kTextHtmlFilter,
                "HTML documents (*.htm)|*.htm|HTML documents (*.html)|*.html", 11};
    case ExportKind::Dbase:
        return {kTextDbfSaveTitle, "Export icons to dBase file", kTextDbfFilter, "dBase files (*.dbf)|*.dbf", 12};
    case ExportKind::Xlsx: // no pack translates the spreadsheet's texts: id 0 is no text
        return {0, "Export icons to Microsoft Excel sheet", 0, "Microsoft Excel sheets (*.xlsx)|*.xlsx",
                OutputKind::Xlsx};
    case ExportKind::Pdf: break;
    }
    return {kTextPdfSaveTitle, "Export icons to PDF document", kTextPdfFilter, "PDF documents (*.pdf)|*.pdf", 13};
}

} // namespace

bool MainWindow::skipOptionsDialog() const
{
    const Qt::KeyboardModifiers held = modifiersQuery_();
    return (held & Qt::ShiftModifier) && (held & Qt::ControlModifier);
}

// The save dialog with its filter; the default extension follows the filter entry and the
// proposed name is the current file's name, made unique in the dialog's folder.
static std::optional<SaveFileAnswer> RunSaveDialog(DialogService& dialogs, const std::string& title,
                                                   const std::string& filter, int& filterIndex, fs::path& initialDir,
                                                   const fs::path& currentFile)
{
    SaveFileRequest request;
    request.title = title;
    request.filter = filter;
    if (filterIndex < 1 || filterIndex > FilterEntryCount(filter)) filterIndex = 1;
    request.filterIndex = filterIndex;
    request.defaultExt = DefaultExtensionFromFilter(filter, filterIndex); // SaveDlgTypeChange
    request.initialDir = initialDir;
    request.proposedName = UniqueSaveName(initialDir, currentFile, request.defaultExt);
    std::optional<SaveFileAnswer> answer = dialogs.SaveFile(request);
    if (answer) {
        filterIndex = answer->filterIndex;
        initialDir = answer->fileName.parent_path();
    }
    return answer;
}

void MainWindow::saveSelected()
{
    if (!checkSelection()) return;
    const std::string filter = UiString(kTextIconFilter, "Icon files (*.ico)|*.ico") + "|" +
                               UiString(kTextPictureFilter, "Bitmap images (*.bmp)|*.bmp|JPEG images (*.jpg)|*.jpg|"
                                                            "Enhanced metafiles (*.emf)|*.emf|GIF images (*.gif)|*.gif|"
                                                            "PNG images (*.png)|*.png");
    const std::optional<SaveFileAnswer> answer =
        RunSaveDialog(*dialogs_, UiString(kTextSaveDialogTitle, "Save icon as"), filter, saveFilterIndex_,
                      saveDialogFolder_, fileName_);
    if (!answer) return;
    const IconGrid* grid = gridView_->grid();
    // A file without an icon group of its own writes no icon file: say why, as the command line does.
    if (glyphora::SaveIcon(grid->Current(), grid->ItemIndex(), answer->fileName, answer->filterIndex - 1, false) == 0) {
        dialogs_->Show(NothingToSaveText(grid->Current().fileName), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    if (settings_.openAfterSave) OpenSavedFile(answer->fileName, {});
}

void MainWindow::saveIconSet()
{
    if (!checkSelection()) return;
    const IconGrid* grid = gridView_->grid();
    // A file shown with its file-type icon has no group of its own to take the images from.
    if (grid->Associated()) {
        dialogs_->Show(NothingToSaveText(fileName_), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const DialogAnswer layout = dialogs_->Show(
        UiString(kTextIconSetAsThemeQuestion,
                 "Save the icon set as an icon theme, with a folder for each size (16x16/apps, 32x32/apps, ...)?\n"
                 "No saves one picture for each image into the folder."),
        MessageIcon::Question, MessageButtons::YesNo);
    if (layout != DialogAnswer::Yes && layout != DialogAnswer::No) return;
    const std::optional<fs::path> folder = dialogs_->ChooseFolder(
        UiString(kTextIconSetFolderTitle, "Select folder for the icon set:"), folderDialogFolder_);
    if (!folder) return;
    folderDialogFolder_ = *folder;
    IconSetRun run;
    {
        WaitCursor wait;
        run = SaveIconSets(fileName_, *folder, grid->ItemIndex() + 1, {},
                           layout == DialogAnswer::Yes ? IconSetLayout::Theme : IconSetLayout::Flat);
    }
    if (run.written == 0) {
        dialogs_->Show(run.problem.empty() ? NothingToSaveText(fileName_) : run.problem, MessageIcon::Error,
                       MessageButtons::Ok);
        return;
    }
    std::string text =
        FormatText(UiString(kTextSaveAllSuccess, "%d icon(s) saved."), static_cast<long long>(run.written));
    if (!run.problem.empty()) text += "\n" + run.problem;
    dialogs_->Show(text, run.problem.empty() ? MessageIcon::Information : MessageIcon::Warning, MessageButtons::Ok);
    if (settings_.openAfterSave) OpenSavedFile(*folder, {});
}

void MainWindow::saveAll(int outputKind)
{
    saveAllFiles(outputKind, {});
}

void MainWindow::saveAllFiles(int outputKind, const std::vector<fs::path>& sources)
{
    const std::optional<fs::path> folder =
        dialogs_->ChooseFolder(UiString(kTextSelectFolderTitle, "Select folder to save images:"), folderDialogFolder_);
    if (!folder) return;
    folderDialogFolder_ = *folder;
    int saveCount = 0;
    DialogAnswer confirmResult = DialogAnswer::None;
    SaveAllRequest request;
    request.destDir = *folder;
    request.fileType = outputKind;
    ApplyLayoutSettings(exportSettings_, request);
    request.small = settings_.smallIcons;
    const auto report = [&] {
        dialogs_->Show(
            FormatText(UiString(kTextSaveAllSuccess, "%d icon(s) saved."), static_cast<long long>(saveCount)),
            MessageIcon::Information, MessageButtons::Ok);
    };
    SaveAllSummary summary;
    try {
        WaitCursor wait;
        const auto saveFrom = [&](const fs::path& source) {
            request.srcFileName = source;
            const SaveAllSummary one = SaveAll(gridView_->grid()->Current(), request, saveCount, confirmResult);
            summary.icons += one.icons;
            summary.declined += one.declined;
        };
        if (sources.empty()) saveFrom({});
        for (const fs::path& source : sources)
            saveFrom(source);
    } catch (...) {
        report(); // the count of what was done comes first, then the error
        throw;
    }
    // Nothing saved although nothing was declined: the file (or every listed file) had
    // nothing to save.
    if (saveCount == 0 && summary.declined == 0 && sources.size() <= 1)
        dialogs_->Show(NothingToSaveText(gridView_->grid()->Current().fileName), MessageIcon::Error,
                       MessageButtons::Ok);
    else
        report();
}

void MainWindow::saveAllAsOneImage()
{
    const std::string filter = UiString(kTextPictureFilter, "Bitmap images (*.bmp)|*.bmp|JPEG images (*.jpg)|*.jpg|"
                                                            "Enhanced metafiles (*.emf)|*.emf|GIF images (*.gif)|*.gif|"
                                                            "PNG images (*.png)|*.png");
    const std::optional<SaveFileAnswer> answer =
        RunSaveDialog(*dialogs_, UiString(kTextSaveDialogTitle, "Save icon as"), filter, saveFilterIndex_,
                      saveDialogFolder_, fileName_);
    if (!answer) return;
    {
        WaitCursor wait;
        const IconGrid* grid = gridView_->grid();
        SaveAllAsOne(grid->Model(), grid->Current().icons, answer->fileName, answer->filterIndex, false);
    }
    if (settings_.openAfterSave) OpenSavedFile(answer->fileName, {});
}

void MainWindow::exportHtml()
{
    exportDocument(ExportKind::Html);
}
void MainWindow::exportDbase()
{
    exportDocument(ExportKind::Dbase);
}
void MainWindow::exportPdf()
{
    exportDocument(ExportKind::Pdf);
}

void MainWindow::exportXlsx()
{
    exportDocument(ExportKind::Xlsx);
}

void MainWindow::exportDocument(ExportKind kind)
{
    if (!skipOptionsDialog()) {
        std::optional<ExportSettings> edited = dialogs_->EditExportOptions(kind, exportSettings_);
        if (!edited) return;
        exportSettings_ = *edited;
    }
    const DocumentTexts texts = TextsFor(kind);
    const std::string filter = UiString(texts.filter, texts.designFilter);
    const std::optional<SaveFileAnswer> answer = RunSaveDialog(*dialogs_, UiString(texts.saveTitle, texts.designTitle),
                                                               filter, saveFilterIndex_, saveDialogFolder_, fileName_);
    if (!answer) return;
    const fs::path chosen = answer->fileName;

    SaveAllRequest request;
    request.fileType = texts.fileType;
    request.destFileName = chosen;
    request.destExt = chosen.extension().string();
    request.small = settings_.smallIcons;
    fs::path document = chosen;
    switch (kind) {
    case ExportKind::Html: {
        fs::path pictures = chosen;
        pictures.replace_extension();
        document = pictures;
        document += AsciiLower(request.destExt.empty() ? std::string(".htm") : request.destExt);
        pictures += "_files";
        request.destDir = pictures;
        ApplyLayoutSettings(exportSettings_, request);
        request.targetImageType = exportSettings_.targetImageType;
        break;
    }
    case ExportKind::Dbase: {
        request.destDir = chosen.parent_path();
        if (!chosen.has_extension()) document += ".dbf";
        fs::path memo = document;
        memo.replace_extension(".dbt");
        if (!FileExists(document) && FileExists(memo) &&
            dialogs_->Show(
                FormatText(UiString(kTextOverwriteQuestion, "The file %s already exists. Replace it?"), memo.string()),
                MessageIcon::Question, MessageButtons::YesNo) != DialogAnswer::Yes)
            return;
        request.dbfFieldName = exportSettings_.dbfFieldName;
        request.dbfType = exportSettings_.dbfType;
        request.includeNumbers = true;
        request.drawBorders = true;
        request.grayScale = exportSettings_.grayScale && exportSettings_.dbfType > 0;
        break;
    }
    case ExportKind::Pdf:
    case ExportKind::Xlsx:
        request.destDir = chosen.parent_path();
        ApplyLayoutSettings(exportSettings_, request);
        break;
    }
    int saveCount = 0;
    SaveAllSummary summary;
    {
        WaitCursor wait;
        DialogAnswer confirmResult = DialogAnswer::None;
        summary = SaveAll(gridView_->grid()->Current(), request, saveCount, confirmResult);
    }
    if (saveCount == 0 && summary.declined == 0) {
        // No icon, no document: say why instead of opening a file that was not written.
        dialogs_->Show(NothingToSaveText(gridView_->grid()->Current().fileName), MessageIcon::Error,
                       MessageButtons::Ok);
        return;
    }
    if (settings_.openAfterSave) OpenSavedFile(document, {});
}

} // namespace glyphora
