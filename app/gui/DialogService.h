// Every dialog the window's commands open, behind one interface: the open, save and folder
// dialogs, the export options dialog, the print dialogs and the About box, and (as a
// MessageDialogs) the message boxes and questions. The window shows real Qt dialogs through QtDialogService; tests install a
// scripted double that answers and records.
#pragma once

#include "export/ExportSettings.h"
#include "iconview/GridPrint.h"
#include "platform/MessageDialogs.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QPaintDevice;
class QPrinter;

namespace glyphora {

// Which export the options dialog is shown for (decides its title and controls).
enum class ExportKind { Html, Dbase, Pdf, Xlsx };

struct OpenFileRequest {
    std::string title;
    std::string filter; // "description (*.ext)|*.ext|..." pairs; the first is preselected
    std::filesystem::path initialDir;
};

struct SaveFileRequest {
    std::string title;
    std::string filter;     // as above
    int filterIndex = 1;    // 1-based entry preselected
    std::string defaultExt; // appended to a name typed without extension; follows the entry
    std::filesystem::path initialDir;
    std::string proposedName; // file name without folder and extension
};

struct PrintChoices {
    bool all = true; // the whole grid, or the selected icon
    PrintSizing sizing = PrintSizing::ActualSize;
    bool preview = false; // see the page before it is printed
};

struct SaveFileAnswer {
    std::filesystem::path fileName; // the chosen file, with the default extension applied
    int filterIndex = 1;            // the entry chosen last (1-based)
};

class DialogService : public MessageDialogs {
public:
    virtual std::optional<std::filesystem::path> OpenFile(const OpenFileRequest& request) = 0;
    // The standard save dialog; asks before replacing an existing file.
    virtual std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                              const std::filesystem::path& initialDir) = 0;
    // The export options dialog (ExportOptionsDialog) for kind, starting from settings; the edited
    // settings on OK, nothing on cancel.
    virtual std::optional<ExportSettings> EditExportOptions(ExportKind kind, const ExportSettings& settings) = 0;

    // Printing. The print choices dialog (PrintDialog): what to print and at which size, and
    // whether to see the page first; nothing on cancel. "Selected image" is offered only when
    // selectionAvailable.
    virtual std::optional<PrintChoices> ChoosePrintOptions(bool selectionAvailable) = 0;
    // Whether the system has a printer to offer.
    virtual bool PrinterInstalled() = 0;
    // The system print dialog for printer (which printer, copies, page set-up); false on cancel.
    virtual bool SetUpPrinter(QPrinter& printer) = 0;
    // The page as printer would print it, drawn by paint on whatever device the preview shows;
    // true when the user asks to print it, false when the preview is closed.
    virtual bool PreviewPrint(QPrinter& printer, const std::function<void(QPaintDevice&)>& paint) = 0;

    // The About box.
    virtual void ShowAbout() = 0;
};

} // namespace glyphora
