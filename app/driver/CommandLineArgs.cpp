// The argument grammar of the command line.
#include "app/driver/CommandLineArgs.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>

namespace glyphora {

namespace {

std::string TrimBlanksAndControls(std::string_view s)
{
    return std::string(Trim(s, IsBlankOrControl));
}

// The first n characters of a UTF-8 text (never a partial character).
std::string FirstCharacters(const std::string& s, std::size_t n)
{
    std::size_t i = 0, count = 0;
    while (i < s.size() && count < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        i = std::min(s.size(), i + len);
        ++count;
    }
    return s.substr(0, i);
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Stores a word value only while the field is still empty: the first non-empty one wins.
// A stored word the table does not know gets a warning.
void StoreWord(std::string& field, const std::string& value, WordSwitch which, const char* name, const char* fallback,
               std::vector<std::string>& warnings)
{
    if (!field.empty()) return;
    field = TrimBlanksAndControls(AsciiUpper(value));
    if (!field.empty() && !IsKnownWord(which, field))
        warnings.push_back(std::string("Unrecognised ") + name + " value '" + value + "': " + fallback);
}

// The flag switches and the field each one sets, in the order they are compared.
struct FlagSwitch {
    const char* name;
    bool CommandLineArgs::*flag;
};
constexpr FlagSwitch kFlagSwitches[] = {
    {"-e", &CommandLineArgs::exportMode},
    {"-export", &CommandLineArgs::exportMode},
    {"-closewhendone", &CommandLineArgs::closeWhenDone},
    {"-opendestination", &CommandLineArgs::openDestination},
    {"-alliconsasoneimage", &CommandLineArgs::allAsOne},
    {"-iconsizesmall", &CommandLineArgs::small},
    {"-grayscale", &CommandLineArgs::grayScale},
    {"-includenumbers", &CommandLineArgs::includeNumbers},
    {"-drawborders", &CommandLineArgs::drawBorders},
    {"-iconset", &CommandLineArgs::iconSet},
    {"-icontheme", &CommandLineArgs::iconTheme},
};
constexpr const char* kValueSwitches[] = {
    "-dbasefieldname=", "-dbasedesttype=", "-htmldestimagetype=", "-desttype=", "-iconindex=", "-iconname="};

const FlagSwitch* FindFlagSwitch(const std::string& normalised)
{
    for (const FlagSwitch& sw : kFlagSwitches)
        if (normalised == sw.name) return &sw;
    return nullptr;
}

bool IsKnownSwitch(const std::string& normalised)
{
    if (FindFlagSwitch(normalised)) return true;
    for (const char* prefix : kValueSwitches)
        if (StartsWith(normalised, prefix)) return true;
    return false;
}

} // namespace

CommandLineArgs ScanCommandLine(const std::vector<std::string>& arguments)
{
    CommandLineArgs args;
    const std::size_t count = std::min<std::size_t>(arguments.size(), kMaxArguments);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& arg = arguments[i];
        if (i > 0) args.joinedSource += ' ';
        args.joinedSource += arg;

        if (arg.empty() || (arg[0] != '-' && arg[0] != '/')) {
            args.positional.push_back(arg);
            continue;
        }
        // Lower-case the switch name up to and including its "=", keep the value's case.
        const auto eq = arg.find('=');
        std::string sw = (eq != std::string::npos && eq >= 2) ? AsciiLower(arg.substr(0, eq + 1)) + arg.substr(eq + 1)
                                                              : AsciiLower(arg);
        sw[0] = '-';
        // On systems whose absolute paths start with "/", a "/" argument is a switch only when
        // it names one; anything else there is a path.
        if (arg[0] == '/' && !IsKnownSwitch(sw)) {
            args.positional.push_back(arg);
            continue;
        }
        if (!IsKnownSwitch(sw)) {
            args.warnings.push_back("Unrecognised switch '" + arg + "': it is ignored.");
            continue;
        }
        const std::string value = eq != std::string::npos ? arg.substr(eq + 1) : std::string{};

        if (const FlagSwitch* flag = FindFlagSwitch(sw))
            args.*(flag->flag) = true;
        else if (StartsWith(sw, "-dbasefieldname=")) {
            if (args.dbfFieldName.empty()) args.dbfFieldName = FirstCharacters(TrimBlanksAndControls(value), 10);
        } else if (StartsWith(sw, "-dbasedesttype=")) {
            StoreWord(args.dbfTypeWord, value, WordSwitch::DbaseDestType,
                      "-dbasedesttype=", "the memos hold icon files.", args.warnings);
        } else if (StartsWith(sw, "-htmldestimagetype=")) {
            StoreWord(args.htmlImageWord, value, WordSwitch::HtmlDestImageType,
                      "-htmldestimagetype=", "the pictures are written as PNG.", args.warnings);
        } else if (StartsWith(sw, "-desttype=")) {
            StoreWord(args.typeWord, value, WordSwitch::DestType, "-desttype=", "the icons are written as icon files.",
                      args.warnings);
        } else if (StartsWith(sw, "-iconname=")) {
            if (args.iconName.empty()) args.iconName = TrimBlanksAndControls(value);
        } else if (StartsWith(sw, "-iconindex=")) {
            if (args.iconNumber == -1) {
                const std::string text = TrimBlanksAndControls(value);
                int parsed = 0;
                const char* begin = text.data();
                if (!text.empty() && text[0] == '+') ++begin;
                const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), parsed);
                if (!text.empty() && ec == std::errc{} && end == text.data() + text.size())
                    args.iconNumber = parsed;
                else
                    args.warnings.push_back("Unrecognised -iconindex= value '" + value + "': it is ignored.");
            }
        }
    }
    if (args.iconNumber < 0) args.iconNumber = 1;
    if (args.iconTheme) args.iconSet = true;
    return args;
}

namespace {

// Each word with the output kind it names, what a dBase memo holds when it is the memo's
// word (an icon file for a document kind), and the HTML picture type when it is the page's.
struct WordRow {
    const char* word;
    OutputKind fileType;
    const char* normalised; // nullptr: unchanged
    OutputKind dbfType;
    HtmlPictureType targetImageType;
};
using K = OutputKind;
using H = HtmlPictureType;
// clang-format off
constexpr WordRow kWordTable[] = {
    {"BMP", K::Bmp, "BMP", K::Bmp, H::Png},
    {"BITMAP", K::Bmp, "BMP", K::Bmp, H::Png},
    {"JPEG", K::Jpeg, nullptr, K::Jpeg, H::Jpeg},
    {"JPG", K::Jpeg, nullptr, K::Jpeg, H::Jpeg},
    {"EMF", K::Emf, nullptr, K::Emf, H::Png},
    {"WMF", K::Emf, nullptr, K::Emf, H::Png},
    {"METAFILE", K::Emf, "EMF", K::Emf, H::Png},
    {"GIF", K::Gif, nullptr, K::Gif, H::Gif},
    {"PNG", K::Png, nullptr, K::Png, H::Png},
    {"HTM", K::Html, nullptr, K::Icon, H::Png},
    {"HTML", K::Html, nullptr, K::Icon, H::Png},
    {"DBF", K::Dbase, "DBF", K::Icon, H::Png},
    {"DBASE", K::Dbase, "DBF", K::Icon, H::Png},
    {"PDF", K::Pdf, nullptr, K::Icon, H::Png},
    {"XLSX", K::Xlsx, nullptr, K::Icon, H::Png},
};
// clang-format on

const WordRow* FindWord(const std::string& word)
{
    for (const WordRow& row : kWordTable)
        if (word == row.word) return &row;
    return nullptr;
}

} // namespace

bool IsKnownWord(WordSwitch which, const std::string& word)
{
    switch (which) {
    case WordSwitch::HtmlDestImageType: return word == "PNG" || word == "JPEG" || word == "JPG" || word == "GIF";
    case WordSwitch::DestType:
    case WordSwitch::DbaseDestType: return word == "ICO" || FindWord(word) != nullptr;
    }
    return false;
}

OutputCodes MapOutputWords(const std::string& typeWord, const std::string& dbfTypeWord,
                           const std::string& htmlImageWord)
{
    const auto find = FindWord;
    OutputCodes codes;
    if (const WordRow* row = find(typeWord)) {
        codes.fileType = row->fileType;
        codes.typeWord = row->normalised ? row->normalised : typeWord;
    } else {
        codes.fileType = OutputKind::Icon;
        codes.typeWord = "ICO";
    }
    if (const WordRow* row = find(dbfTypeWord)) codes.dbfType = row->dbfType;
    if (const WordRow* row = find(htmlImageWord)) codes.targetImageType = row->targetImageType;
    return codes;
}

std::string ExtensionWord(const std::string& destination)
{
    const auto slash = destination.find_last_of("/\\");
    const std::string last = slash == std::string::npos ? destination : destination.substr(slash + 1);
    const auto dot = last.rfind('.');
    return dot == std::string::npos ? std::string{} : AsciiUpper(last.substr(dot + 1));
}

} // namespace glyphora
