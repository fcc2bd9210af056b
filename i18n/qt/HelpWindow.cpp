// The help window.
#include "i18n/qt/HelpWindow.h"

#include "i18n/HelpSitemap.h"

#include <QAction>
#include <QDesktopServices>
#include <QHash>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace glyphora {

namespace {

constexpr int kPageRole = Qt::UserRole;

// The window's own words follow the language of the help file it shows, not the
// interface language, so a Ukrainian help file reads Ukrainian throughout.
struct ViewerTexts {
    const char* back;
    const char* forward;
    const char* home;
    const char* contents;
    const char* index;
    const char* missingNote;
    const char* unreadableFile;
};

const ViewerTexts& TextsFor(std::uint32_t lcid)
{
    static const ViewerTexts english{
        "Back",
        "Forward",
        "Home",
        "Contents",
        "Index",
        "<h1>Page not found</h1><p>This help file has no page <code>%1</code>.</p>",
        "The help file\n%1\ncannot be read: it is damaged or it is no compiled help file."};
    static const ViewerTexts ukrainian{
        "Назад",
        "Уперед",
        "Початок",
        "Зміст",
        "Покажчик",
        "<h1>Сторінку не знайдено</h1><p>У цьому файлі довідки немає сторінки <code>%1</code>.</p>",
        "Не вдається прочитати файл довідки\n%1\nВін пошкоджений або не є скомпільованим файлом довідки."};
    return (lcid & 0x3FF) == 0x22 ? ukrainian : english;
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style)
{
    return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
}

// The page of an address without its fragment, in the form the contents use.
QString PageKey(const QUrl& url)
{
    return url.path(QUrl::FullyDecoded).toLower();
}

} // namespace

QString UnreadableHelpFileMessage(std::uint32_t lcid)
{
    return QString::fromUtf8(TextsFor(lcid).unreadableFile);
}

HelpBrowser::HelpBrowser(const ChmArchive& archive, QString missingNote, QWidget* parent)
    : QTextBrowser(parent), archive_(archive), missingNote_(std::move(missingNote))
{}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != HelpWindow::Scheme()) return {}; // nothing is fetched from outside the help file
    const QString path = url.path(QUrl::FullyDecoded);
    if (const auto data = archive_.Read(path.toStdString()))
        return QByteArray(data->data(), static_cast<qsizetype>(data->size()));
    if (type == QTextDocument::HtmlResource) return missingNote_.arg(path.toHtmlEscaped());
    return {};
}

HelpWindow::HelpWindow(ChmArchive archive, QWidget* parent) : QMainWindow(parent), archive_(std::move(archive))
{
    const ViewerTexts& texts = TextsFor(archive_.Info().lcid);
    title_ = archive_.Info().title.empty() ? QString::fromStdString(archive_.Path().filename().string())
                                           : FromUtf8(archive_.Info().title);
    setWindowTitle(title_);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(880, 580);

    browser = new HelpBrowser(archive_, QString::fromUtf8(texts.missingNote), this);
    browser->setOpenLinks(false); // every link goes through OpenLink
    connect(browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { OpenLink(link); });
    connect(browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        SelectContentsEntry(url);
        // The page's title before the file's, once: the contents page is usually titled as the
        // file is. (The desktop adds the program's name after it.)
        const QString pageTitle = browser->documentTitle();
        const bool sameTitle = pageTitle.compare(title_, Qt::CaseInsensitive) == 0;
        setWindowTitle(pageTitle.isEmpty() || sameTitle ? title_ : pageTitle + QStringLiteral(" - ") + title_);
    });

    const QStyle* s = style();
    QToolBar* toolbar = addToolBar(QString());
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backAction = toolbar->addAction(ThemeIcon("go-previous", QStyle::SP_ArrowBack, s), QString::fromUtf8(texts.back));
    backAction->setShortcut(QKeySequence::Back);
    backAction->setEnabled(false);
    forwardAction =
        toolbar->addAction(ThemeIcon("go-next", QStyle::SP_ArrowForward, s), QString::fromUtf8(texts.forward));
    forwardAction->setShortcut(QKeySequence::Forward);
    forwardAction->setEnabled(false);
    homeAction = toolbar->addAction(ThemeIcon("go-home", QStyle::SP_DirHomeIcon, s), QString::fromUtf8(texts.home));
    connect(backAction, &QAction::triggered, browser, &QTextBrowser::backward);
    connect(forwardAction, &QAction::triggered, browser, &QTextBrowser::forward);
    connect(homeAction, &QAction::triggered, this, [this] { ShowContents(); });
    connect(browser, &QTextBrowser::backwardAvailable, backAction, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardAction, &QAction::setEnabled);

    navigationTabs = new QTabWidget(this);
    contentsTree = new QTreeWidget(navigationTabs);
    contentsTree->setHeaderHidden(true);
    contentsTree->setColumnCount(1);
    navigationTabs->addTab(contentsTree, QString::fromUtf8(texts.contents));

    auto* indexPage = new QWidget(navigationTabs);
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexFilter = new QLineEdit(indexPage);
    indexFilter->setClearButtonEnabled(true);
    indexList = new QListWidget(indexPage);
    indexLayout->addWidget(indexFilter);
    indexLayout->addWidget(indexList);
    navigationTabs->addTab(indexPage, QString::fromUtf8(texts.index));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(navigationTabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 620});
    setCentralWidget(splitter);

    connect(contentsTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString page = item->data(0, kPageRole).toString();
        if (!page.isEmpty()) OpenLink(QUrl(page));
    });
    connect(contentsTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString page = item->data(0, kPageRole).toString();
        if (!page.isEmpty())
            OpenLink(QUrl(page));
        else
            item->setExpanded(!item->isExpanded());
    });
    connect(indexFilter, &QLineEdit::textEdited, this, [this](const QString& text) { FilterIndex(text); });
    connect(indexFilter, &QLineEdit::returnPressed, this, [this] { OpenIndexEntry(); });
    connect(indexList, &QListWidget::itemActivated, this, [this] { OpenIndexEntry(); });

    BuildContents();
    BuildIndex();
    if (indexList->count() == 0) navigationTabs->setTabEnabled(1, false);
}

QUrl HelpWindow::PageUrl(const std::string& page)
{
    const std::size_t hash = page.find('#');
    QUrl url;
    url.setScheme(Scheme());
    url.setPath(FromUtf8(page.substr(0, hash)));
    if (hash != std::string::npos) url.setFragment(FromUtf8(page.substr(hash + 1)));
    return url;
}

std::string HelpWindow::DefaultPage() const
{
    const std::string& named = archive_.Info().defaultPage;
    if (!named.empty() && archive_.Contains(named)) return named;
    for (QTreeWidgetItemIterator it(contentsTree); *it; ++it) {
        const QString page = (*it)->data(0, kPageRole).toString();
        if (page.startsWith(Scheme() + QLatin1Char(':'))) return QUrl(page).path(QUrl::FullyDecoded).toStdString();
    }
    return named.empty() ? std::string("/index.htm") : named;
}

void HelpWindow::ShowContents()
{
    navigationTabs->setCurrentIndex(0);
    ShowPage(DefaultPage());
}

bool HelpWindow::ShowPage(const std::string& page)
{
    OpenUrl(PageUrl(HelpPagePath(page)));
    return !ShowsMissingPage();
}

std::string HelpWindow::CurrentPage() const
{
    return browser->source().path(QUrl::FullyDecoded).toStdString();
}

bool HelpWindow::ShowsMissingPage() const
{
    return !archive_.Contains(CurrentPage());
}

void HelpWindow::OpenLink(const QUrl& link)
{
    const QString text = link.toString();
    if (link.scheme() == QLatin1String("ms-its") || link.scheme() == QLatin1String("mk") ||
        text.contains(QLatin1String("::"))) {
        OpenUrl(PageUrl(HelpPagePath(text.toStdString())));
        return;
    }
    const QUrl url = link.isRelative() ? browser->source().resolved(link) : link;
    if (url.scheme() == Scheme()) {
        OpenUrl(url);
    } else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
               url.scheme() == QLatin1String("mailto")) {
        QDesktopServices::openUrl(url);
    }
}

void HelpWindow::OpenUrl(const QUrl& url)
{
    // Another fragment of the page shown only scrolls, and setting the address shown again
    // changes nothing, so the contents are brought in line here as well as on sourceChanged.
    browser->setSource(url, QTextDocument::HtmlResource);
    SelectContentsEntry(url);
}

void HelpWindow::SelectContentsEntry(const QUrl& url)
{
    const QString key = PageKey(url);
    for (QTreeWidgetItemIterator it(contentsTree); *it; ++it) {
        const QUrl page((*it)->data(0, kPageRole).toString());
        if (page.scheme() == Scheme() && PageKey(page) == key) {
            const QSignalBlocker blocker(contentsTree);
            contentsTree->setCurrentItem(*it);
            contentsTree->scrollToItem(*it);
            return;
        }
    }
}

void HelpWindow::BuildContents()
{
    std::string contentsFile = archive_.Info().contentsFile;
    if (contentsFile.empty())
        for (const std::string& path : archive_.ListFiles())
            if (path.size() > 4 && path.substr(path.size() - 4) == ".hhc") {
                contentsFile = path;
                break;
            }
    const auto data = contentsFile.empty() ? std::nullopt : archive_.Read(contentsFile, kMaxSitemapBytes);
    if (!data) return;
    const Sitemap sitemap = ParseSitemap(*data, archive_.Info().lcid);
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileIcon);

    // Depth first without recursion: each stack element is a list of entries, the next one
    // to add, and the tree item its entries go under (null for the top level).
    struct Level {
        const std::vector<SitemapEntry>* entries;
        std::size_t next;
        QTreeWidgetItem* parent;
    };
    std::vector<Level> stack{{&sitemap.entries, 0, nullptr}};
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next >= level.entries->size()) {
            stack.pop_back();
            continue;
        }
        const SitemapEntry& entry = (*level.entries)[level.next++];
        auto* item = level.parent ? new QTreeWidgetItem(level.parent) : new QTreeWidgetItem(contentsTree);
        item->setText(0, FromUtf8(entry.name));
        if (!entry.page.empty())
            item->setData(0, kPageRole,
                          entry.page.front() == '/' ? PageUrl(entry.page).toString() : FromUtf8(entry.page));
        item->setIcon(0, entry.children.empty() ? pageIcon : folderIcon);
        if (!entry.children.empty()) stack.push_back({&entry.children, 0, item});
    }
    contentsTree->expandToDepth(0);
}

void HelpWindow::BuildIndex()
{
    const std::string& indexFile = archive_.Info().indexFile;
    const auto data = indexFile.empty() ? std::nullopt : archive_.Read(indexFile, kMaxSitemapBytes);
    if (!data) return;
    const Sitemap sitemap = ParseSitemap(*data, archive_.Info().lcid);
    // Sub-entries follow their entry, indented.
    std::vector<std::pair<const std::vector<SitemapEntry>*, std::size_t>> stack{{&sitemap.entries, 0}};
    while (!stack.empty()) {
        auto& [entries, next] = stack.back();
        if (next >= entries->size()) {
            stack.pop_back();
            continue;
        }
        const SitemapEntry& entry = (*entries)[next++];
        const QString indent(static_cast<qsizetype>((stack.size() - 1) * 4), QLatin1Char(' '));
        auto* item = new QListWidgetItem(indent + FromUtf8(entry.name), indexList);
        if (!entry.page.empty())
            item->setData(kPageRole, entry.page.front() == '/' ? PageUrl(entry.page).toString() : FromUtf8(entry.page));
        if (!entry.children.empty()) stack.emplace_back(&entry.children, 0);
    }
}

void HelpWindow::FilterIndex(const QString& text)
{
    const QString wanted = text.trimmed();
    for (int row = 0; row < indexList->count(); ++row) {
        if (indexList->item(row)->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
            indexList->setCurrentRow(row);
            indexList->scrollToItem(indexList->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::OpenIndexEntry()
{
    if (const QListWidgetItem* item = indexList->currentItem()) {
        const QString page = item->data(kPageRole).toString();
        if (!page.isEmpty()) OpenLink(QUrl(page));
    }
}

} // namespace glyphora
