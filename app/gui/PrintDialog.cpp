// The print choices dialog.
#include "app/gui/PrintDialog.h"

#include "app/gui/UiText.h"
#include "i18n/TextIds.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace glyphora {

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 205;
constexpr int kButtonTop = 168;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 27;

QPushButton* MakeButton(const QString& caption, int left, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(UiText(kTextPrintCaption, "Printing icon(s)"));
    setFixedSize(kClientWidth, kClientHeight);

    imageLabel_ = new QLabel(UiText(kTextPrintImageToPrint, "Image to print:"), this);
    imageLabel_->setGeometry(16, 10, 320, 17);
    fullButton_ = new QRadioButton(UiText(kTextPrintFullImage, "&Full image"), this);
    fullButton_->setGeometry(32, 32, 300, 20);
    selectedButton_ = new QRadioButton(UiText(kTextPrintSelectedImage, "&Selected image"), this);
    selectedButton_->setGeometry(32, 54, 300, 20);
    auto* imageGroup = new QButtonGroup(this);
    imageGroup->addButton(fullButton_);
    imageGroup->addButton(selectedButton_);

    scalePanel_ = new QWidget(this);
    scalePanel_->setGeometry(0, 80, kClientWidth, 80);
    scaleLabel_ = new QLabel(UiText(kTextPrintScale, "Scale:"), scalePanel_);
    scaleLabel_->setGeometry(16, 6, 320, 17);
    actualSizeButton_ = new QRadioButton(UiText(kTextPrintActualSize, "&Actual size"), scalePanel_);
    actualSizeButton_->setGeometry(32, 28, 300, 20);
    fitToPageButton_ = new QRadioButton(UiText(kTextPrintFitToPage, "Fit to &page"), scalePanel_);
    fitToPageButton_->setGeometry(32, 50, 300, 20);
    auto* scaleGroup = new QButtonGroup(this);
    scaleGroup->addButton(actualSizeButton_);
    scaleGroup->addButton(fitToPageButton_);

    previewButton_ = MakeButton(QStringLiteral("Pre&view"), 8, this);
    okButton_ = MakeButton(QStringLiteral("OK"), kClientWidth - 3 * (kButtonWidth + 6) - 2, this);
    okButton_->setDefault(true);
    cancelButton_ = MakeButton(UiText(kTextCancel, "Cancel"), kClientWidth - 2 * (kButtonWidth + 6) - 2, this);
    helpButton_ = MakeButton(UiText(kTextHelpButton, "&Help"), kClientWidth - (kButtonWidth + 6) - 2, this);
    helpButton_->setEnabled(false);

    connect(okButton_, &QPushButton::clicked, this, [this] {
        preview_ = false;
        accept();
    });
    connect(previewButton_, &QPushButton::clicked, this, [this] {
        preview_ = true;
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton_, &QPushButton::clicked, this, [this] {
        if (helpRequest_) helpRequest_();
    });

    const std::pair<QObject*, const char*> named[] = {
        {imageLabel_, "imageLabel"},     {fullButton_, "fullButton"},       {selectedButton_, "selectedButton"},
        {scalePanel_, "scalePanel"},     {scaleLabel_, "scaleLabel"},       {actualSizeButton_, "actualSizeButton"},
        {fitToPageButton_, "fitToPageButton"}, {okButton_, "okButton"},     {previewButton_, "previewButton"},
        {cancelButton_, "cancelButton"}, {helpButton_, "helpButton"},
    };
    for (const auto& [object, name] : named)
        object->setObjectName(QString::fromLatin1(name));
    prepare(false);
}

void PrintDialog::prepare(bool selectionAvailable)
{
    fullButton_->setChecked(true);
    selectedButton_->setEnabled(selectionAvailable);
    actualSizeButton_->setChecked(true);
    preview_ = false;
    okButton_->setFocus();
}

PrintChoices PrintDialog::choices() const
{
    PrintChoices choices;
    choices.all = fullButton_->isChecked() || !selectedButton_->isEnabled();
    choices.sizing = actualSizeButton_->isChecked() ? PrintSizing::ActualSize : PrintSizing::FitToPage;
    choices.preview = preview_;
    return choices;
}

void PrintDialog::setHelpRequest(std::function<void()> request)
{
    helpRequest_ = std::move(request);
    helpButton_->setEnabled(static_cast<bool>(helpRequest_));
}

} // namespace glyphora
