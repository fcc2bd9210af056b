// The main window: layout, the current file, the recent list and the commands that are not
// save or export commands.
#include "app/gui/MainWindow.h"

#include "app/gui/FindPane.h"
#include "app/gui/MinimumCountBox.h"
#include "app/gui/QtDialogService.h"
#include "app/gui/SelectionReport.h"
#include "app/gui/ToolbarIcons.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "app/gui/WindowHost.h"
#include "export/ProgramFlags.h"
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"
#include "i18n/qt/SystemHelpViewer.h"
#include "iconengine/IconRendering.h"
#include "platform/Files.h"
#include "platform/ProgramPaths.h"
#include "raster/RasterDraw.h"
#include "platform/qt/QtImageConversion.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace glyphora {

namespace {

constexpr int kMinimumWidth = 526;
constexpr int kMinimumHeight = 455;
constexpr int kToolbarHeight = 33;
constexpr int kFindStripHeight = 41;

// A toolbar button at its place in the 33-pixel strip: 27 pixels high, 3 from the top.
template <typename Button>
Button* MakeButton(QWidget* parent, int x, int width, const QIcon& icon, const QString& tip)
{
    auto* button = new Button(parent); // owned by the toolbar strip
    button->setGeometry(x, 3, width, 27);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    return button;
}

} // namespace

QSize WindowMinimumSize(QSize design, QSize available)
{
    return available.isValid() && !available.isEmpty() ? design.boundedTo(available) : design;
}

MainWindow::MainWindow(std::vector<std::string> arguments, DialogService* dialogs, SettingsStorage* settingsStorage,
                       std::filesystem::path packFolder)
    : arguments_(std::move(arguments)),
      packFolder_(packFolder.empty() ? PackFolder() : std::move(packFolder)),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogService>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      modifiersQuery_([] { return QGuiApplication::queryKeyboardModifiers(); }),
      settingsStorage_(settingsStorage)
{
    CommandLineActive = false;
    ScanActive = false;
    MainWindowClosing = false;
    SetMessageDialogs(dialogs_);
    SetFileTypeIconProvider(&fileTypeIcons_);
    systemHelpViewer_ = MakeSystemHelpViewer(*dialogs_);
    help_.SetViewer(systemHelpViewer_.get());
    chooseHelpFile(0, false);
    if (ownDialogs_) ownDialogs_->setHelp(&help_);

    setWindowTitle(QApplication::applicationDisplayName());
    const QSize minimum = WindowMinimumSize(QSize(kMinimumWidth, kMinimumHeight),
                                            screen() ? screen()->availableGeometry().size() : QSize());
    setMinimumSize(minimum);
    resize(minimum);

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
    column->addWidget(gridView_, 1);
    auto* findStrip = new QFrame(central);
    findStrip->setMinimumHeight(kFindStripHeight);
    column->addWidget(findStrip);
    setCentralWidget(central);

    buildMenus();
    buildToolbar(toolbarStrip);

    // The find strip: the minimum-count box with its label and the find button (the find
    // pane shows and hides them). Laid out by a layout, so that a wider font, another style
    // or a longer caption in another language never runs the label under the box.
    auto* findRow = new QHBoxLayout(findStrip);
    findRow->setContentsMargins(8, 4, 8, 4);
    minimumCountLabel_ = new QLabel(QStringLiteral("Minimum number of icons"), findStrip);
    minimumCountBox_ = new MinimumCountBox(findStrip);
    minimumCountLabel_->setBuddy(minimumCountBox_);
    // The find button keeps to the strip's right end, as wide as its caption; in a narrow
    // window it gives way before the label does (its caption is then shortened).
    findButton_ = new PushButton(UiText(kTextShowFindPane, "Find files with icons inside >>"), findStrip);
    findButton_->setFixedHeight(25);
    findButton_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    findRow->addWidget(minimumCountLabel_);
    findRow->addWidget(minimumCountBox_);
    findRow->addStretch(1);
    findRow->addWidget(findButton_);

    // The find pane below the upper area, with the splitter between them; the pane adds its
    // folder button to the find strip (FindPane.cpp).
    findPane_ = new FindPane(*this, findStrip);
    setCentralWidget(findPane_->withUpperArea(takeCentralWidget()));

    statusPanels_ = std::make_unique<StatusPanels>(statusBar());
    statusPanels_->fitToWidth(width());
    statusBar()->setSizeGripEnabled(true);

    IconGrid* grid = gridView_->grid();
    grid->SetText(UiString(kTextEmptyGridHint, "Open a file, or drop one here, to see its icons."));
    grid->SetUnableToLoadOrFindIconsMsg(UiString(kTextNoIconsInFile, "Unable to load or find icons in this file."));
    gridView_->SetOnSelectItem([this](int index) { showSelection(index); });
    gridView_->SetOnDropFiles([this](int, int, const QStringList& files) { openDroppedFiles(files); });
    setIconSize(IconSizing::Large);
    nameControls();
    loadSettings();
    // A window starts without a pack and loads the pack of its language setting, with the
    // English fallback of a first load.
    ReleaseLanguagePack();
    switchLanguage(std::nullopt);

    std::error_code ec;
    saveDialogFolder_ = std::filesystem::current_path(ec);
    buildKeyboardCommands();
    rebuildRecentMenu();

    if (arguments_.empty()) SelectFile(ProgramFilePath());
    gridView_->setFocus();
}

// Closing is always allowed.
void MainWindow::closeEvent(QCloseEvent* event)
{
    help_.CloseAllHelp();
    MainWindowClosing = true;
    saveSettings();
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow()
{
    SetFileTypeIconProvider(nullptr);
    SetMessageDialogs(nullptr);
}

void MainWindow::buildMenus()
{
    recentFilesMenu_ = new QMenu(this);
    recentEmptyAction_ = new QAction(QStringLiteral("<Empty>"), this);
    recentEmptyAction_->setEnabled(false);

    saveMenu_ = new QMenu(this);
    saveSelectedAction_ = saveMenu_->addAction(UiText(kTextMenuSaveSelected, "Save &Selected"));
    saveAllAsOneImageAction_ = saveMenu_->addAction(UiText(kTextMenuSaveAllAsOneImage, "Save All as &One Image"));
    saveAllMenu_ = saveMenu_->addMenu(UiText(kTextMenuSaveAll, "Save &All"));
    saveIconSetAction_ = saveMenu_->addAction(UiText(kTextMenuSaveIconSet, "Save Icon Se&t..."));
    connect(saveIconSetAction_, &QAction::triggered, this, [this] { runGuarded([this] { saveIconSet(); }); });
    const std::pair<int, const char*> kinds[] = {
        {kTextMenuAsIcons, "as &Icons (*.ico)"},      {kTextMenuAsBitmaps, "as &Bitmap images (*.bmp)"},
        {kTextMenuAsJpeg, "as &JPEG images (*.jpg)"}, {kTextMenuAsMetafiles, "as &Metafiles (*.emf)"},
        {kTextMenuAsGif, "as &GIF (*.gif)"},          {kTextMenuAsPng, "as &PNG (*.png)"}};
    for (int tag = 0; tag < 6; ++tag) {
        QAction* item = saveAllMenu_->addAction(UiText(kinds[tag].first, kinds[tag].second));
        connect(item, &QAction::triggered, this, [this, tag] { runGuarded([this, tag] { saveAll(tag); }); });
        saveAllActions_.push_back(item);
    }
    saveAllMenu_->addSeparator();
    exportHtmlAction_ = saveAllMenu_->addAction(UiText(kTextMenuToHtml, "to HTML Document (*.htm, *.html)"));
    exportDbaseAction_ = saveAllMenu_->addAction(UiText(kTextMenuToDbf, "to dBase file (*.dbf)"));
    exportPdfAction_ = saveAllMenu_->addAction(UiText(kTextMenuToPdf, "to PDF Document (*.pdf)"));
    exportXlsxAction_ = saveAllMenu_->addAction(QStringLiteral("to Microsoft Excel Sheet (*.xlsx)"));
    connect(saveSelectedAction_, &QAction::triggered, this, [this] { runGuarded([this] { saveSelected(); }); });
    connect(saveAllAsOneImageAction_, &QAction::triggered, this,
            [this] { runGuarded([this] { saveAllAsOneImage(); }); });
    connect(exportHtmlAction_, &QAction::triggered, this, [this] { runGuarded([this] { exportHtml(); }); });
    connect(exportDbaseAction_, &QAction::triggered, this, [this] { runGuarded([this] { exportDbase(); }); });
    connect(exportPdfAction_, &QAction::triggered, this, [this] { runGuarded([this] { exportPdf(); }); });
    connect(exportXlsxAction_, &QAction::triggered, this, [this] { runGuarded([this] { exportXlsx(); }); });

    optionsMenu_ = new QMenu(this);
    buildLanguageMenu();
    optionsMenu_->addSeparator();
    showIconWindowAction_ =
        optionsMenu_->addAction(UiText(kTextMenuShowIconWindow, "Show Selected Icon In Separate &Window"));
    showIconWindowAction_->setCheckable(true);
    showIconWindowAction_->setChecked(settings_.showSeparateWindow);
    connect(showIconWindowAction_, &QAction::triggered, this,
            [this](bool checked) { runGuarded([this, checked] { setShowSeparateWindow(checked); }); });
    iconSizeMenu_ = optionsMenu_->addMenu(UiText(kTextMenuIconSize, "Icon &Size"));
    largeIconsAction_ = iconSizeMenu_->addAction(UiText(kTextMenuSize32, "32x32"));
    smallIconsAction_ = iconSizeMenu_->addAction(UiText(kTextMenuSize16, "16x16"));
    for (QAction* item : {largeIconsAction_, smallIconsAction_})
        item->setCheckable(true);
    // Clicking the checked small-size item removes its mark, which means large icons again.
    connect(largeIconsAction_, &QAction::triggered, this,
            [this] { runGuarded([this] { setIconSize(IconSizing::Large); }); });
    connect(smallIconsAction_, &QAction::triggered, this, [this](bool checked) {
        runGuarded([this, checked] { setIconSize(checked ? IconSizing::Small : IconSizing::Large); });
    });
    optionsMenu_->addSeparator();
    saveToRegistryAction_ = optionsMenu_->addAction(UiText(kTextMenuSaveToRegistry, "Save Setting to Registry"));
    saveToRegistryAction_->setCheckable(true);
    // Nothing is written before the window closes.
    connect(saveToRegistryAction_, &QAction::triggered, this,
            [this](bool checked) { settings_.settingsInRegistry = checked; });
}

void MainWindow::buildToolbar(QWidget* toolbarStrip)
{
    // Hints name the key that runs the same command.
    const auto hint = [](int id, const char* english, WindowCommand command) {
        return WithShortcutHint(UiText(id, english), command);
    };
    // The open button's arrow holds the recent files; its main part opens the file dialog.
    openButton_ = MakeButton<PopupButton>(toolbarStrip, 8, 40, ToolbarIcon(ToolbarGlyph::Open),
                                          hint(kTextHintOpen, "Open a file", WindowCommand::Open));
    openButton_->setSeparateDropDown(true);
    openButton_->setDropDown(recentFilesMenu_);
    connect(openButton_, &QAbstractButton::clicked, this, [this] { runGuarded([this] { openFile(); }); });

    saveButton_ = MakeButton<PopupButton>(toolbarStrip, 56, 40, ToolbarIcon(ToolbarGlyph::Save),
                                          hint(kTextHintSave, "Save icons", WindowCommand::SaveSelected));
    saveButton_->setDropDown(saveMenu_);
    copyButton_ =
        MakeButton<SoftButton>(toolbarStrip, 96, 27, ToolbarIcon(ToolbarGlyph::Copy),
                               hint(kTextHintCopy, "Copy the selected icon to the clipboard", WindowCommand::Copy));
    connect(copyButton_, &QAbstractButton::clicked, this, [this] { runGuarded([this] { copySelected(); }); });
    printButton_ = MakeButton<SoftButton>(toolbarStrip, 123, 27, ToolbarIcon(ToolbarGlyph::Print),
                                          hint(kTextHintPrint, "Print icons", WindowCommand::Print));
    connect(printButton_, &QAbstractButton::clicked, this, [this] { runGuarded([this] { print(); }); });
    refreshButton_ =
        MakeButton<SoftButton>(toolbarStrip, 158, 27, ToolbarIcon(ToolbarGlyph::Refresh),
                               hint(kTextHintRefresh, "Reload the icons of the open file", WindowCommand::Refresh));
    connect(refreshButton_, &QAbstractButton::clicked, this, [this] { runGuarded([this] { refreshIcons(); }); });
    optionsButton_ = MakeButton<PopupButton>(toolbarStrip, 193, 40, ToolbarIcon(ToolbarGlyph::Options),
                                             UiText(kTextHintOptions, "Options"));
    optionsButton_->setDropDown(optionsMenu_);
    helpButton_ = MakeButton<SoftButton>(toolbarStrip, 241, 27, ToolbarIcon(ToolbarGlyph::Help),
                                         hint(kTextHintHelp, "Help", WindowCommand::Help));
    connect(helpButton_, &QAbstractButton::clicked, this, [this] { showHelpContents(); });
    aboutButton_ = MakeButton<SoftButton>(toolbarStrip, 268, 27, ToolbarIcon(ToolbarGlyph::About),
                                          UiText(kTextHintAbout, "About Glyphora"));
    connect(aboutButton_, &QAbstractButton::clicked, this, [this] { runGuarded([this] { showAbout(); }); });
    for (SoftButton* button :
         std::initializer_list<SoftButton*>{saveButton_, copyButton_, printButton_, refreshButton_})
        button->setEnabled(false);
}

// Object names let style sheets, accessibility tools and tests find the controls by role.
void MainWindow::nameControls()
{
    const std::pair<QObject*, const char*> named[] = {
        {gridView_, "gridView"},
        {openButton_, "openButton"},
        {saveButton_, "saveButton"},
        {copyButton_, "copyButton"},
        {printButton_, "printButton"},
        {refreshButton_, "refreshButton"},
        {optionsButton_, "optionsButton"},
        {helpButton_, "helpButton"},
        {aboutButton_, "aboutButton"},
        {findButton_, "findButton"},
        {recentFilesMenu_, "recentFilesMenu"},
        {recentEmptyAction_, "recentEmptyAction"},
        {saveMenu_, "saveMenu"},
        {saveSelectedAction_, "saveSelectedAction"},
        {saveAllAsOneImageAction_, "saveAllAsOneImageAction"},
        {saveIconSetAction_, "saveIconSetAction"},
        {saveAllMenu_, "saveAllMenu"},
        {exportHtmlAction_, "exportHtmlAction"},
        {exportDbaseAction_, "exportDbaseAction"},
        {exportPdfAction_, "exportPdfAction"},
        {exportXlsxAction_, "exportXlsxAction"},
        {optionsMenu_, "optionsMenu"},
        {largeIconsAction_, "largeIconsAction"},
        {smallIconsAction_, "smallIconsAction"},
        {iconSizeMenu_, "iconSizeMenu"},
        {showIconWindowAction_, "showIconWindowAction"},
        {saveToRegistryAction_, "saveToRegistryAction"},
        {languageMenu_, "languageMenu"},
        {minimumCountLabel_, "minimumCountLabel"},
        {minimumCountBox_, "minimumCountBox"},
    };
    for (const auto& [object, name] : named)
        object->setObjectName(QString::fromLatin1(name));
}

void MainWindow::runGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        dialogs_->Show(e.what(), MessageIcon::Error, MessageButtons::Ok);
    }
}

void MainWindow::setStatus(int panel, const std::string& text)
{
    statusPanels_->setText(panel, text);
}

void MainWindow::enableFileButtons()
{
    const bool any = gridView_->grid()->Count() > 0;
    saveButton_->setEnabled(any);
    copyButton_->setEnabled(any);
    refreshButton_->setEnabled(any);
    printButton_->setEnabled(any);
}

void MainWindow::SelectFile(const std::filesystem::path& fileName)
{
    setStatus(2, {});
    setStatus(3, {});
    WaitCursor wait;
    IconGrid* grid = gridView_->grid();
    grid->SetFileName(fileName);
    fileName_ = fileName;
    // The desktop adds the program's name to the title, so the title names the file alone.
    setWindowTitle(QString::fromStdString(fileName.filename().string()));
    setStatus(1, {});
    const int count = grid->Count();
    enableFileButtons();
    if (count > 0) grid->SetItemIndex(0);
    exportSettings_.columnCount = ColumnCountFor(grid->ColCount(), count);
    recent_.Add(fileName_.string());
    rebuildRecentMenu();
    repaint();
}

void MainWindow::rebuildRecentMenu()
{
    recentFilesMenu_->clear();
    for (const RecentEntry& entry : recent_.Entries()) {
        QAction* item = recentFilesMenu_->addAction(QString::fromStdString(RecentCaption(entry.path)));
        item->setCheckable(true);
        item->setChecked(entry.checked);
        item->setStatusTip(QString::fromStdString(entry.path));
        item->setToolTip(QString::fromStdString(entry.path));
        const std::string path = entry.path;
        connect(item, &QAction::triggered, this, [this, path] { runGuarded([this, path] { SelectFile(path); }); });
        connect(item, &QAction::hovered, this, [this, path] { setStatus(0, path); });
    }
    recentFilesMenu_->addAction(recentEmptyAction_);
    recentEmptyAction_->setVisible(recent_.Empty());
}

void MainWindow::showSelection(int index)
{
    IconGrid* grid = gridView_->grid();
    const SelectionStatus status =
        ReportSelection(index, grid->Count(), fileName_, index >= 0 ? &grid->GetIcon(index) : nullptr);
    setStatus(1, status.position);
    setStatus(2, status.images);
    setStatus(3, status.colorDepth);
    if (index >= 0) updateIconWindow(index);
}

void MainWindow::openFile()
{
    OpenFileRequest request;
    request.title = UiString(kTextOpenDialogTitle, "Select file");
    request.filter = UiString(kTextOpenFilter, "Executable files (*.exe)|*.exe|Dynamic-link libraries (*.dll)|*.dll|"
                                               "ActiveX files (*.ocx)|*.ocx|Any file (*.*)|*.*");
    request.initialDir = openDialogFolder_;
    const std::optional<std::filesystem::path> chosen = dialogs_->OpenFile(request);
    if (!chosen) return;
    openDialogFolder_ = chosen->parent_path();
    if (saveDialogFolder_.empty()) saveDialogFolder_ = openDialogFolder_;
    if (chosen->native() != fileName_.native()) SelectFile(*chosen);
    gridView_->setFocus();
}

void MainWindow::refreshIcons()
{
    gridView_->grid()->Refresh();
}

bool MainWindow::checkSelection()
{
    if (gridView_->grid()->ItemIndex() >= 0) return true;
    dialogs_->Show(UiString(kTextNoIconSelected, "No icon is selected."), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

void MainWindow::copySelected()
{
    if (!checkSelection()) return;
    const IconGrid* grid = gridView_->grid();
    const IconHandle& icon = grid->GetIcon(grid->ItemIndex());
    const IconMaskSize size = GetIconSize(icon);
    Bitmap bitmap(size.width, size.height, 24, kWhite);
    DrawIcon(bitmap, icon, 0, 0);
    QGuiApplication::clipboard()->setImage(ImageFromBitmap(bitmap));
}

void MainWindow::setIconSize(IconSizing sizing)
{
    const bool small = sizing == IconSizing::Small;
    largeIconsAction_->setChecked(!small);
    smallIconsAction_->setChecked(small);
    settings_.smallIcons = small;
    IconGrid* grid = gridView_->grid();
    grid->SetIconSizing(sizing);
    grid->update();
    setStatus(1, {});
    enableFileButtons();
    if (grid->Count() > 0) grid->SetItemIndex(0);
}

void MainWindow::openDroppedFiles(const QStringList& files)
{
    if (files.isEmpty()) return;
    SelectFile(files.front().toStdString());
    if (files.size() > 1)
        dialogs_->Show(UiString(kTextOnlyFirstDroppedFile, "Only the first of the dropped files has been opened."),
                       MessageIcon::Information, MessageButtons::Ok);
}

void MainWindow::runCommand(WindowCommand command)
{
    switch (command) {
    case WindowCommand::StopScan:
        if (ScanActive) ScanActive = false;
        break;
    case WindowCommand::Copy: runGuarded([this] { copySelected(); }); break;
    case WindowCommand::Open: runGuarded([this] { openFile(); }); break;
    case WindowCommand::Print:
        if (printButton_->isEnabled()) runGuarded([this] { print(); });
        break;
    case WindowCommand::Refresh:
        if (refreshButton_->isEnabled()) runGuarded([this] { refreshIcons(); });
        break;
    case WindowCommand::SaveSelected:
        if (saveButton_->isEnabled()) runGuarded([this] { saveSelected(); });
        break;
    case WindowCommand::Help: showHelpContents(); break;
    case WindowCommand::None: break;
    }
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

void MainWindow::buildKeyboardCommands()
{
    actions_ = new ActionManager(this);
    for (WindowCommand command :
         {WindowCommand::StopScan, WindowCommand::Copy, WindowCommand::Open, WindowCommand::Print,
          WindowCommand::Refresh, WindowCommand::SaveSelected, WindowCommand::Help}) {
        connect(actions_->action(command), &QAction::triggered, this, [this, command] { runCommand(command); });
    }
}

// A new font or style changes what the status texts need: the panels are laid out again.
void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (statusPanels_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        statusPanels_->fitToWidth(width());
}

// A control's long hint (its status tip) goes to the first status panel, unless it holds a
// line break or a tab, as hints made for a tooltip do.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!tip.contains(QLatin1Char('\r')) && !tip.contains(QLatin1Char('\n')) && !tip.contains(QLatin1Char('\t')))
            setStatus(0, tip.toStdString());
        return true;
    }
    return QMainWindow::event(event);
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
