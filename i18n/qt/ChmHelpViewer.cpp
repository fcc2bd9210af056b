// Help windows per help file.
#include "i18n/qt/ChmHelpViewer.h"

#include "i18n/BuiltInTexts.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "i18n/qt/HelpWindow.h"
#include "platform/Files.h"
#include "platform/UserLanguage.h"

#include <QApplication>
#include <QWindow>

#include <algorithm>

namespace glyphora {

namespace {

// Two spellings of one file name the same window.
std::filesystem::path Key(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path.lexically_normal() : canonical;
}

} // namespace

ChmHelpViewer::~ChmHelpViewer()
{
    CloseAll();
}

void ChmHelpViewer::ShowContents(const std::filesystem::path& helpFile)
{
    if (HelpWindow* window = WindowFor(helpFile)) {
        window->ShowContents();
        Present(window);
    }
}

void ChmHelpViewer::ShowTopic(const std::filesystem::path& helpFile, const std::string& page)
{
    if (HelpWindow* window = WindowFor(helpFile)) {
        window->ShowPage(page);
        Present(window);
    }
}

void ChmHelpViewer::CloseAll()
{
    for (const QPointer<HelpWindow>& window : windows_)
        delete window.data();
    windows_.clear();
}

std::vector<HelpWindow*> ChmHelpViewer::Windows() const
{
    std::vector<HelpWindow*> open;
    for (const QPointer<HelpWindow>& window : windows_)
        if (window) open.push_back(window.data());
    return open;
}

HelpWindow* ChmHelpViewer::WindowFor(const std::filesystem::path& helpFile)
{
    std::erase_if(windows_, [](const QPointer<HelpWindow>& window) { return window.isNull(); });
    const std::filesystem::path key = Key(helpFile);
    for (const QPointer<HelpWindow>& window : windows_)
        if (Key(window->Archive().Path()) == key) return window.data();

    if (!FileExists(helpFile)) {
        dialogs_.Show(FormatText(InterfaceText(kTextFileNotFound), helpFile.string()), MessageIcon::Error,
                      MessageButtons::Ok);
        return nullptr;
    }
    auto archive = ChmArchive::Open(helpFile);
    if (!archive) {
        // The viewer's own words, as a system viewer speaks the system's language: the file
        // cannot tell its language when it cannot be read.
        const QString message =
            UnreadableHelpFileMessage(UserLanguageId()).arg(QString::fromStdString(helpFile.string()));
        dialogs_.Show(message.toStdString(), MessageIcon::Error, MessageButtons::Ok);
        return nullptr;
    }
    auto* window = new HelpWindow(std::move(*archive)); // a top-level window; deletes itself when closed
    windows_.emplace_back(window);
    return window;
}

void ChmHelpViewer::Present(HelpWindow* window)
{
    // While a modal dialog runs (a dialog's help button), the help window would be blocked
    // like every other window; as a transient child of the dialog it stays usable.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->windowHandle()) {
        window->winId();
        window->windowHandle()->setTransientParent(modal->windowHandle());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace glyphora
