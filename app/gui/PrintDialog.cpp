// The print choices dialog.
#include "app/gui/PrintDialog.h"

#include "app/gui/UiText.h"
#include "i18n/Help.h"
#include "i18n/TextIds.h"
#include "widgets/PushButton.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace glyphora {

namespace {

// The design (client 360 x 205): rows of fixed height at fixed distances; the widths come from
// the texts through the layouts, and the dialog grows beyond the design where a language needs it.
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 205;
constexpr int kLabelLeft = 16;
constexpr int kChoiceIndent = 16; // the choices stand right of their label's start
constexpr int kRightMargin = 8;
constexpr int kLabelHeight = 17;
constexpr int kChoiceHeight = 20;
constexpr int kButtonWidth = 75; // the least width of a button; a longer caption widens it
constexpr int kButtonHeight = 27;
constexpr int kButtonGap = 6;
constexpr int kBottomMargin = 10;

// A labelled pair of exclusive choices: the label at top, the two choices below it, 22 pixels
// apart as in the design.
struct ChoicePair {
    QLabel* label;
    QRadioButton* first;
    QRadioButton* second;
};

ChoicePair MakeChoicePair(QWidget* parent, QGridLayout* grid, int top, const QString& label, const QString& first,
                          const QString& second, QObject* owner)
{
    ChoicePair pair{new QLabel(label, parent), new QRadioButton(first, parent), new QRadioButton(second, parent)};
    grid->setContentsMargins(kLabelLeft, top, kRightMargin, 0);
    grid->setSpacing(0);
    grid->setColumnMinimumWidth(0, kChoiceIndent);
    pair.label->setFixedHeight(kLabelHeight);
    grid->addWidget(pair.label, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 22 - kLabelHeight);
    grid->addWidget(pair.first, 2, 1);
    grid->setRowMinimumHeight(3, 22 - kChoiceHeight);
    grid->addWidget(pair.second, 4, 1);
    for (QRadioButton* choice : {pair.first, pair.second})
        choice->setFixedHeight(kChoiceHeight);
    auto* group = new QButtonGroup(owner);
    group->addButton(pair.first);
    group->addButton(pair.second);
    return pair;
}

PushButton* MakeButton(const QString& caption, QWidget* parent)
{
    auto* button = new PushButton(caption, parent);
    button->setFixedHeight(kButtonHeight);
    return button;
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(UiText(kTextPrintCaption));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, kBottomMargin);
    column->setSpacing(0);
    auto* imageGrid = new QGridLayout;
    const ChoicePair image = MakeChoicePair(this, imageGrid, 10, UiText(kTextPrintImageToPrint),
                                            UiText(kTextPrintFullImage), UiText(kTextPrintSelectedImage), this);
    imageLabel_ = image.label;
    fullButton_ = image.first;
    selectedButton_ = image.second;
    column->addLayout(imageGrid);

    // The scale choices on a panel of their own, 80 pixels high, from the design's y = 80.
    scalePanel_ = new QWidget(this);
    scalePanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* scaleGrid = new QGridLayout(scalePanel_);
    const ChoicePair scale = MakeChoicePair(scalePanel_, scaleGrid, 6, UiText(kTextPrintScale),
                                            UiText(kTextPrintActualSize), UiText(kTextPrintFitToPage), this);
    scaleGrid->setContentsMargins(kLabelLeft, 6, kRightMargin, 10);
    scaleLabel_ = scale.label;
    actualSizeButton_ = scale.first;
    fitToPageButton_ = scale.second;
    column->addSpacing(6);
    column->addWidget(scalePanel_);
    column->addStretch(1);

    // Preview at the left, apart from OK, Cancel and Help at the right.
    previewButton_ = MakeButton(UiText(kTextPrintPreviewButton), this);
    okButton_ = MakeButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = MakeButton(UiText(kTextCancel), this);
    helpButton_ = MakeButton(UiText(kTextHelpButton), this);
    helpButton_->setEnabled(false);
    // Each button as wide as its caption needs (bold on the default button), at least the design's width.
    for (PushButton* button : {previewButton_, okButton_, cancelButton_, helpButton_})
        button->setMinimumWidth(std::max(kButtonWidth, button->sizeHint().width()));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->setSpacing(kButtonGap);
    buttons->addWidget(previewButton_);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(helpButton_);
    column->addLayout(buttons);
    setFixedSize(std::max(kClientWidth, column->totalMinimumSize().width()),
                 std::max(kClientHeight, column->totalMinimumSize().height()));
    // The rows take their places now, also before the dialog is shown.
    column->activate();
    scaleGrid->activate();

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
