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
    TSaveFrm form;
    EXPECT_EQ(form.size(), QSize(473, 233));
    EXPECT_EQ(form.Label1->text(), "&Column count:");
    EXPECT_EQ(form.CancelBtn->text(), "Cancel");
    EXPECT_EQ(form.TypeButtons->button(3)->text(), "Metafile");

    ExportSettings settings;
    settings.ColumnCount = 5;
    form.Prepare(ExportKind::Html, settings);
    EXPECT_EQ(form.windowTitle(), "HTML export options");
    EXPECT_FALSE(form.HTMLPanel->isHidden());
    EXPECT_FALSE(form.Edit1->isHidden());
    EXPECT_TRUE(form.FieldGrp->isHidden());
    EXPECT_TRUE(form.TypeGrp->isHidden());
    EXPECT_EQ(form.Edit1->text(), "5");
    const int htmlBorderTop = form.BorderCheck->y();
    const int htmlGrayTop = form.GrayScaleCheck->y();
    EXPECT_EQ(htmlBorderTop - form.Edit1->y(), TSaveFrm::kPdfShift);

    form.Prepare(ExportKind::Dbase, settings);
    EXPECT_EQ(form.windowTitle(), "dBase export options");
    EXPECT_TRUE(form.HTMLPanel->isHidden());
    EXPECT_FALSE(form.FieldGrp->isHidden());
    EXPECT_FALSE(form.TypeGrp->isHidden());
    EXPECT_EQ(form.FieldEdit->text(), "ICON");
    EXPECT_EQ(form.FieldEdit->maxLength(), 10);

    form.Prepare(ExportKind::Pdf, settings);
    EXPECT_EQ(form.windowTitle(), "PDF export options");
    EXPECT_FALSE(form.HTMLPanel->isHidden());
    EXPECT_TRUE(form.Edit1->isHidden());
    EXPECT_TRUE(form.Label1->isHidden());
    EXPECT_TRUE(form.ImageTypeCombo->isHidden());
    EXPECT_TRUE(form.Label6->isHidden());
    EXPECT_TRUE(form.FieldGrp->isHidden());
    EXPECT_EQ(form.BorderCheck->y(), htmlBorderTop - 38);
    EXPECT_EQ(form.GrayScaleCheck->y(), htmlGrayTop - 38);
    EXPECT_EQ(form.HTMLPanel->height(), 90 - 38);
}

TEST(ExportOptionsDialog, ColumnCountTakesDigitsOnlyAndOkNeedsANonZeroCount)
{
    TSaveFrm form;
    ExportSettings settings;
    settings.ColumnCount = 3;
    form.Prepare(ExportKind::Html, settings);
    form.Edit1->clear();
    EXPECT_FALSE(form.OKBtn->isEnabled());
    QTest::keyClicks(form.Edit1, "a1b2-");
    EXPECT_EQ(form.Edit1->text(), "12");
    EXPECT_TRUE(form.OKBtn->isEnabled());
    form.Edit1->setText("  ");
    EXPECT_FALSE(form.OKBtn->isEnabled());
    form.Edit1->setText("0");
    EXPECT_FALSE(form.OKBtn->isEnabled()); // a table needs at least one column
    form.Edit1->setText(" 7 ");
    EXPECT_TRUE(form.OKBtn->isEnabled());

    std::string error;
    form.NumberCheck->setChecked(false);
    form.ImageTypeCombo->setCurrentIndex(2);
    const std::optional<ExportSettings> read = form.ReadBack(settings, error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->ColumnCount, 7);
    EXPECT_FALSE(read->IncludeNumbers);
    EXPECT_EQ(read->TargetImageType, 2);

    form.Edit1->setText("x9"); // pasting is not filtered; OK then reports the conversion error
    EXPECT_TRUE(form.OKBtn->isEnabled());
    EXPECT_FALSE(form.ReadBack(settings, error));
    EXPECT_NE(error.find("x9"), std::string::npos);
}

TEST(ExportOptionsDialog, GrayScaleIsEnabledOnlyWhenExportAsIsNotIcon)
{
    TSaveFrm form;
    ExportSettings settings;
    settings.DBFType = 0;
    settings.GrayScale = true;
    form.Prepare(ExportKind::Dbase, settings);
    EXPECT_FALSE(form.GrayScaleCheck->isEnabled());
    form.TypeButtons->button(5)->click();
    EXPECT_TRUE(form.GrayScaleCheck->isEnabled());
    form.TypeButtons->button(0)->click();
    EXPECT_FALSE(form.GrayScaleCheck->isEnabled());
    form.TypeButtons->button(2)->click();
    form.FieldEdit->setText("PICTURE");
    std::string error;
    const std::optional<ExportSettings> read = form.ReadBack(settings, error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->DBFType, 2);
    EXPECT_EQ(read->DBFFieldName, "PICTURE");
    EXPECT_TRUE(read->GrayScale);
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
