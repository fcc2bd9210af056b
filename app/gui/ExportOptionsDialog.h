// The export options dialog: edits the export settings before an HTML, dBase, PDF or spreadsheet export
// and shows only the controls that export uses. Laid out by layouts with the design's rows, so
// that a longer caption in another language widens the dialog instead of being cut. Tests
// reach the controls through the accessors. Child widgets are owned by the dialog (Qt's parent ownership).
#pragma once

#include "app/gui/DialogService.h"

#include <QDialog>

#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;
class QWidget;

namespace glyphora {

class HelpService;

class ExportOptionsDialog final : public QDialog {
public:
    explicit ExportOptionsDialog(QWidget* parent = nullptr); // captions come from the language pack

    // Title, visible controls and values for an export (the PDF layout closes the gap of
    // the hidden column count and image format); the dialog takes the size they need.
    void prepare(ExportKind kind, const ExportSettings& settings);

    // The settings read back after OK, starting from settings. A column count that is not
    // a number (possible by pasting) gives no settings and the conversion error in error.
    std::optional<ExportSettings> readBack(const ExportSettings& settings, std::string& error) const;

    ExportKind kind() const { return kind_; }

    // The help the help button opens (the page "export"); without one the button is disabled.
    void setHelp(HelpService* help);

    // Design distance between the tops of borderCheck_ and columnCountEdit_: what the PDF layout moves up.
    static constexpr int kPdfShift = 38;

    // The controls, for tests and the window's help wiring.
    QWidget* htmlPanel() const { return htmlPanel_; }
    QLabel* columnCountLabel() const { return columnCountLabel_; }
    QLineEdit* columnCountEdit() const { return columnCountEdit_; }
    QLabel* imageTypeLabel() const { return imageTypeLabel_; }
    QComboBox* imageTypeCombo() const { return imageTypeCombo_; }
    QCheckBox* borderCheck() const { return borderCheck_; }
    QCheckBox* numberCheck() const { return numberCheck_; }
    QGroupBox* fieldGroup() const { return fieldGroup_; }
    QLabel* fieldTypeLabel() const { return fieldTypeLabel_; }
    QLabel* fieldTypeValue() const { return fieldTypeValue_; }
    QLabel* fieldNameLabel() const { return fieldNameLabel_; }
    QLineEdit* fieldNameEdit() const { return fieldNameEdit_; }
    QGroupBox* exportAsGroup() const { return exportAsGroup_; }
    QButtonGroup* exportAsButtons() const { return exportAsButtons_; }
    QCheckBox* grayScaleCheck() const { return grayScaleCheck_; }
    QLabel* skipNoteLabel() const { return skipNoteLabel_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* helpButton() const { return helpButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void columnCountChanged();
    void exportTypeChanged();
    int exportTypeIndex() const;
    void showControlsOf(ExportKind kind);
    void fitToContents();

    ExportKind kind_ = ExportKind::Html;
    HelpService* help_ = nullptr;

    QVBoxLayout* column_ = nullptr;
    QWidget* htmlPanel_ = nullptr;
    QGridLayout* panelGrid_ = nullptr;
    QWidget* groupsRow_ = nullptr;
    QSpacerItem* grayGap_ = nullptr;
    QLabel* columnCountLabel_ = nullptr;
    QLineEdit* columnCountEdit_ = nullptr;
    QLabel* imageTypeLabel_ = nullptr;
    QComboBox* imageTypeCombo_ = nullptr;
    QCheckBox* borderCheck_ = nullptr;
    QCheckBox* numberCheck_ = nullptr;
    QGroupBox* fieldGroup_ = nullptr;
    QLabel* fieldTypeLabel_ = nullptr;
    QLabel* fieldTypeValue_ = nullptr;
    QLabel* fieldNameLabel_ = nullptr;
    QLineEdit* fieldNameEdit_ = nullptr;
    QGroupBox* exportAsGroup_ = nullptr;
    QButtonGroup* exportAsButtons_ = nullptr;
    QCheckBox* grayScaleCheck_ = nullptr;
    QLabel* skipNoteLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

// The column count text as OK reads it: the trimmed text as an integer, or nothing.
std::optional<int> ParseColumnCount(const std::string& text);

} // namespace glyphora
