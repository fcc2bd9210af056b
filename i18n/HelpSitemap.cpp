// Sitemap reader for help contents and index files.
#include "i18n/HelpSitemap.h"

#include "formats/ResourceNameText.h"

#include "i18n/HelpText.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

namespace glyphora {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

void AppendCodePoint(std::string& out, unsigned long c)
{
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    AppendUtf8(out, static_cast<char32_t>(c));
}

// An attribute value with its character references resolved, cut to kMaxSitemapText bytes.
std::string DecodeEntities(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < kMaxSitemapText; ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t semicolon = text.find(';', i);
        if (semicolon == std::string_view::npos || semicolon - i > 10) {
            out += '&';
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        std::optional<unsigned long> code;
        if (name == "amp")
            code = '&';
        else if (name == "lt")
            code = '<';
        else if (name == "gt")
            code = '>';
        else if (name == "quot")
            code = '"';
        else if (name == "apos")
            code = '\'';
        else if (name == "nbsp")
            code = 0xA0;
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            unsigned long value = 0;
            bool ok = !digits.empty();
            for (char d : digits) {
                const int digit = std::isdigit(static_cast<unsigned char>(d))           ? d - '0'
                                  : hex && std::isxdigit(static_cast<unsigned char>(d)) ? AsciiLower(d) - 'a' + 10
                                                                                        : -1;
                if (digit < 0) {
                    ok = false;
                    break;
                }
                value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit); // at most 8 digits
            }
            if (ok) code = value;
        }
        if (!code) {
            out += '&';
            continue;
        }
        AppendCodePoint(out, *code);
        i = semicolon;
    }
    if (out.size() > kMaxSitemapText) out.resize(kMaxSitemapText);
    return out;
}

struct Tag {
    std::string name; // lower case, without the "/" of an end tag
    bool end = false;
    std::vector<std::pair<std::string, std::string>> attributes; // names in lower case

    std::string Attribute(std::string_view key) const
    {
        for (const auto& [k, v] : attributes)
            if (k == key) return v;
        return {};
    }
};

// Walks the tags of an HTML text one by one, skipping comments and text between tags.
class TagScanner {
public:
    explicit TagScanner(std::string_view text) : text_(text) {}

    std::optional<Tag> Next()
    {
        for (;;) {
            const std::size_t open = text_.find('<', pos_);
            if (open == std::string_view::npos) return std::nullopt;
            if (text_.substr(open, 4) == "<!--") {
                const std::size_t close = text_.find("-->", open + 4);
                pos_ = close == std::string_view::npos ? text_.size() : close + 3;
                continue;
            }
            pos_ = open + 1;
            Tag tag;
            if (pos_ < text_.size() && text_[pos_] == '/') {
                tag.end = true;
                ++pos_;
            }
            const std::size_t nameStart = pos_;
            while (pos_ < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_])))
                ++pos_;
            tag.name = Lower(text_.substr(nameStart, pos_ - nameStart));
            ReadAttributes(tag);
            if (!tag.name.empty()) return tag;
        }
    }

private:
    // Names are kept to 64 characters: no tag or attribute the reader knows is longer.
    static std::string Lower(std::string_view s) { return AsciiLower(s.substr(0, 64)); }

    // Reads attributes up to and including the closing ">" (or to the end of the text).
    void ReadAttributes(Tag& tag)
    {
        while (pos_ < text_.size()) {
            while (pos_ < text_.size() && (IsSpace(text_[pos_]) || text_[pos_] == '/'))
                ++pos_;
            if (pos_ >= text_.size()) return;
            if (text_[pos_] == '>') {
                ++pos_;
                return;
            }
            const std::size_t keyStart = pos_;
            while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '=' && text_[pos_] != '>')
                ++pos_;
            std::string key = Lower(text_.substr(keyStart, pos_ - keyStart));
            while (pos_ < text_.size() && IsSpace(text_[pos_]))
                ++pos_;
            std::string value;
            if (pos_ < text_.size() && text_[pos_] == '=') {
                ++pos_;
                while (pos_ < text_.size() && IsSpace(text_[pos_]))
                    ++pos_;
                if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
                    const char quote = text_[pos_++];
                    const std::size_t close = text_.find(quote, pos_);
                    const std::size_t end = close == std::string_view::npos ? text_.size() : close;
                    value = DecodeEntities(text_.substr(pos_, end - pos_));
                    pos_ = close == std::string_view::npos ? text_.size() : close + 1;
                } else {
                    const std::size_t valueStart = pos_;
                    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '>')
                        ++pos_;
                    value = DecodeEntities(text_.substr(valueStart, pos_ - valueStart));
                }
            }
            if (tag.attributes.size() < 16) tag.attributes.emplace_back(std::move(key), std::move(value));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool HasScheme(std::string_view s)
{
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos || colon < 2) // "C:" is a drive, not a scheme
        return false;
    return std::all_of(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

} // namespace

std::string HelpPagePath(std::string_view local)
{
    while (!local.empty() && IsSpace(local.front()))
        local.remove_prefix(1);
    while (!local.empty() && IsSpace(local.back()))
        local.remove_suffix(1);
    if (const std::size_t inner = local.find("::"); inner != std::string_view::npos)
        local = local.substr(inner + 2);
    else if (HasScheme(local))
        return std::string(local);
    std::string page(local);
    std::replace(page.begin(), page.end(), '\\', '/');
    if (!page.empty() && page.front() != '/') page.insert(page.begin(), '/');
    return page;
}

Sitemap ParseSitemap(std::string_view bytes, std::uint32_t lcid)
{
    Sitemap sitemap;
    if (bytes.size() > kMaxSitemapBytes) {
        bytes = bytes.substr(0, kMaxSitemapBytes);
        sitemap.truncated = true;
    }
    const std::string text = ToUtf8(bytes, ChooseCharset(bytes, lcid));
    TagScanner scanner(text);

    // The lists open at this point, innermost last, with the tree depth of each. A list
    // opened right after an entry holds that entry's children; any other list continues the
    // list around it. Lists nested past kMaxSitemapDepth continue their parent list, and
    // opening tags past kMaxOpenLists are only counted, so their end tags match up.
    constexpr std::size_t kMaxOpenLists = 1024;
    struct OpenList {
        std::vector<SitemapEntry>* entries;
        std::size_t depth;
    };
    std::vector<OpenList> lists;
    std::size_t uncountedOpens = 0;
    bool inObject = false;
    SitemapEntry pending;
    bool lastWasEntry = false;

    auto current = [&]() -> std::vector<SitemapEntry>& {
        return lists.empty() ? sitemap.entries : *lists.back().entries;
    };

    while (auto tag = scanner.Next()) {
        if (tag->name == "ul" || tag->name == "ol") {
            if (!tag->end) {
                if (lists.size() >= kMaxOpenLists) {
                    ++uncountedOpens;
                } else {
                    std::vector<SitemapEntry>& list = current();
                    const std::size_t depth = lists.empty() ? 0 : lists.back().depth;
                    const bool nest = lastWasEntry && !list.empty();
                    if (nest && depth + 1 < kMaxSitemapDepth) {
                        lists.push_back({&list.back().children, depth + 1});
                    } else {
                        sitemap.truncated = sitemap.truncated || nest;
                        lists.push_back({&list, depth});
                    }
                }
            } else if (uncountedOpens > 0) {
                --uncountedOpens;
            } else if (!lists.empty()) {
                lists.pop_back();
            }
            lastWasEntry = false;
        } else if (tag->name == "object") {
            if (!tag->end) {
                inObject = EqualsIgnoringCase(tag->Attribute("type"), "text/sitemap");
                pending = SitemapEntry{};
            } else if (inObject) {
                inObject = false;
                if (sitemap.count >= kMaxSitemapEntries) {
                    sitemap.truncated = true;
                    break;
                }
                current().push_back(std::move(pending));
                ++sitemap.count;
                lastWasEntry = true;
            }
        } else if (tag->name == "param" && inObject) {
            const std::string key = tag->Attribute("name");
            // An index entry may carry several Name/Local pairs: the first of each serves.
            if (EqualsIgnoringCase(key, "Name") && pending.name.empty())
                pending.name = tag->Attribute("value");
            else if (EqualsIgnoringCase(key, "Local") && pending.page.empty())
                pending.page = HelpPagePath(tag->Attribute("value"));
        }
    }
    return sitemap;
}

std::vector<std::string> SitemapPages(const Sitemap& sitemap)
{
    std::vector<std::string> pages;
    std::set<std::string> seen;
    // An explicit stack of (list, next index) keeps the walk free of recursion.
    std::vector<std::pair<const std::vector<SitemapEntry>*, std::size_t>> stack{{&sitemap.entries, 0}};
    while (!stack.empty()) {
        auto& [list, index] = stack.back();
        if (index >= list->size()) {
            stack.pop_back();
            continue;
        }
        const SitemapEntry& entry = (*list)[index++];
        std::string page = entry.page.substr(0, entry.page.find('#'));
        if (!page.empty() && !HasScheme(page) && seen.insert(page).second) pages.push_back(std::move(page));
        if (!entry.children.empty()) stack.emplace_back(&entry.children, 0);
    }
    return pages;
}

} // namespace glyphora
