// The export options dialog.
#include "app/gui/ExportOptionsDialog.h"

#include "app/gui/UiText.h"
#include "i18n/Help.h"
#include "i18n/TextIds.h"
#include "platform/AsciiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iterator>

namespace glyphora {

namespace {

// Design positions (client 473 x 233). The movable controls' tops in the full layout.
constexpr int kBorderTop = 46;
constexpr int kNumberTop = 68;
constexpr int kGrayTop = 100;
constexpr int kNoteTop = 124;
constexpr int kPanelHeight = 90;
// The spreadsheet has only the grey-scale choice: it and the note move to the top.
constexpr int kXlsxShift = kGrayTop - 8;

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
    setFixedSize(473, 233);

    htmlPanel_ = new QWidget(this);
    htmlPanel_->setGeometry(0, 0, 473, kPanelHeight);
    columnCountLabel_ = new QLabel(UiText(kTextColumnCount), htmlPanel_);
    columnCountLabel_->setGeometry(8, 12, 110, 17);
    columnCountEdit_ = new QLineEdit(htmlPanel_);
    columnCountEdit_->setGeometry(120, 8, 60, 24);
    columnCountEdit_->setMaxLength(5);
    columnCountLabel_->setBuddy(columnCountEdit_);
    imageTypeLabel_ = new QLabel(UiText(kTextTargetImageFormat), htmlPanel_);
    imageTypeLabel_->setGeometry(200, 12, 150, 17);
    imageTypeCombo_ = new QComboBox(htmlPanel_);
    imageTypeCombo_->addItems({QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("GIF")});
    imageTypeCombo_->setGeometry(356, 8, 100, 24);
    imageTypeLabel_->setBuddy(imageTypeCombo_);
    borderCheck_ = new QCheckBox(UiText(kTextDrawTableBorder), htmlPanel_);
    numberCheck_ = new QCheckBox(UiText(kTextIncludeIconNumbers), htmlPanel_);

    fieldGroup_ = new QGroupBox(UiText(kTextFieldGroup), this);
    fieldGroup_->setGeometry(8, 2, 220, 88);
    fieldTypeLabel_ = new QLabel(UiText(kTextFieldType), fieldGroup_);
    fieldTypeLabel_->setGeometry(10, 24, 80, 17);
    fieldTypeValue_ = new QLabel(QStringLiteral("B (Binary)"), fieldGroup_);
    fieldTypeValue_->setGeometry(96, 24, 110, 17);
    fieldNameLabel_ = new QLabel(UiText(kTextFieldName), fieldGroup_);
    fieldNameLabel_->setGeometry(10, 54, 80, 17);
    fieldNameEdit_ = new QLineEdit(fieldGroup_);
    fieldNameEdit_->setGeometry(96, 50, 110, 24);
    fieldNameEdit_->setMaxLength(10);

    exportAsGroup_ = new QGroupBox(UiText(kTextExportAs), this);
    exportAsGroup_->setGeometry(236, 2, 229, 88);
    exportAsButtons_ = new QButtonGroup(this);
    // The memo kinds in kPictureKinds order: a button's id is its kind's position there.
    const int itemIds[] = {kTextExportAsIcon,     kTextExportAsBitmap, kTextExportAsJpeg,
                           kTextExportAsMetafile, kTextExportAsGif,    kTextExportAsPng};
    static_assert(std::size(itemIds) == kPictureKinds.size());
    for (int i = 0; i < static_cast<int>(kPictureKinds.size()); ++i) {
        auto* item = new QRadioButton(UiText(itemIds[i]), exportAsGroup_);
        item->setGeometry(10 + (i / 3) * 108, 20 + (i % 3) * 21, 104, 20); // two columns, filled down
        exportAsButtons_->addButton(item, i);
    }

    grayScaleCheck_ = new QCheckBox(UiText(kTextConvertToGrayScale), this);
    skipNoteLabel_ = new QLabel(UiText(kTextSkipOptionsNote), this);
    skipNoteLabel_->setWordWrap(true);
    skipNoteLabel_->setStyleSheet(QStringLiteral("color: grey"));
    placeMovable(0);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry(222, 196, 75, 27);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(UiText(kTextCancel), this);
    cancelButton_->setGeometry(305, 196, 75, 27);
    helpButton_ = new QPushButton(UiText(kTextHelpButton), this);
    helpButton_->setGeometry(388, 196, 75, 27);
    helpButton_->setEnabled(false); // until setHelp names the help to open
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

void ExportOptionsDialog::placeMovable(int shift)
{
    borderCheck_->setGeometry(8, kBorderTop - shift, 300, 20);
    numberCheck_->setGeometry(8, kNumberTop - shift, 300, 20);
    htmlPanel_->setGeometry(0, 0, 473, kPanelHeight - shift);
    grayScaleCheck_->setGeometry(8, kGrayTop - shift, 400, 20);
    skipNoteLabel_->setGeometry(8, kNoteTop - shift, 457, 40);
}

void ExportOptionsDialog::prepare(ExportKind kind, const ExportSettings& settings)
{
    kind_ = kind;
    const bool html = kind == ExportKind::Html, dbase = kind == ExportKind::Dbase, pdf = kind == ExportKind::Pdf;
    const bool xlsx = kind == ExportKind::Xlsx;
    setWindowTitle(html    ? UiText(kTextHtmlOptionsTitle)
                   : dbase ? UiText(kTextDbfOptionsTitle)
                   : pdf   ? UiText(kTextPdfOptionsTitle)
                           : UiText(kTextXlsxOptionsTitle));
    htmlPanel_->setVisible(html || pdf);
    fieldGroup_->setVisible(dbase);
    exportAsGroup_->setVisible(dbase);
    columnCountLabel_->setVisible(html);
    columnCountEdit_->setVisible(html);
    imageTypeLabel_->setVisible(html);
    imageTypeCombo_->setVisible(html);
    placeMovable(pdf ? kPdfShift : xlsx ? kXlsxShift : 0);

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
