// The command-line driver: opens the source named by the arguments and, in export mode,
// writes its icons to the destination without asking anything. The window and the console
// front end share this one implementation through the small host interface below.
#pragma once

#include "export/SaveAllRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace glyphora {

class CommandLineHost {
public:
    virtual ~CommandLineHost() = default;
    virtual bool IsFirstStart() const = 0; // the start counter says this is the very first start
    virtual void RunHelp() = 0;            // help contents
    virtual void SelectFile(const std::string& fileName) = 0;
    virtual void SetSmallIcons() = 0; // the grid switches to small icons and reloads
    virtual int SaveIcon(int iconIndex, const std::string& fileName, OutputKind fileType, bool grayScale) = 0;
    virtual void SaveAllAsOne(const std::string& fileName, OutputKind destType, bool grayScale) = 0;
    virtual void SaveAll(const SaveAllRequest& request, int& saveCount, DialogAnswer& confirmResult) = 0;
    virtual void OpenSavedFile(const std::string& fileName, const std::string& ext) = 0;
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowInformation(const std::string& text) = 0;
    // A switch or value the grammar does not know; the run goes on (console: a line on stderr).
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void Close() = 0;
};

enum class CommandLineOutcome {
    NoArguments, // nothing to do
    Opened,      // plain open mode: the file is shown
    Exported,    // an export ran to its end
    Failed,      // the error box was shown (also when the export saved nothing)
};

struct CommandLineResult {
    CommandLineOutcome outcome = CommandLineOutcome::NoArguments;
    int count = 0;           // what the save reported
    bool singleIcon = false; // the export saved one icon (count 0 then means nothing was written)
};

// Runs the driver once over the program's arguments (without the program itself).
// Its save-all requests replace existing files without asking; a failure raised by a save
// propagates after the cursor is restored. An export succeeds only
// when something was saved as asked: a source that cannot be read, or one without icons to
// save, ends in the error box with the reason, and so does a save that wrote nothing.
CommandLineResult RunCommandLine(const std::vector<std::string>& arguments, CommandLineHost& host);

} // namespace glyphora
