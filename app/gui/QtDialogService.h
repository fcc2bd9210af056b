// The window's real dialogs: Qt file and folder dialogs, the export options dialog, the print
// choices dialog, Qt's print and preview dialogs, the About box and Qt message boxes, all owned
// by the window.
#pragma once

#include "app/gui/DialogService.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace glyphora {

class HelpService;

class QtDialogService final : public DialogService {
public:
    explicit QtDialogService(QWidget* owner) : owner_(owner) {}

    // The help that the help buttons of the dialogs open; none disables them.
    void setHelp(HelpService* help) { help_ = help; }

    DialogAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;
    std::optional<std::filesystem::path> OpenFile(const OpenFileRequest& request) override;
    std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                      const std::filesystem::path& initialDir) override;
    std::optional<ExportSettings> EditExportOptions(ExportKind kind, const ExportSettings& settings) override;
    std::optional<PrintChoices> ChoosePrintOptions(bool selectionAvailable) override;
    bool PrinterInstalled() override;
    bool SetUpPrinter(QPrinter& printer) override;
    bool PreviewPrint(QPrinter& printer, const std::function<void(QPaintDevice&)>& paint) override;
    void ShowAbout() override;

private:
    QWidget* owner_;
    HelpService* help_ = nullptr;
};

} // namespace glyphora
