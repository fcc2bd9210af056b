// The window's print command: the choices dialog, the picture of the grid or of the selected
// icon, an optional preview, and one page to the printer chosen in the system's print dialog.
// Without a printer the page can go to a PDF file instead.
#pragma once

#include <filesystem>

class QWidget;

namespace glyphora {

class DialogService;
class IconGrid;

class PrintController {
public:
    // window: whose screen resolution "actual size" keeps; pdfFolder: where the PDF file
    // dialog starts (the save dialogs' folder), updated when a file is chosen.
    PrintController(QWidget& window, DialogService& dialogs, const IconGrid& icons, std::filesystem::path& pdfFolder);

    // Asks what to print, then prints it; nothing when the grid has no icons.
    void print();

private:
    QWidget& window_;
    DialogService& dialogs_;
    const IconGrid& icons_;
    std::filesystem::path& pdfFolder_;
};

} // namespace glyphora
