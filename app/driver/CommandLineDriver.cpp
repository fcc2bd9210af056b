// The command-line driver.
#include "app/driver/CommandLineDriver.h"

#include "app/driver/CommandLineArgs.h"
#include "export/IconSet.h"
#include "export/OutputKind.h"
#include "export/SaveProblems.h"
#include "i18n/BuiltInTexts.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "platform/AsciiText.h"
#include "platform/FileReader.h"
#include "platform/Files.h"

#include <filesystem>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

// Keeps the cursor busy for a scope, whatever way it is left.
class BusyCursor {
public:
    explicit BusyCursor(CommandLineHost& host) : host_(host) { host_.SetBusyCursor(true); }
    ~BusyCursor() { host_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    CommandLineHost& host_;
};

// The folder SaveAll writes into, derived from the destination by the kind of output.
fs::path TargetFolder(const std::string& destination, OutputKind fileType)
{
    const fs::path dest(destination);
    if (IsSingleFileDocument(fileType)) return dest.parent_path();
    if (fileType == OutputKind::Html) {
        fs::path folder = dest;
        folder.replace_extension();
        folder += "_files";
        return folder;
    }
    return dest;
}

} // namespace

CommandLineResult RunCommandLine(const std::vector<std::string>& arguments, CommandLineHost& host)
{
    CommandLineResult result;
    if (arguments.empty()) {
        if (host.IsFirstStart()) host.RunHelp();
        return result;
    }

    const CommandLineArgs args = ScanCommandLine(arguments);
    for (const std::string& warning : args.warnings)
        host.ShowWarning(warning);
    const std::string source =
        args.exportMode ? (args.positional.size() > 0 ? args.positional[0] : std::string{}) : args.joinedSource;
    const std::string destination = args.exportMode && args.positional.size() > 1 ? args.positional[1] : std::string{};

    std::string errorText = InterfaceText(kTextCommandLineErrorHeading);
    auto fail = [&](const std::string& reason) {
        errorText += "\n" + reason;
        host.ShowError(errorText);
        result.outcome = CommandLineOutcome::Failed;
        return result;
    };

    if (DirectoryExists(source)) return fail(FormatText(InterfaceText(kTextSourceIsFolder), source));
    if (!FileExists(source)) return fail(FormatText(InterfaceText(kTextFileNotFound), source));
    // A file that exists but cannot be read is no file without icons: say so instead of
    // showing (or saving) its file-type icon.
    if (std::string reason; !FileReader::Open(source, &reason)) return fail("Cannot read '" + source + "': " + reason);
    host.SelectFile(source);
    result.outcome = CommandLineOutcome::Opened;
    if (!args.exportMode) return result;

    if (args.small) host.SetSmallIcons();
    if (Trim(destination, IsAsciiSpace).empty()) return fail(InterfaceText(kTextCommandLineNoDestination));

    bool nothingSaved = false;
    std::string setProblem; // why an icon set is incomplete (or, when nothing was saved, missing)
    {
        BusyCursor busy(host);
        const std::string typeWord = args.typeWord.empty() ? ExtensionWord(destination) : args.typeWord;
        OutputCodes codes = MapOutputWords(typeWord, args.dbfTypeWord, args.htmlImageWord);
        // An icon file cannot hold a composed picture.
        if (args.allAsOne && codes.fileType == OutputKind::Icon) codes.fileType = OutputKind::Bmp;
        const bool document = codes.fileType != OutputKind::Icon && !IsPictureFormat(codes.fileType);
        int iconNumber = args.iconNumber;
        if (args.allAsOne || document) iconNumber = 0;

        if (args.iconSet) {
            const IconSetRun run = SaveIconSets(source, destination, args.iconNumber, args.iconName,
                                                args.iconTheme ? IconSetLayout::Theme : IconSetLayout::Flat);
            result.count = run.written;
            setProblem = run.problem;
            if (result.count > 0 && !setProblem.empty()) host.ShowWarning(setProblem);
            if (result.count > 0 && args.openDestination) host.OpenSavedFile(destination, {});
        } else if (iconNumber >= 1) {
            result.singleIcon = true;
            result.count = host.SaveIcon(iconNumber - 1, destination, codes.fileType, args.grayScale);
            if (result.count > 0 && args.openDestination) host.OpenSavedFile(destination, codes.typeWord);
        } else if (args.allAsOne) {
            host.SaveAllAsOne(destination, codes.fileType, args.grayScale);
            if (args.openDestination) host.OpenSavedFile(destination, codes.typeWord);
        } else {
            SaveAllRequest request;
            request.srcFileName = source;
            // SaveAll creates the picture folder itself when the first file goes into it, so a
            // source without icons leaves no empty folder behind.
            request.destDir = TargetFolder(destination, codes.fileType);
            request.destFileName = destination;
            request.destExt = "." + codes.typeWord;
            request.dbfFieldName = args.dbfFieldName;
            request.fileType = codes.fileType;
            request.dbfType = codes.dbfType;
            request.includeNumbers = args.includeNumbers;
            request.drawBorders = args.drawBorders;
            request.grayScale = args.grayScale;
            request.small = args.small;
            request.targetImageType = codes.targetImageType;
            request.overwrite = OverwritePolicy::Replace; // the command line never asks
            DialogAnswer confirmResult = DialogAnswer::None;
            host.SaveAll(request, result.count, confirmResult);
            if (result.count > 0 && args.openDestination && document) host.OpenSavedFile(destination, codes.typeWord);
        }
        nothingSaved = (args.iconSet || !args.allAsOne) && result.count == 0;
    }
    if (nothingSaved) return fail(setProblem.empty() ? NothingToSaveText(source) : setProblem);

    result.outcome = CommandLineOutcome::Exported;
    if (args.closeWhenDone)
        host.Close();
    else if (args.iconSet || !args.allAsOne)
        host.ShowInformation(FormatText(InterfaceText(kTextCommandLineSuccess), static_cast<long long>(result.count)));
    return result;
}

} // namespace glyphora
