// The print choices dialog.
#include "app/gui/PrintDialog.h"

#include "app/gui/UiText.h"
#include "i18n/Help.h"
#include "i18n/TextIds.h"
#include "widgets/PushButton.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

namespace glyphora {

namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 205;
constexpr int kButtonTop = 168;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 27;

// A labelled pair of exclusive choices: the label at top, the two choices below it.
struct ChoicePair {
    QLabel* label;
    QRadioButton* first;
    QRadioButton* second;
};

ChoicePair MakeChoicePair(QWidget* parent, int top, const QString& label, const QString& first, const QString& second,
                          QObject* owner)
{
    ChoicePair pair{new QLabel(label, parent), new QRadioButton(first, parent), new QRadioButton(second, parent)};
    pair.label->setGeometry(16, top, 320, 17);
    pair.first->setGeometry(32, top + 22, 300, 20);
    pair.second->setGeometry(32, top + 44, 300, 20);
    auto* group = new QButtonGroup(owner);
    group->addButton(pair.first);
    group->addButton(pair.second);
    return pair;
}

PushButton* MakeButton(const QString& caption, int left, QWidget* parent)
{
    auto* button = new PushButton(caption, parent);
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(UiText(kTextPrintCaption));
    setFixedSize(kClientWidth, kClientHeight);

    const ChoicePair image = MakeChoicePair(this, 10, UiText(kTextPrintImageToPrint), UiText(kTextPrintFullImage),
                                            UiText(kTextPrintSelectedImage), this);
    imageLabel_ = image.label;
    fullButton_ = image.first;
    selectedButton_ = image.second;

    scalePanel_ = new QWidget(this);
    scalePanel_->setGeometry(0, 80, kClientWidth, 80);
    const ChoicePair scale = MakeChoicePair(scalePanel_, 6, UiText(kTextPrintScale), UiText(kTextPrintActualSize),
                                            UiText(kTextPrintFitToPage), this);
    scaleLabel_ = scale.label;
    actualSizeButton_ = scale.first;
    fitToPageButton_ = scale.second;

    previewButton_ = MakeButton(UiText(kTextPrintPreviewButton), 8, this);
    okButton_ = MakeButton(QStringLiteral("OK"), kClientWidth - 3 * (kButtonWidth + 6) - 2, this);
    okButton_->setDefault(true);
    cancelButton_ = MakeButton(UiText(kTextCancel), kClientWidth - 2 * (kButtonWidth + 6) - 2, this);
    helpButton_ = MakeButton(UiText(kTextHelpButton), kClientWidth - (kButtonWidth + 6) - 2, this);
    helpButton_->setEnabled(false);

    connect(okButton_, &QAbstractButton::clicked, this, [this] {
        preview_ = false;
        accept();
    });
    connect(previewButton_, &QAbstractButton::clicked, this, [this] {
        preview_ = true;
        accept();
    });
    connect(cancelButton_, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(helpButton_, &QAbstractButton::clicked, this, [this] {
        if (help_) help_->RunHelp(kHelpTopicPrinting);
    });

    const std::pair<QObject*, const char*> named[] = {
        {imageLabel_, "imageLabel"},           {fullButton_, "fullButton"}, {selectedButton_, "selectedButton"},
        {scalePanel_, "scalePanel"},           {scaleLabel_, "scaleLabel"}, {actualSizeButton_, "actualSizeButton"},
        {fitToPageButton_, "fitToPageButton"}, {okButton_, "okButton"},     {previewButton_, "previewButton"},
        {cancelButton_, "cancelButton"},       {helpButton_, "helpButton"},
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

void PrintDialog::setHelp(HelpService* help)
{
    help_ = help;
    helpButton_->setEnabled(help != nullptr);
}

} // namespace glyphora
