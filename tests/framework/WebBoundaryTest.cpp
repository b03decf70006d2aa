// The web back end's two pure crossings, tested natively: Windows-1252 bytes
// to the page's UTF-8 and back, and dialog units to pixels with the fonts
// that stand in for the templates' Windows fonts.
#include <gtest/gtest.h>

#include <string>

#include "framework/Resources.h"
#include "framework/web/DialogLayout.h"
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

TEST(WebDialogLayout, MulDivRoundsHalfAwayFromZero) {
    using framework::web::mulDiv;
    EXPECT_EQ(mulDiv(230, 11, 4), 633);  // 632.5
    EXPECT_EQ(mulDiv(5, 21, 8), 13);     // 13.125
    EXPECT_EQ(mulDiv(3, 21, 8), 8);      // 7.875
    EXPECT_EQ(mulDiv(-5, 3, 2), -8);     // -7.5
    EXPECT_EQ(mulDiv(14, 96, 72), 19);   // 18.67: Arial 14 points on a 96 dpi screen
}

TEST(WebDialogLayout, TemplatesScaleByTheirFontsBaseUnits) {
    const framework::web::Rect rect = framework::web::toPixels({11, 21}, 201, 25, 24, 13);
    EXPECT_EQ(rect.left, 553);  // 552.75
    EXPECT_EQ(rect.top, 66);    // 65.625
    EXPECT_EQ(rect.width, 66);
    EXPECT_EQ(rect.height, 34);  // 34.125
}

TEST(WebDialogLayout, EveryTemplateFontHasItsLiberationStandIn) {
    const auto fontOf = [](const char* name, short points, short weight) {
        framework::DialogTemplate dialog{};
        dialog.fontName = name;
        dialog.pointSize = points;
        dialog.weight = weight;
        return framework::web::dialogFont(dialog);
    };
    EXPECT_STREQ(fontOf("Arial", 14, 400).family, "Liberation Sans");
    EXPECT_STREQ(fontOf("MS Sans Serif", 10, 400).family, "Liberation Sans");
    EXPECT_STREQ(fontOf("Courier", 15, 400).family, "Liberation Mono");
    EXPECT_STREQ(fontOf("Courier New", 15, 400).family, "Liberation Mono");
    EXPECT_STREQ(fontOf("Times New Roman", 12, 400).family, "Liberation Serif");
    EXPECT_EQ(fontOf("Courier", 15, 400).pixels, 20);
    EXPECT_TRUE(fontOf("Arial", 14, 700).bold);
    EXPECT_FALSE(fontOf("Arial", 14, 400).bold);
}

}  // namespace
