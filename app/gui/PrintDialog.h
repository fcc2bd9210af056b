// The print choices dialog (its buttons are the in-house push buttons): the whole grid or the selected icon, at its screen size or fitted
// to the page, then OK (print), Preview (see the page first), Cancel or Help. Captions come from
// the language pack. Child widgets are owned by the dialog (Qt's parent ownership).
#pragma once

#include "app/gui/DialogService.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QWidget;

namespace glyphora {

class HelpService;
class PushButton;

class PrintDialog final : public QDialog {
public:
    explicit PrintDialog(QWidget* parent = nullptr);

    // Starts from "Full image" and "Actual size"; "Selected image" can be chosen only when
    // selectionAvailable.
    void prepare(bool selectionAvailable);

    // The choices as they stand (preview is set when the dialog was closed with Preview).
    PrintChoices choices() const;

    // The help the Help button opens (the page "printing-icons"); without one the button is
    // disabled.
    void setHelp(HelpService* help);

    QLabel* imageLabel() const { return imageLabel_; }
    QRadioButton* fullButton() const { return fullButton_; }
    QRadioButton* selectedButton() const { return selectedButton_; }
    QWidget* scalePanel() const { return scalePanel_; }
    QLabel* scaleLabel() const { return scaleLabel_; }
    QRadioButton* actualSizeButton() const { return actualSizeButton_; }
    QRadioButton* fitToPageButton() const { return fitToPageButton_; }
    PushButton* okButton() const { return okButton_; }
    PushButton* previewButton() const { return previewButton_; }
    PushButton* cancelButton() const { return cancelButton_; }
    PushButton* helpButton() const { return helpButton_; }

private:
    QLabel* imageLabel_ = nullptr;
    QRadioButton* fullButton_ = nullptr;
    QRadioButton* selectedButton_ = nullptr;
    QWidget* scalePanel_ = nullptr;
    QLabel* scaleLabel_ = nullptr;
    QRadioButton* actualSizeButton_ = nullptr;
    QRadioButton* fitToPageButton_ = nullptr;
    PushButton* okButton_ = nullptr;
    PushButton* previewButton_ = nullptr;
    PushButton* cancelButton_ = nullptr;
    PushButton* helpButton_ = nullptr;
    HelpService* help_ = nullptr;
    bool preview_ = false;
};

} // namespace glyphora
