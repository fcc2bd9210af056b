// The INI text form: parsing and writing.
#include "settings/IniDocument.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace glyphora {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string OneLine(std::string_view value)
{
    std::string text(value);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    IniDocument document;
    Section* current = nullptr;
    for (std::string_view raw : SplitLines(text)) {
        const std::string_view line = Trim(raw);
        if (line.empty()) continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            current = document.Find(name);
            if (!current) current = &document.sections_.emplace_back(Section{std::string(name), {}});
            continue;
        }
        Line parsed;
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && !Trim(line.substr(0, equals)).empty()) {
            parsed.key = std::string(Trim(line.substr(0, equals)));
            parsed.text = std::string(line.substr(equals + 1));
            parsed.entry = true;
        } else {
            parsed.text = std::string(line);
        }
        if (current)
            current->lines.push_back(std::move(parsed));
        else
            document.preamble_.push_back(std::string(line));
    }
    return document;
}

std::string IniDocument::Serialize() const
{
    std::string text(kByteOrderMark);
    for (const std::string& line : preamble_) {
        text += line;
        text += kLineEnd;
    }
    if (!preamble_.empty()) text += kLineEnd;
    for (const Section& section : sections_) {
        text += '[';
        text += section.name;
        text += ']';
        text += kLineEnd;
        for (const Line& line : section.lines) {
            if (line.entry) {
                text += line.key;
                text += '=';
            }
            text += line.text;
            text += kLineEnd;
        }
        text += kLineEnd;
    }
    return text;
}

IniDocument::Section* IniDocument::Find(std::string_view section)
{
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
    return it == sections_.end() ? nullptr : &*it;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const
{
    return const_cast<IniDocument*>(this)->Find(section);
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const
{
    if (const Section* s = Find(section))
        for (const Line& line : s->lines)
            if (line.entry && EqualsIgnoringCase(line.key, key)) return line.text;
    return std::nullopt;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section* s = Find(section))
        for (const Line& line : s->lines)
            if (line.entry) keys.push_back(line.key);
    return keys;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = Find(section);
    if (!s) s = &sections_.emplace_back(Section{std::string(section), {}});
    for (Line& line : s->lines) {
        if (line.entry && EqualsIgnoringCase(line.key, key)) {
            line.text = OneLine(value);
            return;
        }
    }
    s->lines.push_back(Line{std::string(key), OneLine(value), true});
}

void IniDocument::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
}

bool IniDocument::HasSection(std::string_view section) const
{
    return Find(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const
{
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

} // namespace glyphora
