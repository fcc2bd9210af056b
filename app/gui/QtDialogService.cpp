// The window's real dialogs.
#include "app/gui/QtDialogService.h"

#include "app/gui/ExportOptionsDialog.h"
#include "export/SaveNames.h"
#include "platform/qt/QtMessageDialogs.h"
#include "scan/qt/FolderDialog.h"

#include <QFileDialog>
#include <QStringList>

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

std::vector<std::string> FilterDescriptions(const std::string& filter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::vector<std::string> descriptions;
    for (std::size_t i = 0; i < parts.size(); i += 2)
        descriptions.push_back(parts[i]);
    return descriptions;
}

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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    SaveFileAnswer answer;
    answer.fileName = dialog.selectedFiles().front().toStdString();
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = 1;
    return answer;
}

std::optional<std::filesystem::path> QtDialogService::ChooseFolder(const std::string& title,
                                                                   const std::filesystem::path& initialDir)
{
    FolderDialog dialog(owner_);
    dialog.setTitle(QString::fromStdString(title));
    dialog.setDirectory(initialDir);
    if (!dialog.execute())
        return std::nullopt;
    return dialog.directory();
}

std::optional<ExportSettings> QtDialogService::EditExportOptions(ExportKind kind, const ExportSettings& settings)
{
    ExportOptionsDialog dialog(owner_);
    dialog.setHelp(help_);
    dialog.prepare(kind, settings);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::string error;
    std::optional<ExportSettings> edited = dialog.readBack(settings, error);
    if (!edited)
        Show(error, MessageIcon::Error, MessageButtons::Ok);
    return edited;
}

} // namespace glyphora
