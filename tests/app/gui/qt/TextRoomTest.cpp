// Every text of the window and of the dialogs it opens has its room, in each of the six
// languages: no label, button or group title is wider than the space its widget gives it, a
// word-wrapped label is as high as its lines, no two controls side by side overlap and none
// reaches past the edge of the control that holds it. The
// window switches the language through its own menu; the dialogs are the real ones the window
// opens (through QtDialogService), read while they show and then closed.
#include "app/gui/ActionManager.h"
#include "app/gui/AuxiliaryWindows.h"
#include "app/gui/FindPane.h"
#include "app/gui/IconWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/QtDialogService.h"
#include "app/gui/UiText.h"
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"
#include "scan/qt/FolderTree.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"
#include "widgets/FaceButton.h"
#include "widgets/SearchListBox.h"

#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

// A caption as it is drawn: "&" marks the mnemonic and "&&" stands for "&".
QString Drawn(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// The width of the widest line of a text.
int TextWidth(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

std::string Name(const QWidget* widget, const QString& text)
{
    const QString name = widget->objectName().isEmpty() ? QString() : QStringLiteral(" ") + widget->objectName();
    return widget->metaObject()->className() + name.toStdString() + " \"" + text.toStdString() + "\"";
}

std::string Place(const QWidget* widget)
{
    const QRect r = widget->geometry();
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// Reads a window and everything in it, and collects what does not fit.
class TextRoom {
public:
    std::vector<std::string> faults;

    void check(QWidget* top)
    {
        top_ = top;
        visit(top);
    }

private:
    void fault(const QWidget* widget, const QString& text, int needed, int room)
    {
        faults.push_back(Name(widget, text) + " needs " + std::to_string(needed) + " px, has " + std::to_string(room));
    }

    void visit(QWidget* widget)
    {
        if (auto* label = qobject_cast<QLabel*>(widget)) checkLabel(label);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) checkButton(button);
        if (auto* box = qobject_cast<QGroupBox*>(widget)) checkGroupBox(box);
        // The parts of Qt's composite controls (a scroll area's viewport and bars, a combo
        // box's list, an edit's buttons) are the control's own business.
        if (qobject_cast<QAbstractScrollArea*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QLineEdit*>(widget))
            return;
        std::vector<QWidget*> shown;
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && child->isVisibleTo(top_) && !child->geometry().isEmpty() &&
                !qobject_cast<QSizeGrip*>(child))
                shown.push_back(child);
        // A control that reaches past its parent's edge is cut there.
        for (QWidget* child : shown)
            if (!widget->rect().contains(child->geometry()))
                faults.push_back(Name(child, textOf(child)) + " at " + Place(child) + " runs out of " +
                                 Name(widget, textOf(widget)) + " at " + Place(widget));
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    faults.push_back(Name(shown[i], textOf(shown[i])) + " at " + Place(shown[i]) + " overlaps " +
                                     Name(shown[j], textOf(shown[j])) + " at " + Place(shown[j]));
        for (QWidget* child : shown)
            visit(child);
    }

    static QString textOf(const QWidget* widget)
    {
        if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
        if (auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
        return {};
    }

    void checkLabel(QLabel* label)
    {
        const QString text = Drawn(label->text());
        if (text.isEmpty() || label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
            return;
        const QFontMetrics metrics(label->font());
        const int margin = label->margin();
        const int room = label->contentsRect().width() - 2 * margin - std::max(0, label->indent());
        if (label->wordWrap()) {
            // Each word must fit a line, and the lines the text needs at this width must fit.
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                if (metrics.horizontalAdvance(word) > room) fault(label, word, metrics.horizontalAdvance(word), room);
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                faults.push_back(Name(label, text) + " needs " + std::to_string(needed) + " px of height, has " +
                                 std::to_string(label->height()));
            return;
        }
        const int needed = TextWidth(metrics, text);
        if (needed > room) fault(label, text, needed, room);
    }

    void checkButton(QAbstractButton* button)
    {
        const QString text = Drawn(button->text());
        if (text.isEmpty()) return;
        QFont font = button->font();
        // The window's own buttons draw the default button's caption in bold.
        if (auto* face = qobject_cast<FaceButton*>(button)) font.setBold(face->isDefault());
        const QFontMetrics metrics(font);
        const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        int room = 0;
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            // The room beside the indicator.
            const QStyle::SubElement contents =
                qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
            room = button->style()->subElementRect(contents, &option, button).width() - iconRoom;
        } else if (qobject_cast<FaceButton*>(button)) {
            // The window's own buttons shorten a caption that is wider than the face less 8
            // pixels, and less the glyph and 8 more beside a glyph.
            room = button->width() - 8 - (button->icon().isNull() ? 0 : button->iconSize().width() + 8);
        } else if (auto* push = qobject_cast<QPushButton*>(button)) {
            if (push->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
            if (push->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() - iconRoom;
        } else {
            room = button->contentsRect().width() - iconRoom;
        }
        const int needed = TextWidth(metrics, text);
        if (needed > room) fault(button, text, needed, room);
    }

    // The title starts where the style puts it and keeps the same distance from the right edge.
    void checkGroupBox(QGroupBox* box)
    {
        const QString text = Drawn(box->title());
        if (text.isEmpty()) return;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.lineWidth = 1;
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (box->isCheckable()) option.subControls |= QStyle::SC_GroupBoxCheckBox;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const int room = box->width() - 2 * title.x();
        const int needed = QFontMetrics(box->font()).horizontalAdvance(text);
        if (needed > room) fault(box, text, needed, room);
    }

    QWidget* top_ = nullptr;
};

class TextRoomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder.path() / "pictures" / "icons");
        window = std::make_unique<MainWindow>(std::vector<std::string>{}, &dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->SelectFile(test::SampleModule());
    }

    void TearDown() override
    {
        window.reset();
        // Other tests read the English texts of the pack the test program starts with.
        LoadLanguagePack(GLYPHORA_BUILD_DIR "/english.lng");
    }

    // Runs a call that opens a modal dialog, reads the dialog while it shows and closes it.
    void checkModal(const std::string& what, const std::function<void()>& open)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            seen = true;
            report(what, dialog);
            dialog->reject();
        });
        open();
        EXPECT_TRUE(seen) << what << " did not open";
    }

    void report(const std::string& what, QWidget* shown)
    {
        TextRoom room;
        room.check(shown);
        for (const std::string& fault : room.faults)
            ADD_FAILURE() << what << ": " << fault;
    }

    // The find pane open on a small folder, its scan stopped with Escape at the first file
    // listed, so that the count and the stop note show beside the list.
    void showStoppedFindPane()
    {
        for (int i = 0; i < 20; ++i)
            fs::copy_file(test::SampleModule(), folder.path() / ("m" + std::to_string(100 + i) + ".dll"));
        FindPane* pane = window->findPane();
        pane->toggle();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pane->isScanning(); }, 10000));
        bool stopped = false;
        const QMetaObject::Connection hook =
            QObject::connect(pane->fileList()->model(), &QAbstractItemModel::rowsInserted, [&] {
                if (stopped) return;
                stopped = true;
                QTest::keyClick(window.get(), Qt::Key_Escape);
            });
        pane->tree()->setFolder(folder.path());
        ASSERT_TRUE(QTest::qWaitFor([&] { return stopped && !pane->isScanning(); }, 10000));
        QObject::disconnect(hook);
        QCoreApplication::processEvents();
        ASSERT_TRUE(pane->stoppedLabel()->isVisible());
    }

    testing::TempFolder folder;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(TextRoomTest, EveryTextHasItsRoomInEveryLanguage)
{
    QtDialogService realDialogs(window.get());
    showStoppedFindPane();
    window->commands().action(Command::ShowIconWindow)->setChecked(true);
    window->showSelection(0);
    for (int language : {0, 1, 2, 3, 4, 5}) {
        const std::string in = " in " + LanguageFileName(language);
        SCOPED_TRACE(LanguageFileName(language));
        window->commands().members(Command::Language)[static_cast<std::size_t>(language)]->trigger();
        ASSERT_EQ(window->settings().language, language);
        QCoreApplication::processEvents();

        report("the window" + in, window.get());
        ASSERT_NE(window->auxiliary().iconWindow(), nullptr);
        report("the icon window" + in, window->auxiliary().iconWindow());

        const std::pair<ExportKind, const char*> exports[] = {{ExportKind::Html, "HTML"},
                                                              {ExportKind::Dbase, "dBase"},
                                                              {ExportKind::Pdf, "PDF"},
                                                              {ExportKind::Xlsx, "spreadsheet"}};
        for (const auto& [kind, name] : exports)
            checkModal(std::string("the ") + name + " export options" + in,
                       [&, kind = kind] { realDialogs.EditExportOptions(kind, window->exportSettings()); });
        checkModal("the print dialog" + in, [&] { realDialogs.ChoosePrintOptions(true); });
        checkModal("the About box" + in, [&] { realDialogs.ShowAbout(); });
        checkModal("the folder chooser" + in, [&] {
            realDialogs.ChooseFolder(UiText(kTextSelectFolderTitle).toStdString(), folder.path() / "pictures");
        });
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        checkModal("the print preview" + in, [&] { realDialogs.PreviewPrint(printer, [](QPaintDevice&) {}); });
    }
}

} // namespace
} // namespace glyphora
