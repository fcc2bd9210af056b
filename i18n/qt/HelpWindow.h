// The help window of systems without the HTML Help control: the pages of one compiled help
// file in a text browser, with the file's contents tree and index beside them, back and
// forward, and links between pages. Pages, style sheets and pictures are all read from the
// help file; links that leave it open in the desktop's browser.
#pragma once

#include "i18n/qt/ChmArchive.h"

#include <QMainWindow>
#include <QTextBrowser>

#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace glyphora {

// A text browser whose resources come from a help file; its addresses are "chm:/page.htm".
class HelpBrowser final : public QTextBrowser {
public:
    // missingNote: the page shown for an address the file lacks; "%1" takes the address.
    HelpBrowser(const ChmArchive& archive, QString missingNote, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmArchive& archive_;
    QString missingNote_;
};

// The viewer's own message for a file it cannot read as a help file ("%1" takes the file), in
// the viewer's language for lcid (Ukrainian, else English): the words of the window, not of
// the program's language packs.
QString UnreadableHelpFileMessage(std::uint32_t lcid);

class HelpWindow final : public QMainWindow {
public:
    explicit HelpWindow(ChmArchive archive, QWidget* parent = nullptr);

    // The scheme of the browser's addresses.
    static QString Scheme() { return QStringLiteral("chm"); }
    // The address of a page inside the help file ("/export.htm#x" gives "chm:/export.htm#x").
    static QUrl PageUrl(const std::string& page);

    // Shows the file's default page (the first page of its contents when it names none).
    void ShowContents();
    // Shows a page ("/export.htm", optionally with a fragment); when the file has no such
    // page, a note saying so takes its place. False in that case.
    bool ShowPage(const std::string& page);
    // The page shown, without fragment, such as "/export.htm".
    std::string CurrentPage() const;
    // Whether the text shown is the note about a missing page.
    bool ShowsMissingPage() const;

    const ChmArchive& Archive() const { return archive_; }
    // The file's default page as ShowContents opens it.
    std::string DefaultPage() const;

    QTabWidget* navigationTabs;
    QTreeWidget* contentsTree;
    QLineEdit* indexFilter;
    QListWidget* indexList;
    HelpBrowser* browser;
    QAction* backAction;
    QAction* forwardAction;
    QAction* homeAction;

private:
    void BuildContents();
    void BuildIndex();
    void OpenLink(const QUrl& link);
    void OpenUrl(const QUrl& url);
    void SelectContentsEntry(const QUrl& url);
    void FilterIndex(const QString& text);
    void OpenIndexEntry();

    ChmArchive archive_;
    QString title_;
};

} // namespace glyphora
