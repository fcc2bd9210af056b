// The window's save and export commands: the selected icon, every icon into a folder (of the
// open file or of several files), every icon as one picture, the selected icon's images as an
// icon set, and the HTML, dBase, PDF and spreadsheet documents. It works on the current icons
// (the grid's icon list, layout and selection), asks its questions through the dialog service,
// and remembers the save dialog's folder and filter and the folder dialog's folder between
// commands.
#pragma once

#include "app/gui/DialogService.h"
#include "export/OutputKind.h"

#include <QString>
#include <Qt>

#include <filesystem>
#include <functional>
#include <vector>

namespace glyphora {

class IconGrid;
struct ExportSettings;
struct WindowSettings;

// A command that needs a selected icon: true when one is selected; otherwise it warns once
// and the command does nothing.
bool CheckSelection(const IconGrid& icons, DialogService& dialogs);

class SaveController {
public:
    // settings: the window's options (small icons, opening a written file); exportSettings:
    // the export options, which the options dialog edits.
    SaveController(DialogService& dialogs, const IconGrid& icons, const WindowSettings& settings,
                   ExportSettings& exportSettings);

    // The selected icon, as an icon file or a picture.
    void saveSelected();
    // Every icon of the open file into a folder, as outputKind (one of kPictureKinds).
    void saveAll(OutputKind outputKind);
    // The same for each of sources, with one overwrite answer for all of them (no sources:
    // the open file).
    void saveAllFiles(OutputKind outputKind, const std::vector<std::filesystem::path>& sources);
    void saveAllAsOneImage();
    // Every image of the selected icon's group as a transparent PNG into a folder, flat or as
    // an icon theme (the window's counterpart of -iconset and -icontheme).
    void saveIconSet();
    // The export of kind, after its options dialog unless Shift and Ctrl are held.
    void exportDocument(ExportKind kind);

    // The state of Shift and Ctrl as the export commands read it (replaceable for tests).
    void setModifiersQuery(std::function<Qt::KeyboardModifiers()> query) { modifiersQuery_ = std::move(query); }
    // The folder the save dialogs start in (the print command's PDF file dialog too).
    std::filesystem::path& saveDialogFolder() { return saveDialogFolder_; }

private:
    bool skipOptionsDialog() const;

    DialogService& dialogs_;
    const IconGrid& icons_;
    const WindowSettings& settings_;
    ExportSettings& exportSettings_;
    std::function<Qt::KeyboardModifiers()> modifiersQuery_;
    std::filesystem::path saveDialogFolder_;
    std::filesystem::path folderDialogFolder_;
    int saveFilterIndex_ = 1;
};

} // namespace glyphora
