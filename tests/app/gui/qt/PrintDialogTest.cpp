// The print choices dialog: its texts, where its controls stand, which choices it allows, what
// OK, Preview and Cancel give back, and the Help button's request for "printing-icons".
#include "app/gui/PrintDialog.h"
#include "i18n/Help.h"
#include "tests/support/RecordingHelpViewer.h"

#include <QLabel>
#include "widgets/PushButton.h"
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

// A click on a radio button's indicator, where a user clicks.
void ClickRadio(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

TEST(PrintDialog, TextsAndLayout)
{
    PrintDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Printing icon(s)");
    EXPECT_EQ(dialog.size(), QSize(360, 205));
    const std::pair<QAbstractButton*, const char*> buttons[] = {
        {dialog.fullButton(), "&Full image"},
        {dialog.selectedButton(), "&Selected image"},
        {dialog.actualSizeButton(), "&Actual size"},
        {dialog.fitToPageButton(), "Fit to &page"},
        {dialog.okButton(), "OK"},
        {dialog.cancelButton(), "Cancel"},
        {dialog.helpButton(), "&Help"},
        {dialog.previewButton(), "Pre&view"},
    };
    for (const auto& [button, text] : buttons)
        EXPECT_EQ(button->text(), text);
    EXPECT_EQ(dialog.imageLabel()->text(), "Image to print:");
    EXPECT_EQ(dialog.scaleLabel()->text(), "Scale:");
    EXPECT_EQ(dialog.scaleLabel()->parentWidget(), dialog.scalePanel());
    EXPECT_EQ(dialog.actualSizeButton()->parentWidget(), dialog.scalePanel());
    EXPECT_TRUE(dialog.okButton()->isDefault());
    // Every control lies inside the client area.
    for (QWidget* child : dialog.findChildren<QWidget*>())
        EXPECT_TRUE(dialog.rect().contains(child->mapTo(&dialog, child->rect().bottomRight())))
            << child->objectName().toStdString();
}

TEST(PrintDialog, SelectedImageNeedsASelection)
{
    PrintDialog dialog;
    dialog.prepare(false);
    EXPECT_TRUE(dialog.fullButton()->isChecked());
    EXPECT_FALSE(dialog.selectedButton()->isEnabled());
    EXPECT_TRUE(dialog.actualSizeButton()->isChecked());
    EXPECT_TRUE(dialog.choices().all);

    dialog.prepare(true);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.selectedButton()->isEnabled());
    ClickRadio(dialog.selectedButton());
    EXPECT_FALSE(dialog.fullButton()->isChecked()) << "the two image choices exclude each other";
    EXPECT_FALSE(dialog.choices().all);
    ClickRadio(dialog.fitToPageButton());
    EXPECT_FALSE(dialog.actualSizeButton()->isChecked());
    EXPECT_TRUE(dialog.selectedButton()->isChecked()) << "the scale choices are a group of their own";
    EXPECT_EQ(dialog.choices().sizing, PrintSizing::FitToPage);

    // A new showing starts from the defaults again.
    dialog.prepare(true);
    EXPECT_TRUE(dialog.choices().all);
    EXPECT_EQ(dialog.choices().sizing, PrintSizing::ActualSize);

    // Without a selection, clicking "Selected image" changes nothing.
    dialog.prepare(false);
    ClickRadio(dialog.selectedButton());
    EXPECT_TRUE(dialog.fullButton()->isChecked());
    EXPECT_TRUE(dialog.choices().all);
    dialog.close();
}

TEST(PrintDialog, ButtonsCloseWithTheirResult)
{
    const struct {
        const char* name;
        PushButton* (PrintDialog::*button)() const;
        int result;
        bool preview;
    } cases[] = {
        {"OK prints", &PrintDialog::okButton, QDialog::Accepted, false},
        {"Preview shows the page first", &PrintDialog::previewButton, QDialog::Accepted, true},
        {"Cancel prints nothing", &PrintDialog::cancelButton, QDialog::Rejected, false},
    };
    for (const auto& c : cases) {
        PrintDialog dialog;
        dialog.prepare(true);
        dialog.fitToPageButton()->setChecked(true);
        QTest::mouseClick((dialog.*c.button)(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), c.result) << c.name;
        EXPECT_EQ(dialog.choices().preview, c.preview) << c.name;
        EXPECT_EQ(dialog.choices().sizing, PrintSizing::FitToPage) << c.name;
    }
}

TEST(PrintDialog, HelpOpensThePrintingPageWhenThereIsHelp)
{
    PrintDialog dialog;
    EXPECT_FALSE(dialog.helpButton()->isEnabled()) << "no help to open";
    testing::RecordingHelpViewer viewer;
    HelpService help(&viewer);
    help.SetHelpFile("english.chm");
    dialog.setHelp(&help);
    EXPECT_TRUE(dialog.helpButton()->isEnabled());
    QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"topic english.chm /printing-icons.htm"});
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays open";
}

} // namespace
} // namespace glyphora
