// The console front end's side of the command-line driver: it keeps the current file's icon
// list itself (there is no grid), prints results on stdout and errors and warnings on
// stderr, one line each. The icons are decoded only when a save needs them: writing the
// groups of a module as icon files never decodes an image.
#pragma once

#include "app/driver/CommandLineDriver.h"
#include "export/CurrentIcons.h"
#include "export/ExportSettings.h"
#include "iconengine/IconSources.h"

#include <iosfwd>

namespace glyphora {

class ConsoleHost final : public CommandLineHost {
public:
    // showProgress: a progress line on err while many icons are saved (err is a terminal).
    ConsoleHost(std::ostream& out, std::ostream& err, bool showProgress = false)
        : out_(out), err_(err), showProgress_(showProgress)
    {}

    bool IsFirstStart() const override { return false; }
    void RunHelp() override {}
    void SelectFile(const std::string& fileName) override;
    void SetSmallIcons() override;
    int SaveIcon(int iconIndex, const std::string& fileName, OutputKind fileType, bool grayScale) override;
    void SaveAllAsOne(const std::string& fileName, OutputKind destType, bool grayScale) override;
    void SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult) override;
    void OpenSavedFile(const std::string& fileName, const std::string& ext) override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void SetBusyCursor(bool) override {}
    void Close() override {}

    // The current file's icons, loaded now if no save has needed them yet.
    const CurrentIcons& Current();

private:
    void Reload();
    int DefaultGridColumns(IconSizing sizing) const;

    std::ostream& out_;
    std::ostream& err_;
    bool showProgress_ = false;
    CurrentIcons current_;
    bool loaded_ = false; // current_.icons belong to current_.fileName at the current size
    ExportSettings settings_;
    IconSizing sizing_ = IconSizing::Large;
    IconSizing openedSizing_ = IconSizing::Large; // the size when the current file was opened
};

} // namespace glyphora
