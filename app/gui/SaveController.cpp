// The save and export commands: the save dialogs, the requests they hand to the save engine,
// and what the user is told afterwards.
#include "app/gui/SaveController.h"

#include "app/gui/FileFilters.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "export/IconSet.h"
#include "export/OutputKind.h"
#include "export/SaveAll.h"
#include "export/SaveAllAsOne.h"
#include "export/SaveIcon.h"
#include "export/SaveNames.h"
#include "export/SaveProblems.h"
#include "iconview/qt/IconGrid.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/ShellOpen.h"
#include "settings/Settings.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

int FilterEntryCount(const std::string& filter)
{
    return static_cast<int>(std::count(filter.begin(), filter.end(), '|') + 1) / 2;
}

bool CoversExtension(const std::vector<std::string>& patterns, const std::string& lowerExtension)
{
    return std::find(patterns.begin(), patterns.end(), "*" + lowerExtension) != patterns.end();
}

// The options dialog's layout choices as the save engine takes them.
void ApplyLayoutSettings(const ExportSettings& settings, SaveAllRequest& request)
{
    request.includeNumbers = settings.includeNumbers;
    request.drawBorders = settings.drawBorders;
    request.grayScale = settings.grayScale;
    request.columnCount = std::max(1, settings.columnCount);
}

// The save dialog's title and filter of a document export: pack texts, or for the
// spreadsheet, which no pack translates, fixed English ones.
struct DocumentTexts {
    std::string saveTitle;
    std::string filter;
    OutputKind fileType;
};

DocumentTexts TextsFor(ExportKind kind)
{
    switch (kind) {
    case ExportKind::Html: return {InterfaceText(kTextHtmlSaveTitle), InterfaceText(kTextHtmlFilter), OutputKind::Html};
    case ExportKind::Dbase: return {InterfaceText(kTextDbfSaveTitle), InterfaceText(kTextDbfFilter), OutputKind::Dbase};
    case ExportKind::Xlsx:
        return {"Export icons to Microsoft Excel sheet", "Microsoft Excel sheets (*.xlsx)|*.xlsx", OutputKind::Xlsx};
    case ExportKind::Pdf: break;
    }
    return {InterfaceText(kTextPdfSaveTitle), InterfaceText(kTextPdfFilter), OutputKind::Pdf};
}

} // namespace

int FilterIndexForName(const std::string& filter, const fs::path& name, int chosenIndex)
{
    const std::string extension = AsciiLower(name.extension().string());
    if (extension.size() < 2) return chosenIndex;
    const std::vector<std::vector<std::string>> entries = FilterPatterns(filter);
    const auto chosen = static_cast<std::size_t>(chosenIndex - 1);
    if (chosenIndex >= 1 && chosen < entries.size() && CoversExtension(entries[chosen], extension)) return chosenIndex;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (CoversExtension(entries[i], extension)) return static_cast<int>(i) + 1;
    return chosenIndex;
}

bool CheckSelection(const IconGrid& icons, DialogService& dialogs)
{
    if (icons.ItemIndex() >= 0) return true;
    dialogs.Show(InterfaceText(kTextNoIconSelected), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

SaveController::SaveController(DialogService& dialogs, const IconGrid& icons, const WindowSettings& settings,
                               ExportSettings& exportSettings)
    : dialogs_(dialogs), icons_(icons), settings_(settings), exportSettings_(exportSettings), modifiersQuery_([] {
          return QGuiApplication::queryKeyboardModifiers();
      })
{
    std::error_code ec;
    saveDialogFolder_ = fs::current_path(ec);
}

void SaveController::finish(ReportWords written, const fs::path& toOpen)
{
    const bool open = settings_.openAfterSave && !toOpen.empty();
    const bool opened = !open || OpenWithDefaultApplication(toOpen);
    if (report_)
        report_([written = std::move(written), opened] {
            std::string text = written();
            if (!opened) text += " " + InterfaceText(kTextCouldNotOpenNote);
            return text;
        });
    if (!opened && !openFailureSaid_) {
        openFailureSaid_ = true;
        dialogs_.Show(FormatText(InterfaceText(kTextCouldNotOpen), toOpen.string()), MessageIcon::Warning,
                      MessageButtons::Ok);
    }
}

// "Saved /home/me/icon.png", worded by the pack in use when it is said.
static SaveController::ReportWords SavedFileWords(const fs::path& file)
{
    return [file] { return FormatText(InterfaceText(kTextSavedFile), file.string()); };
}

// "6 icon(s) saved. Folder: /home/me/icons", likewise.
static SaveController::ReportWords SavedIntoFolderWords(int count, const fs::path& folder)
{
    return [count, folder] {
        return FormatText(InterfaceText(kTextSaveAllSuccess), static_cast<long long>(count)) + " " +
               FormatText(InterfaceText(kTextSavedIntoFolder), folder.string());
    };
}

bool SaveController::skipOptionsDialog() const
{
    const Qt::KeyboardModifiers held = modifiersQuery_();
    return (held & Qt::ShiftModifier) && (held & Qt::ControlModifier);
}

// The save dialog with its filter; the default extension follows the filter entry and the
// proposed name is the current file's name, made unique in the dialog's folder. A typed
// extension of another offered type chooses that type, so the bytes match the name.
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
        answer->filterIndex = FilterIndexForName(filter, answer->fileName, answer->filterIndex);
        filterIndex = answer->filterIndex;
        initialDir = answer->fileName.parent_path();
    }
    return answer;
}

void SaveController::saveSelected()
{
    if (!CheckSelection(icons_, dialogs_)) return;
    const std::string filter = InterfaceText(kTextIconFilter) + "|" + InterfaceText(kTextPictureFilter);
    const std::optional<SaveFileAnswer> answer =
        RunSaveDialog(dialogs_, InterfaceText(kTextSaveDialogTitle), filter, selectedFilterIndex_, saveDialogFolder_,
                      icons_.FileName());
    if (!answer) return;
    // A file without an icon group of its own writes no icon file: say why, as the command line does.
    if (glyphora::SaveIcon(icons_.Current(), icons_.ItemIndex(), answer->fileName,
                           PictureKindAt(answer->filterIndex - 1), false) == 0) {
        dialogs_.Show(NothingToSaveText(icons_.Current().fileName), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    finish(SavedFileWords(answer->fileName), answer->fileName);
}

void SaveController::saveIconSet()
{
    if (!CheckSelection(icons_, dialogs_)) return;
    const fs::path& source = icons_.FileName();
    // A file shown with its file-type icon has no group of its own to take the images from.
    if (icons_.Associated()) {
        dialogs_.Show(NothingToSaveText(source), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const DialogAnswer layout =
        dialogs_.Show(InterfaceText(kTextIconSetAsThemeQuestion), MessageIcon::Question, MessageButtons::YesNo);
    if (layout != DialogAnswer::Yes && layout != DialogAnswer::No) return;
    const std::optional<fs::path> folder =
        dialogs_.ChooseFolder(InterfaceText(kTextIconSetFolderTitle), folderDialogFolder_);
    if (!folder) return;
    folderDialogFolder_ = *folder;
    IconSetRun run;
    {
        WaitCursor wait;
        run = SaveIconSets(source, *folder, icons_.ItemIndex() + 1, {},
                           layout == DialogAnswer::Yes ? IconSetLayout::Theme : IconSetLayout::Flat);
    }
    if (run.written == 0) {
        dialogs_.Show(run.problem.empty() ? NothingToSaveText(source) : run.problem, MessageIcon::Error,
                      MessageButtons::Ok);
        return;
    }
    std::string text = FormatText(InterfaceText(kTextSaveAllSuccess), static_cast<long long>(run.written));
    if (!run.problem.empty()) text += "\n" + run.problem;
    dialogs_.Show(text, run.problem.empty() ? MessageIcon::Information : MessageIcon::Warning, MessageButtons::Ok);
    finish(SavedIntoFolderWords(run.written, *folder), *folder);
}

void SaveController::saveAll(OutputKind outputKind)
{
    saveAllFiles(outputKind, {});
}

void SaveController::saveAllFiles(OutputKind outputKind, const std::vector<fs::path>& sources)
{
    const std::optional<fs::path> folder =
        dialogs_.ChooseFolder(InterfaceText(kTextSelectFolderTitle), folderDialogFolder_);
    if (!folder) return;
    folderDialogFolder_ = *folder;
    int saveCount = 0;
    DialogAnswer confirmResult = DialogAnswer::None;
    SaveAllRequest request;
    request.destDir = *folder;
    request.fileType = outputKind;
    request.questions = &dialogs_;
    ApplyLayoutSettings(exportSettings_, request);
    request.small = settings_.smallIcons;
    const auto report = [&] {
        if (saveCount > 0) finish(SavedIntoFolderWords(saveCount, *folder));
        dialogs_.Show(FormatText(InterfaceText(kTextSaveAllSuccess), static_cast<long long>(saveCount)),
                      MessageIcon::Information, MessageButtons::Ok);
    };
    SaveAllSummary summary;
    try {
        WaitCursor wait;
        const auto saveFrom = [&](const fs::path& source) {
            request.srcFileName = source;
            const SaveAllSummary one = SaveAll(icons_.Current(), request, saveCount, confirmResult);
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
        dialogs_.Show(NothingToSaveText(icons_.Current().fileName), MessageIcon::Error, MessageButtons::Ok);
    else
        report();
}

void SaveController::saveAllAsOneImage()
{
    const std::string filter = InterfaceText(kTextPictureFilter);
    const std::optional<SaveFileAnswer> answer =
        RunSaveDialog(dialogs_, InterfaceText(kTextSaveDialogTitle), filter, allAsOneFilterIndex_, saveDialogFolder_,
                      icons_.FileName());
    if (!answer) return;
    {
        WaitCursor wait;
        SaveAllAsOne(icons_.Model(), icons_.Current().icons, answer->fileName, PictureKindAt(answer->filterIndex),
                     false);
    }
    finish(SavedFileWords(answer->fileName), answer->fileName);
}

void SaveController::exportDocument(ExportKind kind)
{
    if (!skipOptionsDialog()) {
        std::optional<ExportSettings> edited = dialogs_.EditExportOptions(kind, exportSettings_);
        if (!edited) return;
        exportSettings_ = *edited;
    }
    const DocumentTexts texts = TextsFor(kind);
    const std::optional<SaveFileAnswer> answer =
        RunSaveDialog(dialogs_, texts.saveTitle, texts.filter, documentFilterIndex_.at(static_cast<std::size_t>(kind)),
                      saveDialogFolder_, icons_.FileName());
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
            dialogs_.Show(FormatText(InterfaceText(kTextOverwriteQuestion), memo.string()), MessageIcon::Question,
                          MessageButtons::YesNo) != DialogAnswer::Yes)
            return;
        request.dbfFieldName = exportSettings_.dbfFieldName;
        request.dbfType = exportSettings_.dbfType;
        request.includeNumbers = true;
        request.drawBorders = true;
        request.grayScale = exportSettings_.grayScale && exportSettings_.dbfType != OutputKind::Icon;
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
        request.questions = &dialogs_;
        summary = SaveAll(icons_.Current(), request, saveCount, confirmResult);
    }
    if (saveCount == 0 && summary.declined == 0) {
        // No icon, no document: say why instead of opening a file that was not written.
        dialogs_.Show(NothingToSaveText(icons_.Current().fileName), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    finish(SavedFileWords(document), document);
}

} // namespace glyphora
