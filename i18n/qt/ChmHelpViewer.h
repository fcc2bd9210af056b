// The help viewer of systems without the HTML Help control: one HelpWindow per help file,
// opened on the first request for that file and brought to the front on later ones. A help
// file that is missing or cannot be read is reported in a message box.
#pragma once

#include "platform/HelpViewer.h"
#include "platform/MessageDialogs.h"

#include <QPointer>

#include <filesystem>
#include <vector>

namespace glyphora {

class HelpWindow;

class ChmHelpViewer final : public HelpViewer {
public:
    // dialogs: where failures are reported; must outlive the viewer.
    explicit ChmHelpViewer(MessageDialogs& dialogs) : dialogs_(dialogs) {}
    ~ChmHelpViewer() override;
    ChmHelpViewer(const ChmHelpViewer&) = delete;
    ChmHelpViewer& operator=(const ChmHelpViewer&) = delete;

    void ShowContents(const std::filesystem::path& helpFile) override;
    void ShowTopic(const std::filesystem::path& helpFile, const std::string& page) override;
    void CloseAll() override;

    // The help windows open now.
    std::vector<HelpWindow*> Windows() const;

private:
    // The window of helpFile, opened when there is none yet; null (after a message) when the
    // file cannot be read.
    HelpWindow* WindowFor(const std::filesystem::path& helpFile);
    static void Present(HelpWindow* window);

    MessageDialogs& dialogs_;
    std::vector<QPointer<HelpWindow>> windows_;
};

} // namespace glyphora
