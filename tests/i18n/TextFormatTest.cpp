// Tests of the pack-text formatter, placeholder counting and the UTF-8 helpers.
#include "i18n/TextFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace glyphora {
namespace {

struct StringCase {
    const char* pattern;
    const char* arg;
    const char* expected;
};

TEST(TextFormat, StringArgumentReplacesFirstPlaceholderOnly)
{
    const StringCase cases[] = {
        {"Images: %s", "7", "Images: 7"},
        {"%s", "", ""},
        {"", "x", ""},
        {"no placeholder", "x", "no placeholder"},
        {"100%% of %s", "a", "100% of a"},
        {"%s and %s", "a", "a and %s"}, // no second argument: left as written
        {"%d files", "x", "x files"},   // mismatched kind still shows the argument
        {"trailing %", "a", "trailing %"},
        {"%", "a", "%"},
        {"%x %s", "a", "%x a"},   // unknown sequence stays literal
        {"%5d %s", "a", "%5d a"}, // widths are not placeholders
        {"%%s", "a", "%s"},       // a literal percent followed by "s"
        {"%%%s", "a", "%a"},
        {"[%s]", "%s%d%%", "[%s%d%%]"}, // the argument is never scanned again
        {"File:\n%s\nexists", "C:\\x.ico", "File:\nC:\\x.ico\nexists"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatText(c.pattern, std::string(c.arg)), c.expected) << "pattern: " << c.pattern;
    }
}

TEST(TextFormat, IntegerArgumentIsWrittenInDecimal)
{
    EXPECT_EQ(FormatText("%d icon(s) saved.", 5LL), "5 icon(s) saved.");
    EXPECT_EQ(FormatText("%d", -3LL), "-3");
    EXPECT_EQ(FormatText("%s", 42LL), "42");
    EXPECT_EQ(FormatText("%d", LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(FormatText("none", 1LL), "none");
    EXPECT_EQ(FormatText("%d%%", 50LL), "50%");
}

TEST(TextFormat, CountsPlaceholders)
{
    struct Case {
        const char* pattern;
        int strings;
        int integers;
    };
    const Case cases[] = {
        {"%s", 1, 0}, {"%d %d", 0, 2},   {"%%s", 0, 0},   {"%%%d", 0, 1},
        {"%", 0, 0},  {"a%sb%dc", 1, 1}, {"plain", 0, 0}, {"%x%S%D", 0, 0},
    };
    for (const auto& c : cases) {
        const PlaceholderCount count = CountPlaceholders(c.pattern);
        EXPECT_EQ(count.strings, c.strings) << c.pattern;
        EXPECT_EQ(count.integers, c.integers) << c.pattern;
    }
}

TEST(TextFormat, RecognisesWellFormedUtf8)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")); // é € 😀
    EXPECT_FALSE(IsValidUtf8("\xC3"));                                // cut sequence
    EXPECT_FALSE(IsValidUtf8("\xC3\x28"));                            // bad continuation
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));                            // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));                        // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));                    // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));                           // Latin-1 text
}

TEST(TextFormat, CutsOnCharacterBoundaries)
{
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"; // a é € 😀
    EXPECT_EQ(CutToCharacters(text, 0), "");
    EXPECT_EQ(CutToCharacters(text, 1), "a");
    EXPECT_EQ(CutToCharacters(text, 2), "a\xC3\xA9");
    EXPECT_EQ(CutToCharacters(text, 3), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(CutToCharacters(text, 4), text);
    EXPECT_EQ(CutToCharacters(text, 100), text);
}

} // namespace
} // namespace glyphora
