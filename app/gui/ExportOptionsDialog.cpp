// The export options dialog.
#include "app/gui/ExportOptionsDialog.h"

#include "app/gui/UiText.h"
#include "i18n/TextIds.h"

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

namespace glyphora {

namespace {

QString Caption(int id, const char* design)
{
    return UiText(id, design);
}

// Design positions (client 473 x 233). The movable controls' tops in the full layout.
constexpr int kBorderTop = 46;
constexpr int kNumberTop = 68;
constexpr int kGrayTop = 100;
constexpr int kNoteTop = 124;
constexpr int kPanelHeight = 90;

} // namespace

std::optional<int> ParseColumnCount(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string trimmed = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(trimmed.c_str(), &end, 10);
    if (end == trimmed.c_str() || *end != '\0' || errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

TSaveFrm::TSaveFrm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export"));
    setFixedSize(473, 233);

    HTMLPanel = new QWidget(this);
    HTMLPanel->setGeometry(0, 0, 473, kPanelHeight);
    Label1 = new QLabel(Caption(kTextColumnCount, "&Column count:"), HTMLPanel);
    Label1->setGeometry(8, 12, 110, 17);
    Edit1 = new QLineEdit(HTMLPanel);
    Edit1->setGeometry(120, 8, 60, 24);
    Edit1->setMaxLength(5);
    Label1->setBuddy(Edit1);
    Label6 = new QLabel(Caption(kTextTargetImageFormat, "Target &image format:"), HTMLPanel);
    Label6->setGeometry(200, 12, 150, 17);
    ImageTypeCombo = new QComboBox(HTMLPanel);
    ImageTypeCombo->addItems({QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("GIF")});
    ImageTypeCombo->setGeometry(356, 8, 100, 24);
    Label6->setBuddy(ImageTypeCombo);
    BorderCheck = new QCheckBox(Caption(kTextDrawTableBorder, "Draw table &border"), HTMLPanel);
    NumberCheck = new QCheckBox(Caption(kTextIncludeIconNumbers, "Include icon &numbers"), HTMLPanel);

    FieldGrp = new QGroupBox(Caption(kTextFieldGroup, "Field to store icons"), this);
    FieldGrp->setGeometry(8, 2, 220, 88);
    Label2 = new QLabel(Caption(kTextFieldType, "Field type:"), FieldGrp);
    Label2->setGeometry(10, 24, 80, 17);
    Label3 = new QLabel(QStringLiteral("B (Binary)"), FieldGrp);
    Label3->setGeometry(96, 24, 110, 17);
    Label4 = new QLabel(Caption(kTextFieldName, "Field name:"), FieldGrp);
    Label4->setGeometry(10, 54, 80, 17);
    FieldEdit = new QLineEdit(FieldGrp);
    FieldEdit->setGeometry(96, 50, 110, 24);
    FieldEdit->setMaxLength(10);

    TypeGrp = new QGroupBox(Caption(kTextExportAs, "Export as"), this);
    TypeGrp->setGeometry(236, 2, 229, 88);
    TypeButtons = new QButtonGroup(this);
    const int itemIds[] = {kTextExportAsIcon, kTextExportAsBitmap, kTextExportAsJpeg,
                           kTextExportAsMetafile, kTextExportAsGif, kTextExportAsPng};
    const char* designItems[] = {"Icon", "Bitmap", "JPEG", "Metafile", "GIF", "PNG"};
    for (int i = 0; i < 6; ++i) {
        auto* item = new QRadioButton(Caption(itemIds[i], designItems[i]), TypeGrp);
        item->setGeometry(10 + (i / 3) * 108, 20 + (i % 3) * 21, 104, 20); // two columns, filled down
        TypeButtons->addButton(item, i);
    }

    GrayScaleCheck = new QCheckBox(Caption(kTextConvertToGrayScale, "Convert images to &gray scale"), this);
    Label5 = new QLabel(Caption(kTextSkipOptionsNote, "To skip this window and use current settings, call this "
                                                      "function holding CTRL+SHIFT down."), this);
    Label5->setWordWrap(true);
    Label5->setStyleSheet(QStringLiteral("color: grey"));
    PlaceMovable(0);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(222, 196, 75, 27);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(Caption(kTextCancel, "Cancel"), this);
    CancelBtn->setGeometry(305, 196, 75, 27);
    HelpBtn = new QPushButton(Caption(kTextHelpButton, "&Help"), this);
    HelpBtn->setGeometry(388, 196, 75, 27);
    HelpBtn->setEnabled(false); // the help system comes with the help files
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connect(TypeButtons, &QButtonGroup::idClicked, this, [this] { TypeGrpClick(); });
    Edit1->installEventFilter(this);
}

void TSaveFrm::PlaceMovable(int shift)
{
    BorderCheck->setGeometry(8, kBorderTop - shift, 300, 20);
    NumberCheck->setGeometry(8, kNumberTop - shift, 300, 20);
    HTMLPanel->setGeometry(0, 0, 473, kPanelHeight - shift);
    GrayScaleCheck->setGeometry(8, kGrayTop - shift, 400, 20);
    Label5->setGeometry(8, kNoteTop - shift, 457, 40);
}

void TSaveFrm::Prepare(ExportKind kind, const ExportSettings& settings)
{
    kind_ = kind;
    const bool html = kind == ExportKind::Html, dbase = kind == ExportKind::Dbase, pdf = kind == ExportKind::Pdf;
    setWindowTitle(html ? Caption(kTextHtmlOptionsTitle, "Export")
                        : dbase ? Caption(kTextDbfOptionsTitle, "Export") : Caption(kTextPdfOptionsTitle, "Export"));
    HTMLPanel->setVisible(!dbase);
    FieldGrp->setVisible(dbase);
    TypeGrp->setVisible(dbase);
    Label1->setVisible(html);
    Edit1->setVisible(html);
    Label6->setVisible(html);
    ImageTypeCombo->setVisible(html);
    PlaceMovable(pdf ? kPdfShift : 0);

    Edit1->setText(QString::number(settings.ColumnCount));
    ImageTypeCombo->setCurrentIndex(ValidTargetImageType(settings.TargetImageType));
    BorderCheck->setChecked(settings.DrawBorders);
    NumberCheck->setChecked(settings.IncludeNumbers);
    GrayScaleCheck->setChecked(settings.GrayScale);
    FieldEdit->setText(QString::fromStdString(settings.DBFFieldName));
    if (QAbstractButton* item = TypeButtons->button(ValidDbfType(settings.DBFType)))
        item->setChecked(true);
    GrayScaleCheck->setEnabled(dbase ? TypeIndex() > 0 : true);
    Edit1Change();
    if (html)
        Edit1->setFocus();
    else if (dbase)
        FieldEdit->setFocus();
    else
        BorderCheck->setFocus();
}

int TSaveFrm::TypeIndex() const
{
    return TypeButtons->checkedId() < 0 ? 0 : TypeButtons->checkedId();
}

// OK needs a column count; a count of 0 is refused too, since the table needs a column.
void TSaveFrm::Edit1Change()
{
    if (kind_ != ExportKind::Html) {
        OKBtn->setEnabled(true);
        return;
    }
    const std::string text = Edit1->text().toStdString();
    const std::optional<int> value = ParseColumnCount(text);
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    OKBtn->setEnabled(!blank && !(value && *value <= 0));
}

void TSaveFrm::TypeGrpClick()
{
    GrayScaleCheck->setEnabled(TypeIndex() > 0);
}

// Only digits and control keys reach the column count while typing; pasting is not filtered.
bool TSaveFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool control = text.isEmpty() || !text.at(0).isPrint() ||
                             (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (!control && !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<ExportSettings> TSaveFrm::ReadBack(const ExportSettings& settings, std::string& error) const
{
    ExportSettings result = settings;
    switch (kind_) {
    case ExportKind::Html: {
        const std::string text = Edit1->text().toStdString();
        const std::optional<int> columns = ParseColumnCount(text);
        if (!columns) {
            error = "'" + text + "' is not a valid integer value.";
            return std::nullopt;
        }
        result.IncludeNumbers = NumberCheck->isChecked();
        result.DrawBorders = BorderCheck->isChecked();
        result.TargetImageType = ImageTypeCombo->currentIndex();
        result.GrayScale = GrayScaleCheck->isChecked();
        result.ColumnCount = *columns;
        break;
    }
    case ExportKind::Dbase:
        result.DBFFieldName = FieldEdit->text().toStdString();
        result.DBFType = TypeIndex();
        result.GrayScale = GrayScaleCheck->isChecked();
        break;
    case ExportKind::Pdf:
        result.IncludeNumbers = NumberCheck->isChecked();
        result.DrawBorders = BorderCheck->isChecked();
        result.GrayScale = GrayScaleCheck->isChecked();
        break;
    }
    return result;
}

} // namespace glyphora
