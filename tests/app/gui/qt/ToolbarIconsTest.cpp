// Our own toolbar glyphs: each draws something of its own at every size and pixel ratio,
// and the toolbar's hints name the keys of their commands.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "app/gui/ToolbarIcons.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace glyphora {
namespace {

int OpaquePixels(const QImage& image)
{
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    return opaque;
}

TEST(ToolbarIcons, EveryGlyphIsDrawnAndNoTwoAreAlike)
{
    const ToolbarGlyph glyphs[] = {ToolbarGlyph::Open,  ToolbarGlyph::Save,    ToolbarGlyph::Copy,
                                   ToolbarGlyph::Print, ToolbarGlyph::Refresh, ToolbarGlyph::Options,
                                   ToolbarGlyph::Help,  ToolbarGlyph::About,   ToolbarGlyph::Find};
    for (const qreal ratio : {1.0, 2.0}) {
        std::set<QByteArray> seen;
        for (ToolbarGlyph glyph : glyphs) {
            const QIcon icon = OwnToolbarIcon(glyph);
            const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            SCOPED_TRACE(static_cast<int>(glyph));
            EXPECT_EQ(image.size(), QSize(16, 16) * ratio); // drawn at the device's resolution
            const int opaque = OpaquePixels(image);
            EXPECT_GT(opaque, image.width() * image.height() / 10);
            EXPECT_LT(opaque, image.width() * image.height());
            seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
            const QImage disabled =
                icon.pixmap(QSize(16, 16), ratio, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_NE(disabled, image) << "the disabled glyph is faded";
        }
        EXPECT_EQ(seen.size(), std::size(glyphs));
    }
}

TEST(ToolbarIcons, HintsNameTheShortcuts)
{
    test::ScriptedDialogs dialogs;
    MainWindow window({}, &dialogs);
    EXPECT_EQ(window.commands().popupButton(Command::Open)->toolTip().toStdString(), "Open a file (Ctrl+O)");
    EXPECT_EQ(window.commands().softButton(Command::Copy)->toolTip().toStdString(),
              "Copy the selected icon to the clipboard (Ctrl+C)");
    EXPECT_EQ(window.commands().softButton(Command::Refresh)->toolTip().toStdString(),
              "Reload the icons of the open file (Ctrl+R)");
    EXPECT_EQ(window.commands().popupButton(Command::Save)->toolTip().toStdString(), "Save icons (Ctrl+S)");
}

} // namespace
} // namespace glyphora
