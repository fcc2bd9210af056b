// TSaveFrm, the export options dialog: edits the export settings before an HTML, dBase or
// PDF export and shows only the controls that export uses. The controls keep their form
// names so that the window's tests can reach them. Child widgets are owned by the dialog
// (Qt's parent ownership).
#pragma once

#include "app/gui/DialogService.h"

#include <QDialog>

#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace glyphora {

class TSaveFrm final : public QDialog {
public:
    explicit TSaveFrm(QWidget* parent = nullptr); // FormCreate: captions from the pack

    // Title, visible controls and values for an export (the PDF layout closes the gap of
    // the hidden column count and image format).
    void Prepare(ExportKind kind, const ExportSettings& settings);

    // The settings read back after OK, starting from settings. A column count that is not
    // a number (possible by pasting) gives no settings and the conversion error in error.
    std::optional<ExportSettings> ReadBack(const ExportSettings& settings, std::string& error) const;

    ExportKind Kind() const { return kind_; }

    // Design distance between the tops of BorderCheck and Edit1: what the PDF layout moves up.
    static constexpr int kPdfShift = 38;

    QWidget* HTMLPanel;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label6;
    QComboBox* ImageTypeCombo;
    QCheckBox* BorderCheck;
    QCheckBox* NumberCheck;
    QGroupBox* FieldGrp;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* FieldEdit;
    QGroupBox* TypeGrp;
    QButtonGroup* TypeButtons;
    QCheckBox* GrayScaleCheck;
    QLabel* Label5;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Edit1Change();
    void TypeGrpClick();
    int TypeIndex() const;
    void PlaceMovable(int shift);

    ExportKind kind_ = ExportKind::Html;
};

// The column count text as OK reads it: the trimmed text as an integer, or nothing.
std::optional<int> ParseColumnCount(const std::string& text);

} // namespace glyphora
