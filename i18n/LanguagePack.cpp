// Parsing of pack files and the program-wide pack behind LangString.
#include "i18n/LanguagePack.h"

#include "i18n/ModulePack.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <fstream>
#include <span>
#include <utility>

namespace glyphora {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Problems listed in an error text before the rest are only counted.
constexpr std::size_t kMaxListedProblems = 20;

std::optional<std::uint16_t> ParseId(std::string_view s)
{
    if (s.empty() || s.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFF) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// Decodes the escapes of a text; on a bad escape returns nullopt and sets error.
std::optional<std::string> Unescape(std::string_view raw, std::string& error)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (i + 1 == raw.size()) {
            error = "the text ends with a single backslash (write \\\\ for a backslash)";
            return std::nullopt;
        }
        const char e = raw[++i];
        switch (e) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 's': out += ' '; break;
        case '\\': out += '\\'; break;
        default: {
            // Show the whole character after the backslash, not one byte of it.
            const std::string shown = CutToCharacters(raw.substr(i), 1);
            error = "unknown escape \\" + shown + " (known: \\n \\r \\t \\s \\\\)";
            return std::nullopt;
        }
        }
    }
    return out;
}

// "Problems in the language pack ...:" and the problems, one a line, the first few listed.
std::string ProblemsText(const std::string& shownPath, const std::vector<std::string>& problems)
{
    std::string text = "Problems in the language pack \"" + shownPath + "\":";
    for (std::size_t i = 0; i < problems.size() && i < kMaxListedProblems; ++i)
        text += "\n" + problems[i];
    if (problems.size() > kMaxListedProblems)
        text += "\n... and " + std::to_string(problems.size() - kMaxListedProblems) + " more problems";
    return text;
}

std::optional<LanguagePack>& CurrentPack()
{
    static std::optional<LanguagePack> pack;
    return pack;
}

} // namespace

LanguagePack LanguagePack::Parse(std::string_view text, std::vector<PackProblem>& problems)
{
    LanguagePack pack;
    std::unordered_map<std::uint16_t, int> definedOn;
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const auto problem = [&](std::string message) { problems.push_back({lineNumber, std::move(message)}); };
        if (line.size() > kMaxPackLineBytes) {
            problem("the line is longer than " + std::to_string(kMaxPackLineBytes) + " bytes");
            continue;
        }
        if (!IsValidUtf8(line)) {
            problem("the line is not valid UTF-8 text (save the pack as UTF-8)");
            continue;
        }
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;

        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos) {
            problem("expected \"identifier = text\"");
            continue;
        }
        const auto id = ParseId(Trim(trimmed.substr(0, equals)));
        if (!id) {
            problem("the identifier must be a number from 0 to 65535");
            continue;
        }
        std::string error;
        auto value = Unescape(Trim(trimmed.substr(equals + 1)), error);
        if (!value) {
            problem(std::move(error));
            continue;
        }
        const auto [where, inserted] = definedOn.emplace(*id, lineNumber);
        if (!inserted) {
            problem("identifier " + std::to_string(*id) + " is already defined on line " +
                    std::to_string(where->second) + "; this line is ignored");
            continue;
        }
        pack.texts_.emplace(*id, std::move(*value));
    }
    return pack;
}

LanguagePack LanguagePack::FromTexts(std::unordered_map<std::uint16_t, std::string> texts)
{
    LanguagePack pack;
    pack.texts_ = std::move(texts);
    return pack;
}

std::vector<std::uint16_t> LanguagePack::Ids() const
{
    std::vector<std::uint16_t> ids;
    ids.reserve(texts_.size());
    for (const auto& entry : texts_)
        ids.push_back(entry.first);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string LanguagePack::Text(std::uint16_t id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

bool LanguagePack::Has(std::uint16_t id) const
{
    return texts_.count(id) != 0;
}

LanguagePackFile LoadLanguagePackFile(const std::filesystem::path& path)
{
    LanguagePackFile result;
    const std::string shownPath = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "Cannot open the language pack \"" + shownPath + "\".";
        return result;
    }
    // Read at most one byte past the limit, so a huge file costs no more than the limit.
    std::string bytes(static_cast<std::size_t>(kMaxPackFileBytes) + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        result.error = "Cannot read the language pack \"" + shownPath + "\".";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxPackFileBytes) {
        result.error = "The language pack \"" + shownPath + "\" is larger than " +
                       std::to_string(kMaxPackFileBytes / 1024) + " KiB.";
        return result;
    }

    return LanguagePackFromBytes(bytes, shownPath);
}

LanguagePackFile LanguagePackFromBytes(std::string_view bytes, const std::string& shownPath)
{
    LanguagePackFile result;
    std::vector<std::string> problems;
    std::optional<LanguagePack> pack;
    if (IsModuleForm(bytes)) {
        const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        pack = ReadModulePack(data, problems);
        if (!pack) {
            result.error =
                "The language pack \"" + shownPath + "\" looks like a module, but its resources cannot be read.";
            return result;
        }
    } else {
        std::vector<PackProblem> lineProblems;
        pack = LanguagePack::Parse(bytes, lineProblems);
        for (const PackProblem& problem : lineProblems)
            problems.push_back("line " + std::to_string(problem.line) + ": " + problem.message);
    }
    if (!problems.empty()) result.error = ProblemsText(shownPath, problems);
    if (problems.empty() || pack->Size() > 0) result.pack = std::move(pack);
    return result;
}

bool LoadLanguagePack(const std::filesystem::path& path, std::string* errorText)
{
    ReleaseLanguagePack();
    LanguagePackFile file = LoadLanguagePackFile(path);
    if (errorText) *errorText = std::move(file.error);
    if (!file.pack) return false;
    CurrentPack() = std::move(file.pack);
    return true;
}

void InstallLanguagePack(LanguagePack pack)
{
    CurrentPack() = std::move(pack);
}

void ReleaseLanguagePack()
{
    CurrentPack().reset();
}

bool LanguagePackLoaded()
{
    return CurrentPack().has_value();
}

std::string LangString(int id)
{
    const auto& pack = CurrentPack();
    if (!pack || id < 0 || id > 0xFFFF) return {};
    return CutToCharacters(pack->Text(static_cast<std::uint16_t>(id)), kMaxLangStringChars);
}

} // namespace glyphora
