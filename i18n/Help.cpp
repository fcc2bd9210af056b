// Help file choice, topic pages and the window's help state.
#include "i18n/Help.h"

#include "i18n/BuiltInTexts.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "platform/Files.h"

namespace glyphora {

std::string HelpFileName(int languageIndex)
{
    return languageIndex == 1 ? "ukrainian.chm" : "english.chm";
}

std::string HelpTopicPage(std::string_view topic)
{
    std::string_view suffix;
    if (const std::size_t bar = topic.find('|'); bar != std::string_view::npos) {
        suffix = topic.substr(bar + 1);
        topic = topic.substr(0, bar);
    }
    if (topic.empty()) return {};
    std::string page = "/";
    page += topic;
    page += ".htm";
    page += suffix;
    return page;
}

bool ReportMissingHelpFile(bool chosenFromMenu, bool firstStart, int requestedLanguage)
{
    return chosenFromMenu || (firstStart && (requestedLanguage == 0 || requestedLanguage == 1));
}

std::filesystem::path ChooseHelpFile(const std::filesystem::path& folder, int language, bool reportMissing,
                                     MessageDialogs& dialogs)
{
    const std::string candidate = HelpFileName(language);
    if (FileExists(folder / candidate)) return folder / candidate;
    if (reportMissing) {
        const std::string text =
            FormatText(InterfaceText(kTextFileNotFound), candidate) + "\n" + InterfaceText(kTextFindOnWebPage);
        dialogs.Show(text, MessageIcon::Error, MessageButtons::Ok);
    }
    return folder / HelpFileName(0);
}

void HelpService::RunHelp(std::string_view topic)
{
    if (!viewer_) return;
    const std::string page = HelpTopicPage(topic);
    if (page.empty())
        viewer_->ShowContents(helpFile_);
    else
        viewer_->ShowTopic(helpFile_, page);
}

void HelpService::CloseAllHelp()
{
    if (viewer_) viewer_->CloseAll();
}

} // namespace glyphora
