// glyphora: the window. Started without arguments it shows its own file's icons; with
// arguments it runs the command line once the window is shown.
//
// GLYPHORA_SCREENSHOT=FILE (an environment variable, outside the command line's grammar)
// makes the program save a picture of its window to FILE shortly after start and quit; it
// serves the documentation.
#include "app/gui/AppIcon.h"
#include "app/gui/MainWindow.h"
#include "settings/SettingsStorage.h"

#include <QApplication>
#include <QTimer>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Glyphora"));
    QApplication::setApplicationVersion(QStringLiteral(GLYPHORA_VERSION));
    QApplication::setWindowIcon(glyphora::ApplicationIcon());
    QApplication::setDesktopFileName(glyphora::kDesktopFileName);

    // Qt has taken its own options (-style, -platform, ...) out of argv by now.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    glyphora::SettingsStorage settingsStorage = glyphora::OpenProgramSettingsStorage();
    glyphora::MainWindow window(arguments, nullptr, &settingsStorage);
    window.show();
    window.postRunCommandLine();

    const QString screenshot = qEnvironmentVariable("GLYPHORA_SCREENSHOT");
    if (!screenshot.isEmpty())
        QTimer::singleShot(1500, &window, [&window, screenshot] {
            window.grab().save(screenshot);
            window.close();
        });
    return QApplication::exec();
}
