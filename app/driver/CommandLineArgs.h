// The argument grammar of the command line: which arguments are switches, how a switch is
// normalised ("/" and capitals accepted), the first non-empty value of a switch winning, and
// the word table that turns the type words into output codes.
#pragma once

#include "export/OutputKind.h"

#include <string>
#include <vector>

namespace glyphora {

// Only the first kMaxArguments arguments are ever looked at.
constexpr int kMaxArguments = 24;

struct CommandLineArgs {
    std::vector<std::string> positional; // non-switch arguments, in order
    bool exportMode = false;
    bool closeWhenDone = false;
    bool openDestination = false;
    bool allAsOne = false;
    bool small = false;
    bool grayScale = false;
    bool includeNumbers = false;
    bool drawBorders = false;
    bool iconSet = false;      // every image of the group as a transparent PNG
    bool iconTheme = false;    // the icon set as a hicolor icon-theme tree (implies iconSet)
    std::string iconName;      // the icon set's file name, as given (made safe when used)
    std::string dbfFieldName;  // case kept, at most 10 characters
    std::string dbfTypeWord;   // upper case
    std::string htmlImageWord; // upper case
    std::string typeWord;      // upper case
    int iconNumber = -1;       // 1-based; 0 = every icon; -1 unset (becomes 1 after the scan)
    std::string joinedSource;  // the first arguments joined by single spaces (plain open mode)
    // Switches and values the grammar does not know. They are ignored (or fall back to the
    // grammar's default) as before, but each is reported once so that a typing error does
    // not pass unseen.
    std::vector<std::string> warnings;
};

// Scans the program's arguments (without the program itself).
CommandLineArgs ScanCommandLine(const std::vector<std::string>& arguments);

// The kinds a set of words stands for.
struct OutputCodes {
    OutputKind fileType = OutputKind::Icon;
    std::string typeWord; // normalised
    OutputKind dbfType = OutputKind::Icon;
    HtmlPictureType targetImageType = HtmlPictureType::Png;
};
OutputCodes MapOutputWords(const std::string& typeWord, const std::string& dbfTypeWord,
                           const std::string& htmlImageWord);

// Whether a (normalised, upper-case) word is one the type table knows for the switch:
// "-desttype=" and "-dbasedesttype=" know the table's words and "ICO", "-htmldestimagetype="
// only the picture types it can write (PNG, JPEG, JPG, GIF).
enum class WordSwitch { DestType, DbaseDestType, HtmlDestImageType };
bool IsKnownWord(WordSwitch which, const std::string& word);

// Upper-cased extension of the last path component without its dot ("" when none).
std::string ExtensionWord(const std::string& destination);

} // namespace glyphora
