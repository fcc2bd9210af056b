// The GUI tests' entry point: a QApplication on Qt's offscreen platform, with the icon theme
// and its search path set explicitly so that results do not depend on the machine's desktop,
// and the English pack loaded from the build folder.
#include "i18n/LanguagePack.h"

#include <QApplication>
#include <QIcon>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Glyphora"));
    QIcon::setThemeSearchPaths({QStringLiteral("/usr/share/icons")});
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    glyphora::LoadLanguagePack(GLYPHORA_BUILD_DIR "/english.lng");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
