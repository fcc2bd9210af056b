// ASCII case and blanks: only the 26 letters change case, whatever the bytes around them, and
// each trim takes away exactly its own set of characters at the ends.
#include "platform/AsciiText.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(AsciiText, CaseChangesOnlyAsciiLetters)
{
    // "Ä" in UTF-8 and in Latin-1: a Latin-1 C library locale would change the second.
    const std::string text = "Ab-Z\xC3\x84\xC4@[`{";
    EXPECT_EQ(AsciiLower(text), "ab-z\xC3\x84\xC4@[`{");
    EXPECT_EQ(AsciiUpper(text), "AB-Z\xC3\x84\xC4@[`{");
    EXPECT_TRUE(EqualsIgnoringCase("Glyphora.ICO", "glyphora.ico"));
    EXPECT_FALSE(EqualsIgnoringCase("\xC4", "\xE4"));  // Latin-1 letters are not folded
    EXPECT_FALSE(EqualsIgnoringCase("@", "`"));        // 0x40 and 0x60 differ by the case bit only
    EXPECT_FALSE(EqualsIgnoringCase("icons", "icon")); // lengths differ
}

TEST(AsciiText, EachTrimTakesAwayItsOwnCharacters)
{
    struct Case {
        const char* text;
        bool (*isBlank)(char);
        const char* trimmed;
        const char* right;
    };
    const Case cases[] = {
        {" \tkey = value\t ", IsAsciiBlank, "key = value", " \tkey = value"},
        {"\r\nvalue\n", IsAsciiBlank, "\r\nvalue\n", "\r\nvalue\n"},
        {"\r\n\f\v value \n", IsAsciiSpace, "value", "\r\n\f\v value"},
        {"\x01 -iconindex=2\x7F\x1F", IsBlankOrControl, "-iconindex=2", "\x01 -iconindex=2"},
        {" \t ", IsAsciiBlank, "", ""},
        {"", IsAsciiSpace, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trim(c.text, c.isBlank), c.trimmed) << c.text;
        EXPECT_EQ(TrimRight(c.text, c.isBlank), c.right) << c.text;
    }
    EXPECT_EQ(Trim(" x\t"), "x");                                // blanks by default
    EXPECT_EQ(Trim("\xA0x\xA0", IsBlankOrControl), "\xA0x\xA0"); // a non-breaking space is text
}

} // namespace
} // namespace glyphora
