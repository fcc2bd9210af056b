// glyphora-cli: the console front end. It runs the same command-line driver as the window,
// without any window: results on stdout, errors on stderr, exit status 0 only when something
// was saved as asked (or, without -e, the file was read) and 1 with one line on stderr that
// says why otherwise.
#include "app/cli/ConsoleHost.h"
#include "app/cli/ScanCommand.h"
#include "app/driver/CommandLineDriver.h"
#include "export/SaveProblems.h"
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "platform/Console.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: glyphora-cli -e SOURCE DESTINATION [switches]\n"
    "       glyphora-cli SOURCE            (lists how many icons SOURCE holds)\n"
    "       glyphora-cli -scan=FOLDER [-mincount=N] [-recurse]\n"
    "                                      (lists the .dll, .exe, .ocx and .icl files of FOLDER\n"
    "                                      that hold at least N icons, default 1; -recurse:\n"
    "                                      with its subfolders)\n"
    "\n"
    "Writes the icons of SOURCE (an executable, library, control, icon library, icon file or\n"
    "any file) to DESTINATION without asking anything.\n"
    "\n"
    "  -e, -export              export mode\n"
    "  -iconindex=N             icon number N (1-based, default 1); 0 = every icon into the\n"
    "                           folder DESTINATION\n"
    "  -desttype=TYPE           ico, bmp, jpg, emf, gif, png, html, dbf, pdf, xlsx (default:\n"
    "                           the extension of DESTINATION; ico when it has none)\n"
    "  -alliconsasoneimage      every icon composed into one picture\n"
    "  -iconsizesmall           16 x 16 icons instead of 32 x 32\n"
    "  -grayscale               grey pictures\n"
    "  -includenumbers, -drawborders, -htmldestimagetype=png|jpg|gif,\n"
    "  -dbasefieldname=NAME, -dbasedesttype=TYPE   options of the documents\n"
    "  -iconset                 every image of the icon (-iconindex=0: of every icon) as a\n"
    "                           transparent PNG at its own size in the folder DESTINATION:\n"
    "                           NAME-WIDTHxHEIGHT.png (with the depth where sizes repeat)\n"
    "  -icontheme               the same as an icon theme: WIDTHxHEIGHT/apps/NAME.png for\n"
    "                           the standard hicolor sizes the icon holds\n"
    "  -iconname=NAME           the NAME of the icon set (default: SOURCE's base name in\n"
    "                           lower case; NAME-N for icon N with -iconindex=0)\n"
    "  -opendestination         open the result with the desktop's default application\n"
    "  -closewhendone           accepted for compatibility with the window\n"
    "\n"
    "Switches may start with '/' and ignore letter case; the first non-empty value of a\n"
    "switch wins; only the first 24 arguments are read.\n"
    "  --help, --version        this text, the version\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::cout << "glyphora-cli " << GLYPHORA_VERSION << '\n';
        return 0;
    }
    if (arguments.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    if (const auto scan = glyphora::ParseScanCommand(arguments)) {
        try {
            return glyphora::RunScanCommand(*scan, std::cout, std::cerr);
        } catch (const std::exception& e) {
            std::cerr << "glyphora-cli: " << e.what() << '\n';
            return 1;
        }
    }

    glyphora::LoadLanguagePack(glyphora::PackFolder() / glyphora::LanguageFileName(0));
    glyphora::ConsoleHost host(std::cout, std::cerr, glyphora::StandardErrorIsTerminal());
    try {
        const glyphora::CommandLineResult result = glyphora::RunCommandLine(arguments, host);
        switch (result.outcome) {
        case glyphora::CommandLineOutcome::Failed: return 1;
        case glyphora::CommandLineOutcome::Opened:
            if (host.Current().sourceChanged) {
                host.ShowError(glyphora::SourceChangedText(host.Current().fileName));
                return 1;
            }
            std::cout << host.Current().fileName.string() << ": " << host.Current().icons.size()
                      << (host.Current().associated ? " (file-type icon)" : " icon(s)") << '\n';
            return 0;
        case glyphora::CommandLineOutcome::Exported: return 0;
        case glyphora::CommandLineOutcome::NoArguments: return 0;
        }
    } catch (const std::exception& e) {
        host.ShowError(e.what());
        return 1;
    }
    return 0;
}
