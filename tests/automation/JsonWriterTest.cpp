#include "automation/Json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using automation::json::Array;
using automation::json::Object;
using automation::json::Write;

std::string writtenString(const std::string& text) {
    return Write(text);
}

// The escapes are the ones the state line has always had: control
// characters by name where JSON has one, else \u00xx in lower case; quotes
// and backslashes; nothing else, so UTF-8 and DEL stay as they are.
TEST(JsonWriter, EscapesControlCharactersQuotesAndBackslashesOnly) {
    const char* named[32] = {};
    named['\b'] = "\\b";
    named['\f'] = "\\f";
    named['\n'] = "\\n";
    named['\r'] = "\\r";
    named['\t'] = "\\t";
    static constexpr char kHex[] = "0123456789abcdef";
    for (int c = 0; c < 32; ++c) {
        const std::string expected =
            named[c] != nullptr ? named[c] : std::string("\\u00") + kHex[c >> 4] + kHex[c & 0xf];
        EXPECT_EQ(writtenString(std::string(1, static_cast<char>(c))), "\"" + expected + "\"")
            << "character " << c;
    }
    EXPECT_EQ(writtenString("say \"hi\" \\ there/"), R"("say \"hi\" \\ there/")");
    EXPECT_EQ(writtenString("\x7f"), "\"\x7f\"");
    EXPECT_EQ(writtenString("Über Größe €\xF0\x9F\x98\x80"), "\"Über Größe €\xF0\x9F\x98\x80\"");
    EXPECT_EQ(writtenString(""), "\"\"");
}

// Each byte that starts no well-formed sequence becomes U+FFFD, and reading
// goes on at the next byte.
TEST(JsonWriter, ReplacesBytesThatAreNotUtf8) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(writtenString("ausgef\xFChrt"), "\"ausgef" + r + "hrt\"");  // Latin-1
    EXPECT_EQ(writtenString("\xE4\xF6"), "\"" + r + r + "\"");
    EXPECT_EQ(writtenString("\xE4\xB0x"), "\"" + r + r + "x\"");        // cut short
    EXPECT_EQ(writtenString("\xE2\x82"), "\"" + r + r + "\"");          // cut off at the end
    EXPECT_EQ(writtenString("\xC0\x80"), "\"" + r + r + "\"");          // overlong
    EXPECT_EQ(writtenString("\xED\xA0\x80"), "\"" + r + r + r + "\"");  // a surrogate
    EXPECT_EQ(writtenString("\xF4\x90\x80\x80"), "\"" + r + r + r + r + "\"");  // past U+10FFFF
    EXPECT_EQ(writtenString("\xF4\x8F\xBF\xBF\xC2\xA0"), "\"\xF4\x8F\xBF\xBF\xC2\xA0\"");
}

TEST(JsonWriter, WritesKeysInByteOrderWithoutSpaces) {
    Object inner;
    inner.Set("z", false).Set("a", -12).Set("M", "x");
    Object outer;
    outer.Set("processes", Array{}).Set("dialogs", Array{1, "two", true, Object{}});
    outer.Set("active", inner);
    outer.Set("beeps", 0);
    EXPECT_EQ(Write(outer), R"({"active":{"M":"x","a":-12,"z":false},"beeps":0,)"
                            R"("dialogs":[1,"two",true,{}],"processes":[]})");
}

TEST(JsonWriter, SettingAKeyAgainReplacesItsValue) {
    Object object;
    object.Set("kind", "dialog").Set("template", 102).Set("kind", "messagebox");
    EXPECT_EQ(Write(object), R"({"kind":"messagebox","template":102})");
}

}  // namespace
