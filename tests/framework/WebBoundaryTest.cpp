// The web back end's pure crossing, tested natively: Windows-1252 bytes to
// the page's UTF-8 and back.
#include <gtest/gtest.h>

#include <string>

#include "framework/web/Windows1252.h"

namespace {

using framework::web::FromWindows1252;
using framework::web::ToWindows1252;

TEST(WebWindows1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(ToWindows1252(FromWindows1252(all), '?'), all);
}

TEST(WebWindows1252, TheProgramsLettersAndSignsBecomeTheirUnicode) {
    EXPECT_EQ(FromWindows1252("\xC4\xD6\xDC\xE4\xF6\xFC\xDF"), "ÄÖÜäöüß");
    EXPECT_EQ(FromWindows1252("\x80\x84\x93\x96\x9F"), "€„“–Ÿ");
    // The bytes Windows-1252 leaves undefined stand for the C1 controls of
    // the same value, as Windows maps them.
    EXPECT_EQ(FromWindows1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(WebWindows1252, WhatTheCodePageLacksBecomesTheReplacement) {
    EXPECT_EQ(ToWindows1252("ł€ab", '\x1A'),
              "\x1A\x80"
              "ab");
    EXPECT_EQ(ToWindows1252("\xF0\x9F\x98\x80x", '?'), "?x");  // outside the BMP
    // A broken sequence costs its lead byte, not the text after it.
    EXPECT_EQ(ToWindows1252("\xC3(Z", '?'), "?(Z");
    EXPECT_EQ(ToWindows1252("Z\xE2\x82", '?'), "Z?");
}

TEST(WebWindows1252, AKeyNameIsOneWellFormedCharacter) {
    using framework::web::SingleCodePoint;
    EXPECT_EQ(SingleCodePoint("B"), U'B');
    EXPECT_EQ(SingleCodePoint("Ü"), U'Ü');
    EXPECT_EQ(SingleCodePoint("ł"), U'ł');
    EXPECT_EQ(SingleCodePoint(""), 0U);
    EXPECT_EQ(SingleCodePoint("ab"), 0U);
    EXPECT_EQ(SingleCodePoint("\xC3"), 0U);  // cut short
}

}  // namespace
