// The export options dialog: captions, the controls of each export, the PDF layout, the
// column count's key filter and the enabling rules of OK and the grey-scale box.
#include "app/gui/ExportOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(ExportOptionsDialog, EachExportShowsItsOwnControlsAndTitle)
{
    ExportOptionsDialog dialog;
    EXPECT_EQ(dialog.size(), QSize(473, 233));
    EXPECT_EQ(dialog.columnCountLabel()->text(), "&Column count:");
    EXPECT_EQ(dialog.cancelButton()->text(), "Cancel");
    EXPECT_EQ(dialog.exportAsButtons()->button(3)->text(), "Metafile");

    ExportSettings settings;
    settings.columnCount = 5;
    dialog.prepare(ExportKind::Html, settings);
    EXPECT_EQ(dialog.windowTitle(), "HTML export options");
    EXPECT_FALSE(dialog.htmlPanel()->isHidden());
    EXPECT_FALSE(dialog.columnCountEdit()->isHidden());
    EXPECT_TRUE(dialog.fieldGroup()->isHidden());
    EXPECT_TRUE(dialog.exportAsGroup()->isHidden());
    EXPECT_EQ(dialog.columnCountEdit()->text(), "5");
    const int htmlBorderTop = dialog.borderCheck()->y();
    const int htmlGrayTop = dialog.grayScaleCheck()->y();
    EXPECT_EQ(htmlBorderTop - dialog.columnCountEdit()->y(), ExportOptionsDialog::kPdfShift);

    dialog.prepare(ExportKind::Dbase, settings);
    EXPECT_EQ(dialog.windowTitle(), "dBase export options");
    EXPECT_TRUE(dialog.htmlPanel()->isHidden());
    EXPECT_FALSE(dialog.fieldGroup()->isHidden());
    EXPECT_FALSE(dialog.exportAsGroup()->isHidden());
    EXPECT_EQ(dialog.fieldNameEdit()->text(), "ICON");
    EXPECT_EQ(dialog.fieldNameEdit()->maxLength(), 10);

    dialog.prepare(ExportKind::Pdf, settings);
    EXPECT_EQ(dialog.windowTitle(), "PDF export options");
    EXPECT_FALSE(dialog.htmlPanel()->isHidden());
    EXPECT_TRUE(dialog.columnCountEdit()->isHidden());
    EXPECT_TRUE(dialog.columnCountLabel()->isHidden());
    EXPECT_TRUE(dialog.imageTypeCombo()->isHidden());
    EXPECT_TRUE(dialog.imageTypeLabel()->isHidden());
    EXPECT_TRUE(dialog.fieldGroup()->isHidden());
    EXPECT_EQ(dialog.borderCheck()->y(), htmlBorderTop - 38);
    EXPECT_EQ(dialog.grayScaleCheck()->y(), htmlGrayTop - 38);
    EXPECT_EQ(dialog.htmlPanel()->height(), 90 - 38);
}

TEST(ExportOptionsDialog, SpreadsheetAsksOnlyForGreyScale)
{
    ExportOptionsDialog dialog;
    ExportSettings settings;
    settings.includeNumbers = false;
    settings.drawBorders = false;
    settings.columnCount = 4;
    dialog.prepare(ExportKind::Xlsx, settings);
    EXPECT_EQ(dialog.windowTitle(), "Excel sheet export options");
    EXPECT_TRUE(dialog.htmlPanel()->isHidden());
    EXPECT_TRUE(dialog.fieldGroup()->isHidden());
    EXPECT_TRUE(dialog.exportAsGroup()->isHidden());
    EXPECT_FALSE(dialog.grayScaleCheck()->isHidden());
    EXPECT_TRUE(dialog.grayScaleCheck()->isEnabled());
    EXPECT_FALSE(dialog.skipNoteLabel()->isHidden());
    EXPECT_EQ(dialog.grayScaleCheck()->y(), 8) << "no gap above the only choice";
    EXPECT_GT(dialog.skipNoteLabel()->y(), dialog.grayScaleCheck()->y());
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.grayScaleCheck()->setChecked(true);
    dialog.borderCheck()->setChecked(true); // hidden: not read back
    std::string error;
    const std::optional<ExportSettings> read = dialog.readBack(settings, error);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->grayScale);
    EXPECT_FALSE(read->drawBorders);
    EXPECT_FALSE(read->includeNumbers);
    EXPECT_EQ(read->columnCount, 4);

    // Preparing another export afterwards brings its controls back in their places.
    dialog.prepare(ExportKind::Html, settings);
    EXPECT_FALSE(dialog.htmlPanel()->isHidden());
    EXPECT_EQ(dialog.grayScaleCheck()->y(), 100);
}

TEST(ExportOptionsDialog, ColumnCountTakesDigitsOnlyAndOkNeedsANonZeroCount)
{
    ExportOptionsDialog dialog;
    ExportSettings settings;
    settings.columnCount = 3;
    dialog.prepare(ExportKind::Html, settings);
    dialog.columnCountEdit()->clear();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClicks(dialog.columnCountEdit(), "a1b2-");
    EXPECT_EQ(dialog.columnCountEdit()->text(), "12");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.columnCountEdit()->setText("  ");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.columnCountEdit()->setText("0");
    EXPECT_FALSE(dialog.okButton()->isEnabled()); // a table needs at least one column
    dialog.columnCountEdit()->setText(" 7 ");
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    std::string error;
    dialog.numberCheck()->setChecked(false);
    dialog.imageTypeCombo()->setCurrentIndex(2);
    const std::optional<ExportSettings> read = dialog.readBack(settings, error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->columnCount, 7);
    EXPECT_FALSE(read->includeNumbers);
    EXPECT_EQ(read->targetImageType, HtmlPictureType::Gif);

    dialog.columnCountEdit()->setText("x9"); // pasting is not filtered; OK then reports the conversion error
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.readBack(settings, error));
    EXPECT_NE(error.find("x9"), std::string::npos);
}

TEST(ExportOptionsDialog, GrayScaleIsEnabledOnlyWhenExportAsIsNotIcon)
{
    ExportOptionsDialog dialog;
    ExportSettings settings;
    settings.dbfType = OutputKind::Icon;
    settings.grayScale = true;
    dialog.prepare(ExportKind::Dbase, settings);
    EXPECT_FALSE(dialog.grayScaleCheck()->isEnabled());
    dialog.exportAsButtons()->button(5)->click();
    EXPECT_TRUE(dialog.grayScaleCheck()->isEnabled());
    dialog.exportAsButtons()->button(0)->click();
    EXPECT_FALSE(dialog.grayScaleCheck()->isEnabled());
    dialog.exportAsButtons()->button(2)->click();
    dialog.fieldNameEdit()->setText("PICTURE");
    std::string error;
    const std::optional<ExportSettings> read = dialog.readBack(settings, error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->dbfType, OutputKind::Jpeg);
    EXPECT_EQ(read->dbfFieldName, "PICTURE");
    EXPECT_TRUE(read->grayScale);
}

TEST(ExportOptionsDialog, ParseColumnCountReadsTheTrimmedInteger)
{
    EXPECT_EQ(ParseColumnCount(" 12 "), 12);
    EXPECT_EQ(ParseColumnCount("0"), 0);
    EXPECT_FALSE(ParseColumnCount(""));
    EXPECT_FALSE(ParseColumnCount("1 2"));
    EXPECT_FALSE(ParseColumnCount("99999999999"));
}

} // namespace
} // namespace glyphora
