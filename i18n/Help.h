// The program's help: which help file serves a language, how a topic name becomes a page of
// that file, and the help state of the main window (the chosen file and the viewer it opens
// it with). The viewer itself is platform code behind HelpViewer.
#pragma once

#include "platform/HelpViewer.h"
#include "platform/MessageDialogs.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace glyphora {

// Topics the dialogs open with their help buttons.
inline constexpr std::string_view kHelpTopicExport = "export";
inline constexpr std::string_view kHelpTopicPrinting = "printing-icons";

// "ukrainian.chm" for language index 1, "english.chm" for every other index.
std::string HelpFileName(int languageIndex);

// The page a topic names inside its help file: "export" gives "/export.htm". A "|" in the
// topic ends the name; what follows it is appended to the page unchanged (so "x|#y" gives
// "/x.htm#y"). An empty name gives an empty page, which stands for the contents.
std::string HelpTopicPage(std::string_view topic);

// Whether a missing help file is reported: always when the language was chosen from the
// menu; at start-up only on the very first start and only for English or Ukrainian.
bool ReportMissingHelpFile(bool chosenFromMenu, bool firstStart, int requestedLanguage);

// The help file for a language: folder + HelpFileName(language) when that file exists,
// otherwise folder + "english.chm" whether or not it exists. When the file of the language
// is missing and reportMissing is set, an error box names it (text 605, then 612).
std::filesystem::path ChooseHelpFile(const std::filesystem::path& folder, int language, bool reportMissing,
                                     MessageDialogs& dialogs);

// The help of the main window: the chosen help file and the viewer that shows it. The
// viewer is not owned and must outlive the service.
class HelpService {
public:
    explicit HelpService(HelpViewer* viewer = nullptr) : viewer_(viewer) {}

    void SetViewer(HelpViewer* viewer) { viewer_ = viewer; }
    HelpViewer* Viewer() const { return viewer_; }

    void SetHelpFile(std::filesystem::path helpFile) { helpFile_ = std::move(helpFile); }
    const std::filesystem::path& HelpFile() const { return helpFile_; }

    // Shows the page of topic, or the contents when the topic names no page. Without a
    // viewer nothing happens.
    void RunHelp(std::string_view topic);
    void ShowContents() { RunHelp({}); }
    // Closes every help window; used when the main window closes.
    void CloseAllHelp();

private:
    HelpViewer* viewer_;
    std::filesystem::path helpFile_;
};

} // namespace glyphora
