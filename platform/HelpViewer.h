// The help viewer as the program sees it: show a help file's contents, show one page of it,
// close every help window. On Windows the system's HTML Help control provides it; on other
// systems the program's own help window does. The window reaches it through a HelpService
// (i18n/Help.h), so tests can put a recording viewer in its place.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace glyphora {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;

    // Shows helpFile with its table of contents and its default page.
    virtual void ShowContents(const std::filesystem::path& helpFile) = 0;
    // Shows one page of helpFile: a path inside the file with an optional fragment, such as
    // "/export.htm" or "/command-line.htm#switches".
    virtual void ShowTopic(const std::filesystem::path& helpFile, const std::string& page) = 0;
    // Closes every help window this viewer opened; costs nothing when none was opened.
    virtual void CloseAll() = 0;
};

#ifdef _WIN32
// The HTML Help control (hhctrl.ocx), loaded on the first request that shows something.
std::unique_ptr<HelpViewer> MakeHtmlHelpViewer();
#endif

} // namespace glyphora
