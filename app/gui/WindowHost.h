// The window's side of the command-line driver: the file opens in the grid, saves read the
// grid's icons and layout, messages are boxes owned by the window, and "close when done"
// closes it.
#pragma once

#include "app/driver/CommandLineDriver.h"

namespace glyphora {

class MainWindow;

class WindowHost final : public CommandLineHost {
public:
    explicit WindowHost(MainWindow& window) : window_(window) {}

    bool IsFirstStart() const override;
    void RunHelp() override;
    void SelectFile(const std::string& fileName) override;
    void SetSmallIcons() override;
    int SaveIcon(int iconIndex, const std::string& fileName, OutputKind fileType, bool grayScale) override;
    void SaveAllAsOne(const std::string& fileName, OutputKind destType, bool grayScale) override;
    void SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult) override;
    void OpenSavedFile(const std::string& fileName, const std::string& ext) override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void SetBusyCursor(bool busy) override;
    void Close() override;

private:
    MainWindow& window_;
};

} // namespace glyphora
