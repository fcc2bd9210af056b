// The window's save and export commands: the selected icon, every icon into a folder (of the
// open file or of several files), every icon as one picture, the selected icon's images as an
// icon set, and the HTML, dBase, PDF and spreadsheet documents. It works on the current icons
// (the grid's icon list, layout and selection), asks its questions through the dialog service,
// and remembers between commands the save dialogs' folder, the type last chosen in each save
// dialog, and the folder dialog's folder.
#pragma once

#include "app/gui/DialogService.h"
#include "export/OutputKind.h"

#include <QString>
#include <Qt>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace glyphora {

class IconGrid;
struct ExportSettings;
struct WindowSettings;

// A command that needs a selected icon: true when one is selected; otherwise it warns once
// and the command does nothing.
bool CheckSelection(const IconGrid& icons, DialogService& dialogs);

// The 1-based entry of filter that a name typed in a save dialog asks for: the chosen entry
// when its pattern covers the name's extension or no entry does, otherwise the first entry
// whose pattern names that extension (letter case ignored). A user who types "icons.png"
// with the bitmap type chosen means PNG, as the desktop's own save dialogs take it.
int FilterIndexForName(const std::string& filter, const std::filesystem::path& name, int chosenIndex);

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
    // Where the commands say what they wrote (the window's hint panel).
    void setReport(std::function<void(const std::string&)> report) { report_ = std::move(report); }
    // The folder the save dialogs start in (the print command's PDF file dialog too).
    std::filesystem::path& saveDialogFolder() { return saveDialogFolder_; }

private:
    bool skipOptionsDialog() const;
    // Says what was written and, when the option is on, opens toOpen with the desktop; a
    // desktop that cannot open it is noted beside what was written, and said in a message
    // the first time only, so a desktop without any opener does not interrupt every save.
    void finish(const std::string& written, const std::filesystem::path& toOpen);
    void finish(const std::string& written) { finish(written, {}); }

    DialogService& dialogs_;
    const IconGrid& icons_;
    const WindowSettings& settings_;
    ExportSettings& exportSettings_;
    std::function<Qt::KeyboardModifiers()> modifiersQuery_;
    std::function<void(const std::string&)> report_;
    bool openFailureSaid_ = false;
    std::filesystem::path saveDialogFolder_;
    std::filesystem::path folderDialogFolder_;
    // The entry each save dialog showed chosen last: their lists differ (the icon type leads
    // only the selected icon's), so one index for all would pick a neighbour of the type.
    int selectedFilterIndex_ = 1;
    int allAsOneFilterIndex_ = 1;
    std::array<int, 4> documentFilterIndex_{1, 1, 1, 1}; // by ExportKind
};

} // namespace glyphora
