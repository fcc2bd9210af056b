// The main window: layout, the current file, the recent list and the commands that are not
// save or export commands.
#include "app/gui/MainWindow.h"

#include "app/gui/QtDialogService.h"
#include "app/gui/SelectionReport.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "app/gui/WindowHost.h"
#include "export/ProgramFlags.h"
#include "i18n/TextIds.h"
#include "iconengine/IconRendering.h"
#include "platform/Files.h"
#include "raster/RasterDraw.h"
#include "platform/qt/QtImageConversion.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace glyphora {

namespace {

constexpr int kMinimumWidth = 526;
constexpr int kMinimumHeight = 455;
constexpr int kToolbarHeight = 33;
constexpr int kFindStripHeight = 41;

QToolButton* MakeButton(QWidget* parent, int x, int width, const QIcon& icon, const QString& tip)
{
    auto* button = new QToolButton(parent); // owned by the toolbar strip
    button->setGeometry(x, 3, width, 27);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style)
{
    return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
}

} // namespace

TForm1::TForm1(std::vector<std::string> arguments, DialogService* dialogs)
    : arguments_(std::move(arguments)),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogService>(this)),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      modifiersQuery_([] { return QGuiApplication::queryKeyboardModifiers(); })
{
    CommandLineActive = false;
    ScanActive = false;
    MainWindowClosing = false;
    SetMessageDialogs(dialogs_);
    SetFileTypeIconProvider(&fileTypeIcons_);

    setWindowTitle(QApplication::applicationDisplayName());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);

    auto* panel1 = new QWidget(this); // Panel1 and MainPanel: one column
    auto* column = new QVBoxLayout(panel1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bevel = new QFrame(panel1);
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setFixedHeight(kToolbarHeight);
    column->addWidget(bevel);
    ScrollBox = new TQZScrollBox(panel1);
    column->addWidget(ScrollBox, 1);
    auto* panel2 = new QFrame(panel1);
    panel2->setFixedHeight(kFindStripHeight);
    column->addWidget(panel2);
    setCentralWidget(panel1);

    BuildMenus();
    BuildToolbar(bevel);

    // The find strip: the pane behind it (the folder scan) is not part of this window yet.
    auto* label5 = new QLabel(QStringLiteral("Minimum icon count:"), panel2);
    label5->setGeometry(8, 12, 130, 17);
    auto* upDown = new QSpinBox(panel2);
    upDown->setGeometry(140, 8, 60, 24);
    upDown->setRange(1, 9999);
    upDown->setEnabled(false);
    SearchBtn = MakeButton(panel2, 210, 27, ThemeIcon("edit-find", QStyle::SP_FileDialogContentsView, style()),
                           QStringLiteral("Find files with icons (not available yet)"));
    SearchBtn->move(210, 7);
    SearchBtn->setEnabled(false);

    for (int width : {250, 50, 50, 50}) {
        auto* panel = new QLabel(statusBar());
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setFixedWidth(width);
        statusBar()->addWidget(panel);
        StatusPanels.push_back(panel);
    }
    statusBar()->setSizeGripEnabled(true);

    TQZImageBox* grid = ScrollBox->ImageBox();
    grid->SetText(UiString(kTextEmptyGridHint, "Open a file, or drop one here, to see its icons."));
    grid->SetUnableToLoadOrFindIconsMsg(UiString(kTextNoIconsInFile, "Unable to load or find icons in this file."));
    ScrollBox->SetOnSelectItem([this](int index) { ScrollBoxSelectItem(index); });
    ScrollBox->SetOnDropFiles([this](int, int, const QStringList& files) { ScrollBoxDropFiles(files); });
    NSize32Click(nullptr);

    std::error_code ec;
    saveDlgInitialDir_ = std::filesystem::current_path(ec);
    qApp->installEventFilter(this);
    RebuildRecentMenu();

    if (arguments_.empty())
        SelectFile(ProgramFilePath());
    ScrollBox->setFocus();
}

// FormCloseQuery: closing is always allowed.
void TForm1::closeEvent(QCloseEvent* event)
{
    MainWindowClosing = true;
    QMainWindow::closeEvent(event);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    SetFileTypeIconProvider(nullptr);
    SetMessageDialogs(nullptr);
}

void TForm1::BuildMenus()
{
    MRUPopup = new QMenu(this);
    NEmpty = new QAction(QStringLiteral("<Empty>"), this);
    NEmpty->setEnabled(false);

    PopupSave = new QMenu(this);
    NSaveSel = PopupSave->addAction(UiText(kTextMenuSaveSelected, "Save &Selected"));
    NSaveAllasOneImage = PopupSave->addAction(UiText(kTextMenuSaveAllAsOneImage, "Save All as &One Image"));
    NSaveAll = PopupSave->addMenu(UiText(kTextMenuSaveAll, "Save &All"));
    const std::pair<int, const char*> kinds[] = {
        {kTextMenuAsIcons, "as &Icons (*.ico)"},      {kTextMenuAsBitmaps, "as &Bitmap images (*.bmp)"},
        {kTextMenuAsJpeg, "as &JPEG images (*.jpg)"}, {kTextMenuAsMetafiles, "as &Metafiles (*.emf)"},
        {kTextMenuAsGif, "as &GIF (*.gif)"},          {kTextMenuAsPng, "as &PNG (*.png)"}};
    for (int tag = 0; tag < 6; ++tag) {
        QAction* item = NSaveAll->addAction(UiText(kinds[tag].first, kinds[tag].second));
        connect(item, &QAction::triggered, this, [this, tag] { Guarded([this, tag] { SaveAllClick(tag); }); });
        SaveAllItems.push_back(item);
    }
    NSaveAll->addSeparator();
    NHTM = NSaveAll->addAction(UiText(kTextMenuToHtml, "to HTML Document (*.htm, *.html)"));
    NDBF = NSaveAll->addAction(UiText(kTextMenuToDbf, "to dBase file (*.dbf)"));
    NPDF = NSaveAll->addAction(UiText(kTextMenuToPdf, "to PDF Document (*.pdf)"));
    NXlsx = NSaveAll->addAction(QStringLiteral("to Microsoft Excel Sheet (*.xlsx)"));
    connect(NSaveSel, &QAction::triggered, this, [this] { Guarded([this] { SaveSelClick(); }); });
    connect(NSaveAllasOneImage, &QAction::triggered, this, [this] { Guarded([this] { SaveAllAsOneClick(); }); });
    connect(NHTM, &QAction::triggered, this, [this] { Guarded([this] { NHTMClick(); }); });
    connect(NDBF, &QAction::triggered, this, [this] { Guarded([this] { NDBFClick(); }); });
    connect(NPDF, &QAction::triggered, this, [this] { Guarded([this] { NPDFClick(); }); });
    connect(NXlsx, &QAction::triggered, this, [this] { NXlsxClick(); });

    PopupOptions = new QMenu(this);
    QMenu* language = PopupOptions->addMenu(UiText(kTextMenuLanguage, "Language"));
    language->setEnabled(false); // language switching comes with the other packs
    PopupOptions->addSeparator();
    QAction* showIcon = PopupOptions->addAction(UiText(kTextMenuShowIconWindow, "Show Selected Icon In Separate &Window"));
    showIcon->setCheckable(true);
    showIcon->setEnabled(false); // the separate icon window is not part of this window yet
    QMenu* iconSize = PopupOptions->addMenu(UiText(kTextMenuIconSize, "Icon &Size"));
    NSize32 = iconSize->addAction(UiText(kTextMenuSize32, "32x32"));
    NSize16 = iconSize->addAction(UiText(kTextMenuSize16, "16x16"));
    for (QAction* item : {NSize32, NSize16}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { Guarded([this, item] { NSize32Click(item); }); });
    }
    NSize32->setChecked(true);
    PopupOptions->addSeparator();
    QAction* registry = PopupOptions->addAction(UiText(kTextMenuSaveToRegistry, "Save Setting to Registry"));
    registry->setCheckable(true);
    registry->setEnabled(false); // settings persistence comes later
}

void TForm1::BuildToolbar(QWidget* bevel)
{
    const QStyle* s = style();
    OpenBtn = MakeButton(bevel, 8, 40, ThemeIcon("document-open", QStyle::SP_DialogOpenButton, s), QStringLiteral("Open"));
    OpenBtn->setPopupMode(QToolButton::MenuButtonPopup);
    OpenBtn->setMenu(MRUPopup);
    connect(OpenBtn, &QToolButton::clicked, this, [this] { Guarded([this] { OpenBtnClick(); }); });

    SaveBtn = MakeButton(bevel, 56, 40, ThemeIcon("document-save", QStyle::SP_DialogSaveButton, s), QStringLiteral("Save"));
    SaveBtn->setPopupMode(QToolButton::InstantPopup);
    SaveBtn->setMenu(PopupSave);
    CopyBtn = MakeButton(bevel, 96, 27, ThemeIcon("edit-copy", QStyle::SP_FileDialogDetailedView, s),
                         QStringLiteral("Copy the selected icon (Ctrl+C)"));
    connect(CopyBtn, &QToolButton::clicked, this, [this] { Guarded([this] { CopyBtnClick(); }); });
    PrintBtn = MakeButton(bevel, 123, 27, ThemeIcon("document-print", QStyle::SP_FileIcon, s),
                          QStringLiteral("Printing is not available yet"));
    RefreshBtn = MakeButton(bevel, 158, 27, ThemeIcon("view-refresh", QStyle::SP_BrowserReload, s),
                            QStringLiteral("Refresh (Ctrl+R)"));
    connect(RefreshBtn, &QToolButton::clicked, this, [this] { Guarded([this] { RefreshBtnClick(); }); });
    OptionsBtn = MakeButton(bevel, 193, 40, ThemeIcon("preferences-system", QStyle::SP_FileDialogListView, s),
                            QStringLiteral("Options"));
    OptionsBtn->setPopupMode(QToolButton::InstantPopup);
    OptionsBtn->setMenu(PopupOptions);
    HelpBtn = MakeButton(bevel, 241, 27, ThemeIcon("help-contents", QStyle::SP_DialogHelpButton, s),
                         QStringLiteral("Help is not available yet"));
    AboutBtn = MakeButton(bevel, 268, 27, ThemeIcon("help-about", QStyle::SP_MessageBoxInformation, s),
                          QStringLiteral("About is not available yet"));
    for (QToolButton* button : {SaveBtn, CopyBtn, PrintBtn, RefreshBtn, HelpBtn, AboutBtn})
        button->setEnabled(false);
}

void TForm1::Guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        dialogs_->Show(e.what(), MessageIcon::Error, MessageButtons::Ok);
    }
}

void TForm1::SetStatus(int panel, const std::string& text)
{
    StatusPanels.at(static_cast<std::size_t>(panel))->setText(QString::fromStdString(text));
}

void TForm1::EnableFileButtons()
{
    const bool any = ScrollBox->ImageBox()->Count() > 0;
    SaveBtn->setEnabled(any);
    CopyBtn->setEnabled(any);
    RefreshBtn->setEnabled(any);
    // PrintBtn stays disabled until printing is part of the window.
}

void TForm1::SelectFile(const std::filesystem::path& fileName)
{
    SetStatus(2, {});
    SetStatus(3, {});
    WaitCursor wait;
    TQZImageBox* grid = ScrollBox->ImageBox();
    grid->SetFileName(fileName);
    fileName_ = fileName;
    setWindowTitle(QApplication::applicationDisplayName() + QStringLiteral(" - ") +
                   QString::fromStdString(fileName.filename().string()));
    SetStatus(1, {});
    const int count = grid->Count();
    EnableFileButtons();
    if (count > 0)
        grid->SetItemIndex(0);
    exportSettings_.ColumnCount = ColumnCountFor(grid->ColCount(), count);
    recent_.Add(fileName_.string());
    RebuildRecentMenu();
    repaint();
}

void TForm1::RebuildRecentMenu()
{
    MRUPopup->clear();
    for (const RecentEntry& entry : recent_.Entries()) {
        QAction* item = MRUPopup->addAction(QString::fromStdString(RecentCaption(entry.path)));
        item->setCheckable(true);
        item->setChecked(entry.checked);
        item->setStatusTip(QString::fromStdString(entry.path));
        item->setToolTip(QString::fromStdString(entry.path));
        const std::string path = entry.path;
        connect(item, &QAction::triggered, this, [this, path] { Guarded([this, path] { SelectFile(path); }); });
        connect(item, &QAction::hovered, this, [this, path] { SetStatus(0, path); });
    }
    MRUPopup->addAction(NEmpty);
    NEmpty->setVisible(recent_.Empty());
}

void TForm1::ScrollBoxSelectItem(int index)
{
    TQZImageBox* grid = ScrollBox->ImageBox();
    const SelectionStatus status =
        ReportSelection(index, grid->Count(), fileName_, index >= 0 ? &grid->GetIcon(index) : nullptr);
    SetStatus(1, status.position);
    SetStatus(2, status.images);
    SetStatus(3, status.colorDepth);
}

void TForm1::OpenBtnClick()
{
    OpenFileRequest request;
    request.title = UiString(kTextOpenDialogTitle, "Select file");
    request.filter = UiString(kTextOpenFilter, "Executable files (*.exe)|*.exe|Dynamic-link libraries (*.dll)|*.dll|"
                                               "ActiveX files (*.ocx)|*.ocx|Any file (*.*)|*.*");
    request.initialDir = openDlgInitialDir_;
    const std::optional<std::filesystem::path> chosen = dialogs_->OpenFile(request);
    if (!chosen)
        return;
    openDlgInitialDir_ = chosen->parent_path();
    if (saveDlgInitialDir_.empty())
        saveDlgInitialDir_ = openDlgInitialDir_;
    if (chosen->native() != fileName_.native())
        SelectFile(*chosen);
    ScrollBox->setFocus();
}

void TForm1::RefreshBtnClick()
{
    ScrollBox->ImageBox()->Refresh();
}

bool TForm1::CheckSelection()
{
    if (ScrollBox->ImageBox()->ItemIndex() >= 0)
        return true;
    dialogs_->Show(UiString(kTextNoIconSelected, "No icon is selected."), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

void TForm1::CopyBtnClick()
{
    if (!CheckSelection())
        return;
    const TQZImageBox* grid = ScrollBox->ImageBox();
    const IconHandle& icon = grid->GetIcon(grid->ItemIndex());
    const IconMaskSize size = GetIconSize(icon);
    Bitmap bitmap(size.width, size.height, 24, kWhite);
    DrawIcon(bitmap, icon, 0, 0);
    QGuiApplication::clipboard()->setImage(ImageFromBitmap(bitmap));
}

// Both size items; without a sender the current checks are applied (window creation).
void TForm1::NSize32Click(QAction* sender)
{
    if (sender == NSize32 && NSize32->isChecked())
        NSize16->setChecked(false);
    if (sender == NSize16 && NSize16->isChecked())
        NSize32->setChecked(false);
    settings_.SmallIcons = NSize16->isChecked();
    TQZImageBox* grid = ScrollBox->ImageBox();
    grid->SetIconSizing(settings_.SmallIcons ? TIconSizing::isSmall : TIconSizing::isLarge);
    grid->update();
    SetStatus(1, {});
    EnableFileButtons();
    if (grid->Count() > 0)
        grid->SetItemIndex(0);
}

void TForm1::ScrollBoxDropFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    SelectFile(files.front().toStdString());
    if (files.size() > 1)
        dialogs_->Show(UiString(kTextOnlyFirstDroppedFile, "Only the first of the dropped files has been opened."),
                       MessageIcon::Information, MessageButtons::Ok);
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (CommandForKey(key, modifiers)) {
    case WindowCommand::StopScan:
        if (ScanActive)
            ScanActive = false;
        break;
    case WindowCommand::Copy: Guarded([this] { CopyBtnClick(); }); break;
    case WindowCommand::Open: Guarded([this] { OpenBtnClick(); }); break;
    case WindowCommand::Print: break; // PrintBtn stays disabled until printing is part of the window
    case WindowCommand::Refresh:
        if (RefreshBtn->isEnabled())
            Guarded([this] { RefreshBtnClick(); });
        break;
    case WindowCommand::SaveSelected:
        if (SaveBtn->isEnabled())
            Guarded([this] { SaveSelClick(); });
        break;
    case WindowCommand::Help: break; // the help system comes with the help files
    case WindowCommand::None: break;
    }
}

// The window previews every key: the first receiver of a key event is the focused control
// (or the window itself when nothing has the focus); the event then goes on unconsumed.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus ? widget == focus : widget == this;
        if (first && widget->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(event);
            FormKeyDown(key->key(), key->modifiers());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const int width = this->width();
    StatusPanels[0]->setFixedWidth(width / 2);
    StatusPanels[1]->setFixedWidth(width / 10);
    StatusPanels[2]->setFixedWidth(width / 6);
}

void TForm1::PostRunCommandLine()
{
    if (commandLinePosted_)
        return;
    commandLinePosted_ = true;
    QTimer::singleShot(0, this, [this] { WMRunCommandLine(); });
}

void TForm1::WMRunCommandLine()
{
    WindowHost host(*this);
    Guarded([&] { RunCommandLine(arguments_, host); });
}

} // namespace glyphora
