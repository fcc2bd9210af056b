// Wildcard matching with single-star backtracking: linear in practice, never exponential.
#include "widgets/WildcardMatch.h"

#include <optional>

namespace glyphora {

namespace {

// Matches one text character against the set that opens at pattern[at] ("["). Gives the index
// after the closing "]" and whether it matched, or nothing for a malformed set.
struct SetResult {
    qsizetype next;
    bool matched;
};

std::optional<SetResult> MatchSet(QStringView pattern, qsizetype at, QChar c)
{
    qsizetype i = at + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == u'^') {
        negate = true;
        ++i;
    }
    if (i >= pattern.size() || pattern[i] == u'[' || pattern[i] == u']') return std::nullopt;
    bool matched = false;
    while (i < pattern.size() && pattern[i] != u']') {
        const QChar low = pattern[i];
        if (i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']') {
            const QChar high = pattern[i + 2];
            matched = matched || (c >= low && c <= high);
            i += 3;
        } else {
            matched = matched || c == low;
            ++i;
        }
    }
    if (i >= pattern.size()) return std::nullopt;
    return SetResult{i + 1, matched != negate};
}

} // namespace

bool MatchesWildcard(QStringView pattern, QStringView text)
{
    qsizetype p = 0;
    qsizetype t = 0;
    qsizetype starPattern = -1; // pattern index after the last "*"
    qsizetype starText = 0;     // text index that star currently swallows up to
    while (true) {
        if (p < pattern.size() && pattern[p] == u'*') {
            while (p < pattern.size() && pattern[p] == u'*')
                ++p;
            if (p == pattern.size()) return true; // a final star takes the rest at once
            starPattern = p;
            starText = t;
            continue;
        }
        if (t == text.size() && p == pattern.size()) return true;
        bool step = false;
        if (p < pattern.size() && t < text.size()) {
            const QChar pc = pattern[p];
            if (pc == u'[') {
                const auto set = MatchSet(pattern, p, text[t]);
                if (!set) return false;
                if (set->matched) {
                    p = set->next;
                    ++t;
                    step = true;
                }
            } else if (pc == u'?' || pc == text[t]) {
                ++p;
                ++t;
                step = true;
            }
        } else if (p < pattern.size() && pattern[p] == u'[' && !MatchSet(pattern, p, QChar()).has_value()) {
            return false;
        }
        if (step) continue;
        if (starPattern < 0 || starText >= text.size()) return false;
        p = starPattern;
        t = ++starText;
    }
}

} // namespace glyphora
