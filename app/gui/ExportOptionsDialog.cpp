// The export options dialog.
#include "app/gui/ExportOptionsDialog.h"

#include "app/gui/UiText.h"
#include "i18n/Help.h"
#include "i18n/TextIds.h"
#include "platform/AsciiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iterator>

namespace glyphora {

namespace {

// The design's rhythm (client 473 x 233) from top to bottom: every row keeps its height and
// its distance to the next in every language. Widths come from the texts through the layouts,
// and the dialog grows beyond the design where a language needs the room.
constexpr int kDesignWidth = 473;
constexpr int kDesignHeight = 233;
constexpr int kMargin = 8;
constexpr int kFieldHeight = 24;                                         // the column count and the format list
constexpr int kFieldGap = ExportOptionsDialog::kPdfShift - kFieldHeight; // below them, to the first check box
constexpr int kCheckHeight = 20;
constexpr int kCheckGap = 2;
constexpr int kPanelBottom = 2;  // the panel is 90 pixels high in the design
constexpr int kGroupsTop = 2;    // the dBase groups stand in the panel's place, 2 pixels lower
constexpr int kGroupHeight = 88; // their least height
constexpr int kGrayGap = 10;     // from the panel or the groups to the grey-scale box
constexpr int kNoteGap = 4;
constexpr int kNoteHeight = 40; // two lines of the note and a little air
constexpr int kButtonHeight = 27;
constexpr int kButtonWidth = 75; // the least width of a button; a longer caption widens it
constexpr int kButtonGap = 8;
constexpr int kBottomMargin = 10;
constexpr int kRightMargin = 17; // the format list's distance from the right edge

// A button as wide as its caption needs, at least the design's width.
void FitButtonToCaption(QPushButton* button)
{
    button->setMinimumWidth(std::max(kButtonWidth, button->sizeHint().width()));
    button->setFixedHeight(kButtonHeight);
}

} // namespace

std::optional<int> ParseColumnCount(const std::string& text)
{
    const std::string trimmed(Trim(text, IsAsciiSpace));
    if (trimmed.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(trimmed.c_str(), &end, 10);
    if (end == trimmed.c_str() || *end != '\0' || errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

ExportOptionsDialog::ExportOptionsDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export"));

    // The HTML and PDF panel: the column count and the image format side by side, the two
    // check boxes below them.
    htmlPanel_ = new QWidget(this);
    htmlPanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    panelGrid_ = new QGridLayout(htmlPanel_);
    panelGrid_->setContentsMargins(kMargin, kMargin, kRightMargin, kPanelBottom);
    panelGrid_->setVerticalSpacing(0);
    columnCountLabel_ = new QLabel(UiText(kTextColumnCount), htmlPanel_);
    columnCountEdit_ = new QLineEdit(htmlPanel_);
    columnCountEdit_->setMaxLength(5);
    // Room for the five digits it takes, and never narrower than the design's field.
    columnCountEdit_->setFixedWidth(
        std::max(60, columnCountEdit_->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 16));
    columnCountEdit_->setFixedHeight(kFieldHeight);
    columnCountLabel_->setBuddy(columnCountEdit_);
    imageTypeLabel_ = new QLabel(UiText(kTextTargetImageFormat), htmlPanel_);
    imageTypeCombo_ = new QComboBox(htmlPanel_);
    imageTypeCombo_->addItems({QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("GIF")});
    imageTypeCombo_->setMinimumWidth(100);
    imageTypeCombo_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    imageTypeCombo_->setFixedHeight(kFieldHeight);
    imageTypeLabel_->setBuddy(imageTypeCombo_);
    borderCheck_ = new QCheckBox(UiText(kTextDrawTableBorder), htmlPanel_);
    numberCheck_ = new QCheckBox(UiText(kTextIncludeIconNumbers), htmlPanel_);
    for (QCheckBox* check : {borderCheck_, numberCheck_})
        check->setFixedHeight(kCheckHeight);
    panelGrid_->addWidget(columnCountLabel_, 0, 0);
    panelGrid_->addWidget(columnCountEdit_, 0, 1);
    panelGrid_->setColumnMinimumWidth(2, 14);
    panelGrid_->setColumnStretch(2, 1); // the two pairs stand apart, each label next to its field
    panelGrid_->addWidget(imageTypeLabel_, 0, 3);
    panelGrid_->addWidget(imageTypeCombo_, 0, 4);
    panelGrid_->setRowMinimumHeight(1, kFieldGap);
    panelGrid_->addWidget(borderCheck_, 2, 0, 1, 5);
    panelGrid_->setRowMinimumHeight(3, kCheckGap);
    panelGrid_->addWidget(numberCheck_, 4, 0, 1, 5);

    // The dBase groups in the panel's place: the field, and what its memo holds.
    groupsRow_ = new QWidget(this);
    groupsRow_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* groups = new QHBoxLayout(groupsRow_);
    groups->setContentsMargins(kMargin, kGroupsTop, kMargin, 0);
    groups->setSpacing(kMargin);
    fieldGroup_ = new QGroupBox(UiText(kTextFieldGroup), groupsRow_);
    auto* field = new QGridLayout(fieldGroup_);
    field->setContentsMargins(10, 4, 10, 6);
    field->setHorizontalSpacing(6);
    fieldTypeLabel_ = new QLabel(UiText(kTextFieldType), fieldGroup_);
    fieldTypeValue_ = new QLabel(QStringLiteral("B (Binary)"), fieldGroup_);
    fieldNameLabel_ = new QLabel(UiText(kTextFieldName), fieldGroup_);
    fieldNameEdit_ = new QLineEdit(fieldGroup_);
    fieldNameEdit_->setMaxLength(10);
    fieldNameEdit_->setMinimumWidth(fieldNameEdit_->fontMetrics().horizontalAdvance(QStringLiteral("ICON_FIELD")) + 16);
    fieldNameEdit_->setFixedHeight(kFieldHeight);
    field->addWidget(fieldTypeLabel_, 0, 0);
    field->addWidget(fieldTypeValue_, 0, 1);
    field->addWidget(fieldNameLabel_, 1, 0);
    field->addWidget(fieldNameEdit_, 1, 1);
    field->setColumnStretch(1, 1);

    exportAsGroup_ = new QGroupBox(UiText(kTextExportAs), groupsRow_);
    auto* exportAs = new QGridLayout(exportAsGroup_);
    exportAs->setContentsMargins(10, 0, 10, 2);
    exportAs->setVerticalSpacing(1);
    exportAs->setHorizontalSpacing(kMargin);
    exportAsButtons_ = new QButtonGroup(this);
    // The memo kinds in kPictureKinds order: a button's id is its kind's position there.
    const int itemIds[] = {kTextExportAsIcon,     kTextExportAsBitmap, kTextExportAsJpeg,
                           kTextExportAsMetafile, kTextExportAsGif,    kTextExportAsPng};
    static_assert(std::size(itemIds) == kPictureKinds.size());
    for (int i = 0; i < static_cast<int>(kPictureKinds.size()); ++i) {
        auto* item = new QRadioButton(UiText(itemIds[i]), exportAsGroup_);
        item->setFixedHeight(kCheckHeight);
        exportAs->addWidget(item, i % 3, i / 3); // two columns, filled down
        exportAsButtons_->addButton(item, i);
    }
    for (QGroupBox* group : {fieldGroup_, exportAsGroup_}) {
        group->setMinimumHeight(kGroupHeight);
        group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    groups->addWidget(fieldGroup_, 220); // the design's share of the width for each
    groups->addWidget(exportAsGroup_, 229);

    grayScaleCheck_ = new QCheckBox(UiText(kTextConvertToGrayScale), this);
    grayScaleCheck_->setFixedHeight(kCheckHeight);
    skipNoteLabel_ = new QLabel(UiText(kTextSkipOptionsNote), this);
    skipNoteLabel_->setWordWrap(true);
    skipNoteLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    skipNoteLabel_->setStyleSheet(QStringLiteral("color: grey"));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(UiText(kTextCancel), this);
    helpButton_ = new QPushButton(UiText(kTextHelpButton), this);
    helpButton_->setEnabled(false); // until setHelp names the help to open
    for (QPushButton* button : {okButton_, cancelButton_, helpButton_})
        FitButtonToCaption(button);

    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(0, 0, 0, kBottomMargin);
    column_->setSpacing(0);
    column_->addWidget(htmlPanel_);
    column_->addWidget(groupsRow_);
    grayGap_ = new QSpacerItem(0, kGrayGap, QSizePolicy::Minimum, QSizePolicy::Fixed);
    column_->addItem(grayGap_);
    auto* gray = new QHBoxLayout;
    gray->setContentsMargins(kMargin, 0, kMargin, 0);
    gray->addWidget(grayScaleCheck_);
    column_->addLayout(gray);
    column_->addSpacing(kNoteGap);
    auto* note = new QHBoxLayout;
    note->setContentsMargins(kMargin, 0, kMargin, 0);
    note->addWidget(skipNoteLabel_);
    column_->addLayout(note);
    column_->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(kMargin, 0, kBottomMargin, 0);
    buttons->setSpacing(kButtonGap);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(helpButton_);
    column_->addLayout(buttons);
    showControlsOf(kind_);

    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (help_) help_->RunHelp(kHelpTopicExport);
    });
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(columnCountEdit_, &QLineEdit::textChanged, this, [this] { columnCountChanged(); });
    connect(exportAsButtons_, &QButtonGroup::idClicked, this, [this] { exportTypeChanged(); });
    columnCountEdit_->installEventFilter(this);
}

void ExportOptionsDialog::setHelp(HelpService* help)
{
    help_ = help;
    helpButton_->setEnabled(help != nullptr);
}

// The controls of an export. The PDF panel loses the row of the column count and the format,
// so the check boxes move up by its height and gap; the spreadsheet's grey-scale box stands at
// the top, a margin below the edge.
void ExportOptionsDialog::showControlsOf(ExportKind kind)
{
    const bool html = kind == ExportKind::Html, dbase = kind == ExportKind::Dbase, pdf = kind == ExportKind::Pdf;
    htmlPanel_->setVisible(html || pdf);
    for (QWidget* dbaseOnly : std::initializer_list<QWidget*>{groupsRow_, fieldGroup_, exportAsGroup_})
        dbaseOnly->setVisible(dbase);
    for (QWidget* control :
         std::initializer_list<QWidget*>{columnCountLabel_, columnCountEdit_, imageTypeLabel_, imageTypeCombo_})
        control->setVisible(html);
    panelGrid_->setRowMinimumHeight(1, html ? kFieldGap : 0);
    grayGap_->changeSize(0, html || pdf || dbase ? kGrayGap : kMargin, QSizePolicy::Minimum, QSizePolicy::Fixed);
    fitToContents();
}

// The design's size, or more where the texts need it: the widest row sets the width, and the
// note's lines at that width its height.
void ExportOptionsDialog::fitToContents()
{
    for (QWidget* part : {static_cast<QWidget*>(htmlPanel_), groupsRow_, static_cast<QWidget*>(fieldGroup_),
                          static_cast<QWidget*>(exportAsGroup_)}) {
        part->layout()->invalidate();
        part->updateGeometry();
    }
    column_->invalidate();
    const int width = std::max(kDesignWidth, column_->totalMinimumSize().width());
    skipNoteLabel_->setMinimumHeight(std::max(kNoteHeight, skipNoteLabel_->heightForWidth(width - 2 * kMargin)));
    column_->invalidate();
    const int height = std::max(kDesignHeight, column_->totalMinimumSize().height());
    setFixedSize(width, height);
    // The rows take their places now, also before the dialog is shown.
    column_->activate();
    for (QWidget* part : {htmlPanel_, groupsRow_})
        part->layout()->activate();
}

void ExportOptionsDialog::prepare(ExportKind kind, const ExportSettings& settings)
{
    kind_ = kind;
    const bool html = kind == ExportKind::Html, dbase = kind == ExportKind::Dbase, pdf = kind == ExportKind::Pdf;
    setWindowTitle(html    ? UiText(kTextHtmlOptionsTitle)
                   : dbase ? UiText(kTextDbfOptionsTitle)
                   : pdf   ? UiText(kTextPdfOptionsTitle)
                           : UiText(kTextXlsxOptionsTitle));
    showControlsOf(kind);

    columnCountEdit_->setText(QString::number(settings.columnCount));
    imageTypeCombo_->setCurrentIndex(HtmlPictureTypeCode(settings.targetImageType));
    borderCheck_->setChecked(settings.drawBorders);
    numberCheck_->setChecked(settings.includeNumbers);
    grayScaleCheck_->setChecked(settings.grayScale);
    fieldNameEdit_->setText(QString::fromStdString(settings.dbfFieldName));
    if (QAbstractButton* item = exportAsButtons_->button(PictureKindPosition(ValidDbfType(settings.dbfType))))
        item->setChecked(true);
    grayScaleCheck_->setEnabled(dbase ? exportTypeIndex() > 0 : true);
    columnCountChanged();
    if (html)
        columnCountEdit_->setFocus();
    else if (dbase)
        fieldNameEdit_->setFocus();
    else if (pdf)
        borderCheck_->setFocus();
    else
        grayScaleCheck_->setFocus();
}

int ExportOptionsDialog::exportTypeIndex() const
{
    return exportAsButtons_->checkedId() < 0 ? 0 : exportAsButtons_->checkedId();
}

// OK needs a column count; a count of 0 is refused too, since the table needs a column.
void ExportOptionsDialog::columnCountChanged()
{
    if (kind_ != ExportKind::Html) {
        okButton_->setEnabled(true);
        return;
    }
    const std::string text = columnCountEdit_->text().toStdString();
    const std::optional<int> value = ParseColumnCount(text);
    const bool blank = Trim(text, IsAsciiSpace).empty();
    okButton_->setEnabled(!blank && !(value && *value <= 0));
}

void ExportOptionsDialog::exportTypeChanged()
{
    grayScaleCheck_->setEnabled(exportTypeIndex() > 0);
}

// Only digits and control keys reach the column count while typing; pasting is not filtered.
bool ExportOptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == columnCountEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool control =
            text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (!control && !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<ExportSettings> ExportOptionsDialog::readBack(const ExportSettings& settings, std::string& error) const
{
    ExportSettings result = settings;
    switch (kind_) {
    case ExportKind::Html: {
        const std::string text = columnCountEdit_->text().toStdString();
        const std::optional<int> columns = ParseColumnCount(text);
        if (!columns) {
            error = "'" + text + "' is not a valid integer value.";
            return std::nullopt;
        }
        result.includeNumbers = numberCheck_->isChecked();
        result.drawBorders = borderCheck_->isChecked();
        result.targetImageType = HtmlPictureTypeFromCode(imageTypeCombo_->currentIndex());
        result.grayScale = grayScaleCheck_->isChecked();
        result.columnCount = *columns;
        break;
    }
    case ExportKind::Dbase:
        result.dbfFieldName = fieldNameEdit_->text().toStdString();
        result.dbfType = PictureKindAt(exportTypeIndex());
        result.grayScale = grayScaleCheck_->isChecked();
        break;
    case ExportKind::Pdf:
        result.includeNumbers = numberCheck_->isChecked();
        result.drawBorders = borderCheck_->isChecked();
        result.grayScale = grayScaleCheck_->isChecked();
        break;
    case ExportKind::Xlsx: result.grayScale = grayScaleCheck_->isChecked(); break;
    }
    return result;
}

} // namespace glyphora
