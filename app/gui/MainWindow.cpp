// The main window: its layout and parts, the current file, the recent list, the grid's
// commands, help and the command line.
#include "app/gui/MainWindow.h"

#include "app/gui/ActionManager.h"
#include "app/gui/AuxiliaryWindows.h"
#include "app/gui/FileTypeIconNote.h"
#include "app/gui/FindPane.h"
#include "app/gui/LanguageSwitcher.h"
#include "app/gui/PrintController.h"
#include "app/gui/QtDialogService.h"
#include "app/gui/SaveController.h"
#include "app/gui/SelectionReport.h"
#include "app/gui/SiteLabel.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "app/gui/WindowHost.h"
#include "app/gui/WindowSettingsIo.h"
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"
#include "i18n/qt/SystemHelpViewer.h"
#include "iconengine/IconRendering.h"
#include "platform/Files.h"
#include "platform/ProgramPaths.h"
#include "platform/qt/QtImageConversion.h"
#include "raster/RasterDraw.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <exception>

namespace glyphora {

namespace {

constexpr int kMinimumWidth = 526;
constexpr int kMinimumHeight = 455;
constexpr int kToolbarHeight = 33;
constexpr int kFindStripHeight = 41;

// The open dialog's filter: every file the window reads first, then the executables,
// libraries and ActiveX files, the icon files, and any file last.
std::string OpenDialogFilter()
{
    const std::string kinds = InterfaceText(kTextOpenFilter);
    const std::string icons = InterfaceText(kTextIconFilter);
    std::string filter = InterfaceText(kTextAllSupportedFilter) + "|";
    // The last pair of the pack's list is "any file": the icon files go before it.
    std::size_t lastPair = kinds.rfind('|');
    if (lastPair != std::string::npos && lastPair > 0) lastPair = kinds.rfind('|', lastPair - 1);
    if (lastPair == std::string::npos) return filter + kinds + "|" + icons;
    return filter + kinds.substr(0, lastPair) + "|" + icons + kinds.substr(lastPair);
}

} // namespace

QSize WindowMinimumSize(QSize design, QSize available, QMargins frame)
{
    const QSize outer = available.isValid() && !available.isEmpty() ? design.boundedTo(available) : design;
    return outer.shrunkBy(frame).expandedTo(QSize(0, 0));
}

MainWindow::MainWindow(std::vector<std::string> arguments, DialogService* dialogs, SettingsStorage* settingsStorage,
                       std::filesystem::path packFolder)
    : arguments_(std::move(arguments)),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogService>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get())
{
    systemHelpViewer_ = MakeSystemHelpViewer(*dialogs_);
    help_.SetViewer(systemHelpViewer_.get());
    chooseHelpFile(0, false);
    if (ownDialogs_) ownDialogs_->setHelp(&help_);

    setWindowTitle(QApplication::applicationDisplayName());
    fitMinimumToFrame(); // again once the window system has given the window its frame

    auto* central = new QWidget(this); // toolbar strip, grid and find strip in one column
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* toolbarStrip = new QFrame(central);
    toolbarStrip->setFrameShape(QFrame::StyledPanel);
    toolbarStrip->setFrameShadow(QFrame::Raised);
    toolbarStrip->setFixedHeight(kToolbarHeight);
    column->addWidget(toolbarStrip);
    gridView_ = new IconGridView(central);
    gridView_->setObjectName(QStringLiteral("gridView"));
    gridView_->grid()->SetFileTypeIcons(fileTypeIcons_);
    column->addWidget(gridView_, 1);
    auto* findStrip = new QFrame(central);
    findStrip->setMinimumHeight(kFindStripHeight);
    column->addWidget(findStrip);
    setCentralWidget(central);

    actions_ = new ActionManager(this, [this](const std::function<void()>& command) { runGuarded(command); });
    actions_->addToolbar(toolbarStrip);
    new SiteLabel(GLYPHORA_HOMEPAGE_URL, toolbarStrip); // owned by the strip
    // The find pane fills the find strip and goes below the upper area, with the splitter
    // between them.
    findPane_ = new FindPane(*this, *actions_, findStrip);
    setCentralWidget(findPane_->withUpperArea(takeCentralWidget()));

    statusPanels_ = std::make_unique<StatusPanels>(statusBar());
    statusPanels_->fitToWidth(width());
    statusBar()->setSizeGripEnabled(true);

    const IconGrid& grid = *gridView_->grid();
    saves_ = std::make_unique<SaveController>(*dialogs_, grid, settings_, exportSettings_);
    saves_->setReport([this](const std::string& text) { setStandingHint(text); });
    printing_ = std::make_unique<PrintController>(*this, *dialogs_, grid, saves_->saveDialogFolder());
    auxiliary_ = std::make_unique<AuxiliaryWindows>(
        *this, *dialogs_, grid, settings_, *actions_->action(Command::ShowIconWindow), [this] { return closing_; });
    languages_ = std::make_unique<LanguageSwitcher>(
        *actions_, *dialogs_, settings_, !arguments_.empty(), packFolder.empty() ? PackFolder() : std::move(packFolder),
        LanguageSwitcher::Window{
            [this] { applyLanguageTexts(); },
            [this](int language, bool reportMissing) { chooseHelpFile(language, reportMissing); }});
    settingsIo_ = std::make_unique<WindowSettingsIo>(
        settingsStorage, WindowSettingsParts{*this, settings_, exportSettings_, recent_, *findPane_});
    connectCommands();

    gridView_->grid()->SetText(InterfaceText(kTextEmptyGridHint));
    gridView_->grid()->SetUnableToLoadOrFindIconsMsg(InterfaceText(kTextNoIconsInFile));
    gridView_->SetOnSelectItem([this](int index) { showSelection(index); });
    gridView_->SetOnDropFiles([this](int, int, const QStringList& files) { openDroppedFiles(files); });
    connect(findPane_, &FindPane::filesDropped, this, &MainWindow::openDroppedFiles);
    setIconSize(IconSizing::Large);
    loadSettings();
    // A window starts without a pack and loads the pack of its language setting, with the
    // English fallback of a first load.
    ReleaseLanguagePack();
    languages_->switchTo(std::nullopt);
    rebuildRecentMenu();

    if (arguments_.empty()) SelectFile(ProgramFilePath());
    gridView_->setFocus();
}

// Closing is always allowed.
void MainWindow::closeEvent(QCloseEvent* event)
{
    help_.CloseAllHelp();
    closing_ = true;
    settingsIo_->save();
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow()
{
    auxiliary_.reset(); // the separate icon window goes first
}

// What each command does; the action library defines the commands themselves. The find pane
// sets the handlers of its own commands.
void MainWindow::connectCommands()
{
    ActionManager& a = *actions_;
    a.setHandler(Command::Open, [this] { openFile(); });
    a.setHandler(Command::SaveSelected, [this] { saves_->saveSelected(); });
    a.setHandler(Command::SaveAllAsOneImage, [this] { saves_->saveAllAsOneImage(); });
    a.setHandler(Command::SaveIconSet, [this] { saves_->saveIconSet(); });
    a.setMemberHandler(Command::SaveAllAs, [this](int member) { saves_->saveAll(PictureKindAt(member)); });
    a.setHandler(Command::ExportHtml, [this] { saves_->exportDocument(ExportKind::Html); });
    a.setHandler(Command::ExportDbase, [this] { saves_->exportDocument(ExportKind::Dbase); });
    a.setHandler(Command::ExportPdf, [this] { saves_->exportDocument(ExportKind::Pdf); });
    a.setHandler(Command::ExportXlsx, [this] { saves_->exportDocument(ExportKind::Xlsx); });
    a.setHandler(Command::Copy, [this] { copySelected(); });
    a.setHandler(Command::Print, [this] { printing_->print(); });
    a.setHandler(Command::Refresh, [this] { refreshIcons(); });
    a.setMemberHandler(Command::Language, [this](int language) { languages_->switchTo(language); });
    a.setCheckHandler(Command::ShowIconWindow, [this](bool checked) { auxiliary_->setShowSeparateWindow(checked); });
    // Clicking the checked small-size item removes its mark, which means large icons again.
    a.setHandler(Command::LargeIcons, [this] { setIconSize(IconSizing::Large); });
    a.setCheckHandler(Command::SmallIcons,
                      [this](bool checked) { setIconSize(checked ? IconSizing::Small : IconSizing::Large); });
    // Nothing is written before the window closes.
    a.setCheckHandler(Command::SaveToRegistry, [this](bool checked) { settings_.settingsInRegistry = checked; });
    a.setHandler(Command::Help, [this] { showHelpContents(); });
    a.setHandler(Command::About, [this] { auxiliary_->showAbout(); });
}

// The stores' settings, and the menus and the grid brought in line with them.
void MainWindow::loadSettings()
{
    settingsIo_->load();
    rebuildRecentMenu();
    actions_->action(Command::SaveToRegistry)->setChecked(settings_.settingsInRegistry);
    actions_->action(Command::ShowIconWindow)->setChecked(settings_.showSeparateWindow);
    setIconSize(settings_.smallIcons ? IconSizing::Small : IconSizing::Large);
}

// The order is that of the pack's identifier table for the main window. The open and folder
// dialogs (708, 802, 707) are made when they are shown and read their title and filter then.
void MainWindow::applyLanguageTexts()
{
    // The grid's hint has no short part: nothing pops up over the icons, the status bar
    // shows the text.
    gridView_->setToolTip(QString());
    gridView_->setStatusTip(gridHintShown_ ? PackText(kTextEmptyGridHint) : QString());
    IconGrid* grid = gridView_->grid();
    grid->SetText(LangString(kTextEmptyGridHint));
    grid->SetUnableToLoadOrFindIconsMsg(LangString(kTextNoIconsInFile));
    // The commands' captions and hints, the menus' titles, the find pane's own controls.
    actions_->applyPackTexts();
    findPane_->applyPackTexts();
    auxiliary_->applyPackTexts(); // a separate window that is open speaks the new language too

    // The note on the open file is said again in the new language.
    if (!fileTypeNote_.empty() && standingHint_ == fileTypeNote_) {
        fileTypeNote_ = FileTypeIconNote(fileName_);
        setStandingHint(fileTypeNote_);
    }
    // The report panels are as wide as their texts need in the new wording.
    statusPanels_->fitToWidth(width());
    showSelection(grid->ItemIndex());
    grid->update();
}

void MainWindow::setStatusText(const std::string& text)
{
    setStandingHint(text);
}

void MainWindow::setStandingHint(const std::string& text)
{
    standingHint_ = text;
    setStatus(StatusPanel::Hint, text);
}

void MainWindow::saveFiles(OutputKind outputKind, const std::vector<std::filesystem::path>& files)
{
    saves_->saveAllFiles(outputKind, files);
}

void MainWindow::runGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        dialogs_->Show(e.what(), MessageIcon::Error, MessageButtons::Ok);
    }
}

void MainWindow::setStatus(StatusPanel panel, const std::string& text)
{
    statusPanels_->setText(panel, text);
}

void MainWindow::enableFileButtons()
{
    actions_->setCondition(Condition::FileHasIcons, gridView_->grid()->Count() > 0);
}

void MainWindow::SelectFile(const std::filesystem::path& fileName)
{
    setStatus(StatusPanel::Images, {});
    setStatus(StatusPanel::ColorDepth, {});
    WaitCursor wait;
    IconGrid* grid = gridView_->grid();
    grid->SetFileName(fileName);
    fileName_ = fileName;
    // The desktop adds the program's name to the title, so the title names the file alone.
    setWindowTitle(QString::fromStdString(fileName.filename().string()));
    setStatus(StatusPanel::Position, {});
    const int count = grid->Count();
    enableFileButtons();
    if (count > 0) grid->SetItemIndex(0);
    // The file-type icon stands in for icons the file does not have: say why it is shown,
    // and take the note back for a file with icons.
    if (count > 0 && grid->Associated()) {
        fileTypeNote_ = FileTypeIconNote(fileName);
        setStandingHint(fileTypeNote_);
    } else if (!fileTypeNote_.empty()) {
        if (standingHint_ == fileTypeNote_) setStandingHint({});
        fileTypeNote_.clear();
    }
    exportSettings_.columnCount = ColumnCountFor(grid->ColCount(), count);
    recent_.Add(fileName_.string());
    rebuildRecentMenu();
    repaint();
}

void MainWindow::rebuildRecentMenu()
{
    actions_->setRecentFiles(
        recent_.Entries(), [this](const std::string& path) { SelectFile(path); },
        [this](const std::string& path) { setStatus(StatusPanel::Hint, path); });
}

void MainWindow::showSelection(int index)
{
    IconGrid* grid = gridView_->grid();
    const SelectionStatus status =
        ReportSelection(index, grid->Count(), fileName_, index >= 0 ? &grid->GetIcon(index) : nullptr);
    setStatus(StatusPanel::Position, status.position);
    setStatus(StatusPanel::Images, status.images);
    setStatus(StatusPanel::ColorDepth, status.colorDepth);
    if (index >= 0) auxiliary_->updateIconWindow(index);
}

void MainWindow::openFile()
{
    OpenFileRequest request;
    request.title = InterfaceText(kTextOpenDialogTitle);
    request.filter = OpenDialogFilter();
    request.initialDir = openDialogFolder_;
    const std::optional<std::filesystem::path> chosen = dialogs_->OpenFile(request);
    if (!chosen) return;
    openDialogFolder_ = chosen->parent_path();
    if (saves_->saveDialogFolder().empty()) saves_->saveDialogFolder() = openDialogFolder_;
    if (chosen->native() != fileName_.native()) SelectFile(*chosen);
    gridView_->setFocus();
}

void MainWindow::refreshIcons()
{
    gridView_->grid()->Refresh();
}

void MainWindow::copySelected()
{
    const IconGrid* grid = gridView_->grid();
    if (!CheckSelection(*grid, *dialogs_)) return;
    const IconHandle& icon = grid->GetIcon(grid->ItemIndex());
    const IconMaskSize size = GetIconSize(icon);
    Bitmap bitmap(size.width, size.height, 24, kWhite);
    DrawIcon(bitmap, icon, 0, 0);
    QGuiApplication::clipboard()->setImage(ImageFromBitmap(bitmap));
}

void MainWindow::setIconSize(IconSizing sizing)
{
    const bool small = sizing == IconSizing::Small;
    actions_->action(Command::LargeIcons)->setChecked(!small);
    actions_->action(Command::SmallIcons)->setChecked(small);
    settings_.smallIcons = small;
    IconGrid* grid = gridView_->grid();
    // The icons are read again at the new size; the icon the user had selected stays
    // selected (the first one when there was none).
    const int selected = grid->ItemIndex();
    grid->SetIconSizing(sizing);
    grid->update();
    setStatus(StatusPanel::Position, {});
    enableFileButtons();
    const int count = grid->Count();
    if (count > 0) grid->SetItemIndex(selected >= 0 && selected < count ? selected : 0);
}

void MainWindow::openDroppedFiles(const QStringList& files)
{
    if (files.isEmpty()) return;
    // The files come from another program: the window comes to the front to show them, and
    // the grid's hint, which invites a drop, has done its work.
    raise();
    activateWindow();
    gridHintShown_ = false;
    gridView_->setStatusTip(QString());
    SelectFile(files.front().toStdString());
    if (files.size() > 1)
        dialogs_->Show(InterfaceText(kTextOnlyFirstDroppedFile), MessageIcon::Information, MessageButtons::Ok);
}

void MainWindow::showHelpContents()
{
    runHelp({});
}

void MainWindow::runHelp(std::string_view topic)
{
    runGuarded([this, topic] { help_.RunHelp(topic); });
}

void MainWindow::chooseHelpFile(int language, bool reportMissing)
{
    // The help files ship together, so the folder of the English one holds the Ukrainian too.
    help_.SetHelpFile(ChooseHelpFile(DataFolderHolding(HelpFileName(0)), language, reportMissing, *dialogs_));
}

// A new font or style changes what the status texts need: the panels are laid out again.
void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (statusPanels_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        statusPanels_->fitToWidth(width());
}

// A control's long hint (its status tip) goes to the first status panel, unless it holds a
// line break or a tab, as hints made for a tooltip do. The pointer leaving the control (an
// empty hint) brings back what the panel said before hints came: what a save wrote, the note
// on the open file, the scan's progress; a dialog opening over the pointer would otherwise
// wipe that at once.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty())
            setStatus(StatusPanel::Hint, standingHint_);
        else if (!tip.contains(QLatin1Char('\r')) && !tip.contains(QLatin1Char('\n')) &&
                 !tip.contains(QLatin1Char('\t')))
            setStatus(StatusPanel::Hint, tip.toStdString());
        return true;
    }
    return QMainWindow::event(event);
}

// The design's minimum is the outer size, frame included, and Qt's minimum is that of the
// client area: the frame's margins come off. The window system reports them only once the
// window is shown and framed (a window manager frames it after mapping, and moves it as it
// does), so this runs at creation, when shown and when moved. A window still at the old
// minimum (as it starts) shrinks with it, so it starts at the design size.
void MainWindow::fitMinimumToFrame()
{
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize minimum = WindowMinimumSize(QSize(kMinimumWidth, kMinimumHeight),
                                            screen() ? screen()->availableGeometry().size() : QSize(), frame);
    if (minimum == minimumSize() && fittedOnce_) return;
    const bool atMinimum = !fittedOnce_ || size() == minimumSize();
    fittedOnce_ = true;
    setMinimumSize(minimum);
    if (atMinimum && !isMaximized() && !isFullScreen()) resize(minimum);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitMinimumToFrame();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitMinimumToFrame();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    statusPanels_->fitToWidth(width());
}

void MainWindow::postRunCommandLine()
{
    if (commandLinePosted_) return;
    commandLinePosted_ = true;
    QTimer::singleShot(0, this, [this] { runCommandLine(); });
}

void MainWindow::runCommandLine()
{
    WindowHost host(*this);
    runGuarded([&] { RunCommandLine(arguments_, host); });
}

} // namespace glyphora
