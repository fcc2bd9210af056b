// The filter's wildcard rule, case by case.
#include "widgets/WildcardMatch.h"

#include <QString>

#include <string>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

struct MatchCase {
    const char16_t* pattern;
    const char16_t* text;
    bool matches;
};

class WildcardMatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(WildcardMatchTest, MatchesTheWholeText)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(MatchesWildcard(QStringView(c.pattern), QStringView(c.text)), c.matches)
        << QString::fromUtf16(c.pattern).toStdString() << " vs " << QString::fromUtf16(c.text).toStdString();
}

const MatchCase kCases[] = {
    {u"a*", u"abc.dll", true},
    {u"a*", u"Abc.dll", false}, // case counts
    {u"*.dll", u"shell32.dll", true},
    {u"*.dll", u"shell32.dll.bak", false},
    {u"*32*", u"user32.dll", true},
    {u"*32*", u"Setup.exe", false},
    {u"*", u"", true},
    {u"", u"", true},
    {u"", u"a", false},
    {u"?", u"a", true},
    {u"?", u"", false},
    {u"a?c", u"abc", true},
    {u"a?c", u"ac", false},
    {u"[abc]x", u"bx", true},
    {u"[abc]x", u"dx", false},
    {u"[a-c]x", u"cx", true},
    {u"[a-c]x", u"Cx", false},
    {u"[^a-c]x", u"dx", true},
    {u"[^a-c]x", u"ax", false},
    {u"x[a-]", u"x-", true},
    {u"ab[c]", u"ab", false}, // a set never matches at the end
    {u"[]x", u"]x", false},   // empty set
    {u"[^]x", u"x", false},   // empty negated set
    {u"[[a]", u"[", false},   // a set starting with "["
    {u"[abc", u"a", false},   // never closed
    {u"*[abc", u"zzza", false},
    {u"a*b*c", u"aXbYbZc", true},
    {u"a*b*c", u"aXbYbZ", false},
    {u"*a*a*a*a*b", u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false}, // no exponential backtracking
    {u"sub\\*.dll", u"sub\\x.dll", true},
};

// Named by position: the generated default would print the case's pointers, which differ
// from run to run.
INSTANTIATE_TEST_SUITE_P(Cases, WildcardMatchTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<MatchCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

} // namespace
} // namespace glyphora
