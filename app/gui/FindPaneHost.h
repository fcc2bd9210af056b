// What the find pane needs of the window it sits in, and nothing more: the status text shown
// while a scan runs, running a command with the window's error display, the open file and
// opening another one, and saving the icons of several files into one folder.
#pragma once

#include "export/OutputKind.h"
#include "iconengine/FileTypeIcons.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace glyphora {

class FindPaneHost {
public:
    // The text of the status bar's hint panel (empty clears it).
    virtual void setStatusText(const std::string& text) = 0;
    // Runs command; a failure it raises is shown in the window's error box.
    virtual void runGuarded(const std::function<void()>& command) = 0;
    // The desktop's icons for files without icons of their own, for the list's rows.
    virtual const FileTypeIconProvider& fileTypeIcons() const = 0;
    // The file the window shows (empty before the first one is opened).
    virtual const std::filesystem::path& currentFile() const = 0;
    // Opens file in the window: it becomes the current file.
    virtual void SelectFile(const std::filesystem::path& file) = 0;
    // Saves every icon of each file into one folder the user chooses, as the picture kind
    // outputKind, with one overwrite answer for all of them.
    virtual void saveFiles(OutputKind outputKind, const std::vector<std::filesystem::path>& files) = 0;

protected:
    ~FindPaneHost() = default;
};

} // namespace glyphora
