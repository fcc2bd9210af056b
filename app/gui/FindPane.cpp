// The find pane: its controls and their layout, the scan it runs, opening and saving the
// listed files.
#include "app/gui/FindPane.h"

#include "app/gui/ActionManager.h"
#include "app/gui/FindPaneHost.h"
#include "app/gui/MinimumCountBox.h"
#include "app/gui/UiText.h"
#include "i18n/TextIds.h"
#include "iconengine/DeviceIcons.h"
#include "iconengine/IconExtraction.h"
#include "platform/GlyphoraError.h"
#include "iconengine/FileTypeIcons.h"
#include "platform/qt/QtImageConversion.h"
#include "platform/qt/QtPaths.h"
#include "scan/PathJoin.h"
#include "scan/qt/FolderTree.h"
#include "scan/qt/ScanRunner.h"
#include "widgets/PaneSplitter.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SearchListBox.h"
#include "widgets/SoftButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr int kMargin = 8; // the tree's left offset, kept on every side of the pane's controls
constexpr int kRowHeight = 18;
constexpr int kRowIconOffset = 20;
constexpr int kListTop = 24;     // the tops of the tree and the list, below their captions
constexpr int kBraceLeft = 52;   // the brace between the save-all button and the list, at the least
constexpr int kBraceToList = 18; // from the brace's left edge to the list

// A drawing of an opening curly brace, its point facing the save-all button: it ties the
// button to the list it saves. Drawn at 13 x 99 and stretched to the list's height.
QPixmap BracePixmap(const QColor& color)
{
    QPixmap pixmap(13, 99);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath brace;
    brace.moveTo(12, 1);
    brace.cubicTo(6, 1, 7, 8, 7, 20);
    brace.cubicTo(7, 38, 7, 47, 1, 49.5);
    brace.cubicTo(7, 52, 7, 61, 7, 79);
    brace.cubicTo(7, 91, 6, 98, 12, 98);
    painter.setPen(QPen(color, 1.6));
    painter.drawPath(brace);
    return pixmap;
}

// The small icon a listed file shows: its own first icon, else the desktop's icon for its
// type, drawn on the row's background; on a HiDPI screen from the image that fits the
// physical pixels.
QPixmap RowIcon(const fs::path& file, const FileTypeIconProvider& fileTypes, const QColor& background,
                double devicePixelRatio)
{
    std::vector<IconHandle> own = ExtractDeviceIcons(file, kSmallIconSize, devicePixelRatio, 0, 1);
    IconHandle icon = !own.empty() && !own.front().isNull()
                          ? std::move(own.front())
                          : fileTypes.IconForFile(file, DevicePixelSize(kSmallIconSize, devicePixelRatio));
    if (icon.isNull()) icon = BuiltInGenericFileIcon(DevicePixelSize(kSmallIconSize, devicePixelRatio));
    const std::uint32_t rgb = background.rgb() & 0x00FFFFFFu;
    return QPixmap::fromImage(RenderDeviceIcon(icon, kSmallIconSize, kSmallIconSize, rgb, devicePixelRatio));
}

} // namespace

FindPane::FindPane(FindPaneHost& host, ActionManager& actions, QWidget* findStrip)
    : QWidget(nullptr), host_(host), actions_(actions), runner_(new ScanRunner(this))
{
    setObjectName(QStringLiteral("findPane"));
    buildStrip(findStrip);
    buildPane();
    applyTexts();
    connect(runner_, &ScanRunner::fileListed, this, &FindPane::fileListed);
    connect(runner_, &ScanRunner::finished, this, &FindPane::scanEnded);
    hide();
}

FindPane::~FindPane()
{
    runner_->cancel();
    if (scanning_) QApplication::restoreOverrideCursor();
}

// The strip: the folder button, the minimum-count box with its label, and at the right end the
// find button, as wide as its caption; in a narrow window it gives way before the label does
// (its caption is then shortened). Laid out by a layout, so that a wider font, another style
// or a longer caption in another language never runs the label under the box.
void FindPane::buildStrip(QWidget* findStrip)
{
    auto* row = new QHBoxLayout(findStrip);
    row->setContentsMargins(8, 4, 8, 4);
    actions_.addButton(Command::GoToFileFolder, findStrip);
    copyDirButton_ = actions_.softButton(Command::GoToFileFolder);
    copyDirButton_->setFixedSize(27, 27);
    copyDirButton_->setIconSize(QSize(16, 16));
    minimumLabel_ = new QLabel(UiText(kTextMinimumIconCount), findStrip);
    minimumLabel_->setObjectName(QStringLiteral("minimumCountLabel"));
    minimumBox_ = new MinimumCountBox(findStrip);
    minimumBox_->setObjectName(QStringLiteral("minimumCountBox"));
    minimumLabel_->setBuddy(minimumBox_);
    actions_.addButton(Command::ToggleFindPane, findStrip);
    searchButton_ = actions_.pushButton(Command::ToggleFindPane);
    searchButton_->setFixedHeight(25);
    searchButton_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    row->addWidget(copyDirButton_);
    row->addWidget(minimumLabel_);
    row->addWidget(minimumBox_);
    row->addStretch(1);
    row->addWidget(searchButton_);
    actions_.setHandler(Command::GoToFileFolder, [this] { goToFileFolder(); });
    actions_.setCheckHandler(Command::ToggleFindPane, [this](bool checked) { setPaneVisible(checked); });
    actions_.setHandler(Command::StopScan, [this] { stopScan(); });
    actions_.setMemberHandler(Command::SaveListedAs, [this](int member) { saveAllListed(PictureKindAt(member)); });
    connect(minimumBox_, &MinimumCountBox::changed, this, &FindPane::rescan);
    for (QWidget* control : std::initializer_list<QWidget*>{copyDirButton_, minimumLabel_, minimumBox_})
        control->hide();
}

void FindPane::buildPane()
{
    paneSplitter_ = new PaneSplitter;
    paneSplitter_->setObjectName(QStringLiteral("paneSplitter"));
    paneSplitter_->setAlign(SplitterAlign::Bottom);
    paneSplitter_->setMinSize(kFindPaneMinHeight);
    paneSplitter_->setFixedHeight(kSplitterThickness);
    paneSplitter_->hide();
    setFixedHeight(kFindPaneMinHeight);

    dirPanel_ = new QWidget(this);
    dirPanel_->setObjectName(QStringLiteral("dirPanel"));
    folderLabel_ = new QLabel(dirPanel_);
    folderLabel_->setObjectName(QStringLiteral("folderLabel"));
    folderLabel_->move(kMargin, 6);
    tree_ = new FolderTree(dirPanel_);
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setGeometry(kMargin, kListTop, 249, 137);
    connect(tree_, &FolderTree::folderChanged, this, &FindPane::rescan);
    // The scan enters the hidden folders the tree shows, so a switch changes what it finds below.
    connect(tree_, &FolderTree::showHiddenFoldersChanged, this, [this] {
        if (subfoldersCheck_->isChecked()) rescan();
    });

    listSplitter_ = new PaneSplitter(this);
    listSplitter_->setObjectName(QStringLiteral("listSplitter"));
    listSplitter_->setAlign(SplitterAlign::Right);
    listSplitter_->setMinSize(kFilePanelMinWidth);
    listSplitter_->setFixedWidth(kSplitterThickness);

    filePanel_ = new QWidget(this);
    filePanel_->setObjectName(QStringLiteral("filePanel"));
    filePanel_->setFixedWidth(kFilePanelMinWidth);
    filesLabel_ = new QLabel(filePanel_);
    filesLabel_->setObjectName(QStringLiteral("filesLabel"));
    countLabel_ = new QLabel(filePanel_);
    countLabel_->setObjectName(QStringLiteral("countLabel"));
    countLabel_->setAlignment(Qt::AlignCenter);
    countLabel_->setGeometry(0, 40, kBraceLeft, 15);
    stoppedLabel_ = new QLabel(filePanel_);
    stoppedLabel_->setObjectName(QStringLiteral("stoppedLabel"));
    stoppedLabel_->setAlignment(Qt::AlignCenter);
    stoppedLabel_->setWordWrap(true); // the note may need two lines in the narrow column
    stoppedLabel_->setGeometry(0, 56, kBraceLeft, 15);
    QPalette red = stoppedLabel_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    stoppedLabel_->setPalette(red);
    stoppedLabel_->hide();

    actions_.addButton(Command::SaveListed, filePanel_);
    saveAllButton_ = actions_.popupButton(Command::SaveListed);
    saveAllButton_->setGeometry(9, 71, 40, 27);
    saveAllButton_->setIconSize(QSize(16, 16));

    braceImage_ = new QLabel(filePanel_);
    braceImage_->setObjectName(QStringLiteral("braceImage"));
    braceImage_->setScaledContents(true);
    braceImage_->setPixmap(BracePixmap(palette().color(QPalette::WindowText)));
    braceImage_->setGeometry(kBraceLeft, kListTop, 13, 121);

    fileList_ = new SearchListBox(filePanel_);
    fileList_->setObjectName(QStringLiteral("fileList"));
    fileList_->setGeometry(kBraceLeft + kBraceToList, kListTop, 167, 121);
    fileList_->setItemHeight(kRowHeight);
    fileList_->setSorted(true);
    fileList_->setDirectSearch(true);
    fileList_->setAlterIndex(-1);
    connect(fileList_, &SearchListBox::entryChosen, this, &FindPane::openChosenFile);
    // Drops arrive at the list's viewport, which hands them to the list.
    fileList_->setAcceptDrops(true);
    fileList_->viewport()->setAcceptDrops(true);
    connect(fileList_, &SearchListBox::filesDropped, this,
            [this](const QPoint&, const QStringList& files) { emit filesDropped(files); });
    connect(
        fileList_, &SearchListBox::itemParamsRequested, this,
        [this](int row, QStyle::State state, ItemParams& params) {
            params.offset = kRowIconOffset;
            if (params.hintQuery) return;
            const QColor background =
                fileList_->palette().color((state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Base);
            params.pixmap = RowIcon(fullPath(fileList_->itemText(row)), host_.fileTypeIcons(), background,
                                    fileList_->devicePixelRatioF());
        },
        Qt::DirectConnection);

    subfoldersCheck_ = new QCheckBox(filePanel_);
    subfoldersCheck_->setObjectName(QStringLiteral("subfoldersCheck"));
    subfoldersCheck_->move(71, 151);
    connect(subfoldersCheck_, &QCheckBox::toggled, this, &FindPane::rescan);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(dirPanel_, 1);
    row->addWidget(listSplitter_);
    row->addWidget(filePanel_);
    for (QWidget* side : {dirPanel_, filePanel_})
        side->installEventFilter(this);
    connect(listSplitter_, &PaneSplitter::moved, this, &FindPane::layoutSides);
    connect(paneSplitter_, &PaneSplitter::moved, this, &FindPane::layoutSides);
}

QWidget* FindPane::withUpperArea(QWidget* upperArea)
{
    upperArea_ = upperArea;
    frame_ = new QWidget;
    frame_->setObjectName(QStringLiteral("clientArea"));
    auto* column = new QVBoxLayout(frame_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(upperArea, 1);
    column->addWidget(paneSplitter_);
    column->addWidget(this);
    frame_->installEventFilter(this);
    return frame_;
}

void FindPane::applyPackTexts()
{
    minimumLabel_->setText(PackText(kTextMinimumIconCount));
    for (QWidget* control : std::initializer_list<QWidget*>{minimumLabel_, minimumBox_}) {
        // A hint that is both the tooltip and the status-bar text.
        control->setToolTip(PackText(kTextHintMinimumIconCount));
        control->setStatusTip(PackText(kTextHintMinimumIconCount));
    }
    applyTexts();
}

void FindPane::applyTexts()
{
    folderLabel_->setText(UiText(kTextFolderToScan));
    filesLabel_->setText(UiText(kTextFilesWithIcons));
    stoppedLabel_->setText(UiText(kTextScanStopped));
    subfoldersCheck_->setText(UiText(kTextIncludeSubfolders));
    tree_->showHiddenFoldersAction()->setText(UiText(kTextShowHiddenFolders));

    // Texts decide some sizes: the captions fit whole, and the column left of the brace holds
    // the stop note's longest word (the note wraps between words).
    noteColumn_ = kBraceLeft;
    const QFontMetrics noteMetrics(stoppedLabel_->font());
    for (const QString& word : stoppedLabel_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        noteColumn_ = std::max(noteColumn_, noteMetrics.horizontalAdvance(word) + 4);
    folderLabel_->adjustSize();
    filesLabel_->adjustSize();
    layoutFilesLabel();
    subfoldersCheck_->adjustSize();
    subfoldersCheck_->resize(std::max(166, subfoldersCheck_->width()), subfoldersCheck_->height());
    layoutSides();
}

void FindPane::toggle()
{
    const bool show = !shown_;
    shown_ = show;
    for (QWidget* control : std::initializer_list<QWidget*>{copyDirButton_, minimumLabel_, minimumBox_, this})
        control->setVisible(show);
    paneSplitter_->setVisible(show);
    // The find button's caption offers to open or to close the pane.
    actions_.action(Command::ToggleFindPane)->setChecked(show);
    fitToWindow();
    if (show) rescan();
}

void FindPane::setPaneVisible(bool visible)
{
    if (visible != shown_) toggle();
}

int FindPane::paneHeight() const
{
    return height();
}

void FindPane::setPaneHeight(int height)
{
    int limited = std::max(height, kFindPaneMinHeight);
    // The room above is known only once the window is laid out; until then the window's
    // resize brings the pane within it.
    if (frame_ != nullptr && frame_->isVisible() && height >= kFindPaneMinHeight)
        limited =
            std::max(kFindPaneMinHeight, std::min(limited, frame_->height() - kFindPaneMinHeight - kSplitterThickness));
    setFixedHeight(limited);
    layoutSides();
}

int FindPane::filePanelWidth() const
{
    return filePanel_->width();
}

void FindPane::setFilePanelWidth(int width)
{
    int limited = std::max(width, kFilePanelMinWidth);
    if (width >= kFilePanelMinWidth && isVisible())
        limited =
            std::max(kFilePanelMinWidth, std::min(limited, this->width() - kFilePanelMinWidth - kSplitterThickness));
    filePanel_->setFixedWidth(limited);
    layoutSides();
}

// The window's resize keeps each splitter's far side at its minimum: when the area above the
// pane or the tree's side has become smaller than that, the pane or the list gives way.
void FindPane::fitToWindow()
{
    if (frame_ == nullptr || !shown_) return;
    const int available = frame_->height() - kSplitterThickness;
    if (available - height() < kFindPaneMinHeight)
        setFixedHeight(std::max(kFindPaneMinHeight, available - kFindPaneMinHeight));
    const int paneWidth = frame_->width();
    if (paneWidth - filePanel_->width() - kSplitterThickness < kFilePanelMinWidth)
        filePanel_->setFixedWidth(std::max(kFilePanelMinWidth, paneWidth - kFilePanelMinWidth - kSplitterThickness));
    layoutSides();
}

// The controls of both sides follow the sides' sizes. Left of the brace stands a column with
// the count above the save-all button and the stop note below it, as wide as the note's
// longest word needs; the brace and the list start right of it.
void FindPane::layoutSides()
{
    const int sideHeight = height();
    tree_->setGeometry(kMargin, kListTop, std::max(0, dirPanel_->width() - 2 * kMargin),
                       std::max(0, sideHeight - kListTop - kMargin));
    const int listLeft = noteColumn_ + kBraceToList;
    const int checkHeight = subfoldersCheck_->height();
    // Below the list's left edge, further left when its caption needs the room.
    subfoldersCheck_->move(std::max(2, std::min(listLeft + 1, filePanel_->width() - subfoldersCheck_->width() - 2)),
                           sideHeight - checkHeight - kMargin);
    const int listHeight = std::max(0, sideHeight - kListTop - 2 * kMargin - checkHeight);
    fileList_->setGeometry(listLeft, kListTop, std::max(0, filePanel_->width() - listLeft - kMargin), listHeight);
    braceImage_->setGeometry(noteColumn_, kListTop, 13, listHeight);
    saveAllButton_->move((noteColumn_ - saveAllButton_->width()) / 2 + 3,
                         braceImage_->y() + braceImage_->height() / 2 - saveAllButton_->height() / 2);
    // The count never rises above the list's top: the list's caption may reach over the column.
    const int countTop = saveAllButton_->y() - saveAllButton_->height() - kMargin;
    countLabel_->setGeometry(0, std::max(kListTop, countTop), noteColumn_, countLabel_->height());
    stoppedLabel_->setGeometry(0, saveAllButton_->y() + saveAllButton_->height() + 2, noteColumn_,
                               stoppedLabel_->heightForWidth(noteColumn_));
    layoutFilesLabel();
}

// The list's caption starts above the list, further left when its text needs the room.
void FindPane::layoutFilesLabel()
{
    filesLabel_->move(std::max(2, std::min(fileList_->x() + 3, filePanel_->width() - filesLabel_->width() - 2)), 8);
}

bool FindPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == frame_)
            fitToWindow();
        else if (watched == dirPanel_ || watched == filePanel_)
            layoutSides();
    }
    return QWidget::eventFilter(watched, event);
}

std::filesystem::path FindPane::fullPath(const QString& entry) const
{
    return JoinPath(tree_->folder(), PathFromText(entry.toStdString()));
}

std::vector<std::string> FindPane::listedEntries() const
{
    std::vector<std::string> entries;
    for (const QString& entry : fileList_->items())
        entries.push_back(entry.toStdString());
    return entries;
}

std::vector<std::filesystem::path> FindPane::listedFiles() const
{
    std::vector<fs::path> files;
    for (const QString& entry : fileList_->items())
        files.push_back(fullPath(entry));
    return files;
}

void FindPane::rescan()
{
    // A hidden pane does not scan; showing it scans what it then shows.
    if (!shown_) return;
    if (scanning_) {
        // A change while a scan runs (a tree branch read again) replaces that scan.
        runner_->cancel();
        endScan(ScanOutcome::Finished);
    }
    ++scanNumber_;
    fileList_->clear();
    // The save button goes with the entries, also when no scan follows (no folder, a minimum
    // that is no number).
    actions_.setCondition(Condition::FilesListed, false);
    const fs::path folder = tree_->folder();
    if (folder.empty()) return;
    countLabel_->setText(QStringLiteral("0..."));
    stoppedLabel_->hide();
    const std::optional<int> minimum = minimumBox_->value();
    if (!minimum) {
        // Pasted text that is no number: the scan does not start, and the user is told why.
        countLabel_->setText(QStringLiteral("0"));
        const std::string text = minimumBox_->text().toStdString();
        host_.runGuarded([&] { throw GlyphoraError("'" + text + "' is not a valid integer value."); });
        return;
    }
    setSearchControlsEnabled(false);
    host_.setStatusText(InterfaceText(kTextScanning) + " " + InterfaceText(kTextScanPleaseWait));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    scanning_ = true;
    fileList_->beginUpdate();
    ScanOptions options;
    options.enterHiddenFolders = tree_->showsHiddenFolders(); // the scan enters what the tree shows
    runner_->start(folder, std::string(kIconFileMasks), *minimum, subfoldersCheck_->isChecked(), options);
}

void FindPane::fileListed(const QString& entry, int count)
{
    const unsigned scan = scanNumber_;
    fileList_->addItem(entry);
    if (scan != scanNumber_) return; // the insertion led to a new scan (a tree branch read again)
    countLabel_->setText(QString::number(count) + QStringLiteral("..."));
    if (runner_->stopRequested()) runner_->stop(); // Escape: the scan ends with this file
}

void FindPane::stopScan()
{
    runner_->requestStop();
}

bool FindPane::isStopRequested() const
{
    return runner_->stopRequested();
}

void FindPane::scanEnded(ScanOutcome outcome)
{
    if (!scanning_) return;
    endScan(outcome);
    emit scanFinished(outcome);
}

void FindPane::endScan(ScanOutcome outcome)
{
    scanning_ = false;
    fileList_->endUpdate();
    stoppedLabel_->setVisible(outcome == ScanOutcome::Stopped);
    host_.setStatusText({});
    QString count = countLabel_->text();
    if (count.endsWith(QStringLiteral("..."))) count.chop(3);
    countLabel_->setText(count);
    setSearchControlsEnabled(true);
    QApplication::restoreOverrideCursor();
}

// While a scan runs the window takes no input but Escape, which reaches the window's key
// command through its key preview; it keeps painting, and the list fills as files are found.
void FindPane::setSearchControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{subfoldersCheck_, minimumLabel_, minimumBox_})
        control->setEnabled(enabled);
    // The find button, the save button and Escape follow the scan through their actions.
    actions_.setCondition(Condition::FilesListed, fileList_->count() > 0);
    actions_.setCondition(Condition::Scanning, !enabled);
    if (frame_ == nullptr) return;
    if (!enabled) {
        // Qt takes the focus off a disabled control and never gives it back: the control that
        // had it (the tree after an arrow key, the grid, the minimum box) gets it again when
        // the scan ends, so the next key goes where the last one went.
        QWidget* focused = QApplication::focusWidget();
        focusBeforeScan_ = focused != nullptr && focused->window() == frame_->window() ? focused : nullptr;
        frame_->setEnabled(false);
        frame_->window()->setFocus(Qt::OtherFocusReason);
        return;
    }
    frame_->setEnabled(true);
    if (focusBeforeScan_ && focusBeforeScan_->isEnabled() && focusBeforeScan_->isVisible())
        focusBeforeScan_->setFocus(Qt::OtherFocusReason);
    focusBeforeScan_ = nullptr;
}

void FindPane::openChosenFile(int row)
{
    if (row < 0) return;
    const fs::path file = fullPath(fileList_->itemText(row));
    if (file.native() != host_.currentFile().native()) host_.SelectFile(file);
}

void FindPane::goToFileFolder()
{
    const fs::path& file = host_.currentFile();
    if (file.empty()) return;
    tree_->setFolder(file.parent_path());
}

void FindPane::saveAllListed(OutputKind outputKind)
{
    host_.saveFiles(outputKind, listedFiles());
}

} // namespace glyphora
