// The naming rule for assistive technology, on small templates made here:
// which label names which box, and what a control without a label is called.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/AccessibleNames.h"

namespace {

using framework::DialogItemTemplate;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

std::vector<std::string> namesOf(std::span<const DialogItemTemplate> items) {
    framework::DialogTemplate dialog{};
    dialog.items = items;
    return framework::AccessibleNames(dialog);
}

TEST(AccessibleNames, ButtonsAndLabelsAreNamedByTheirTextWithoutTheMnemonic) {
    const DialogItemTemplate items[] = {
        {"BUTTON", "&Neu", 1, 0, 0, 40, 14, kChild | BS_PUSHBUTTON},
        {"BUTTON", "Tom && Jerry", 2, 0, 20, 40, 14, kChild | BS_PUSHBUTTON},
        {"BUTTON", "Anf\xE4nger", 3, 0, 40, 40, 10, kChild | BS_AUTORADIOBUTTON},
        {"STATIC", "A && B", -1, 0, 60, 40, 10, kChild | SS_LEFT | SS_NOPREFIX},
        {"STATIC", "", -1, 0, 80, 20, 20, kChild | SS_ICON, 0, 128},
    };
    EXPECT_EQ(namesOf(items),
              (std::vector<std::string>{"Neu", "Tom & Jerry", "Anf\xE4nger", "A && B", ""}));
}

TEST(AccessibleNames, ALabelOnTheBoxsLineWinsOverOneAboveIt) {
    const DialogItemTemplate items[] = {
        {"STATIC", "Oben", -1, 10, 0, 60, 8, kChild | SS_LEFT},
        {"STATIC", "&Links", -1, 10, 10, 40, 10, kChild | SS_LEFT},
        {"EDIT", "", 1000, 60, 9, 40, 12, kChild | WS_BORDER},
    };
    EXPECT_EQ(namesOf(items)[2], "Links");
}

TEST(AccessibleNames, ALabelJustAboveNamesABoxWithNoneOnItsLine) {
    const DialogItemTemplate items[] = {
        {"EDIT", "", 1000, 10, 16, 150, 12, kChild | WS_BORDER},
        {"STATIC", "Gib deinen Namen ein:", -1, 11, 5, 132, 8, kChild | SS_LEFT},
    };
    EXPECT_EQ(namesOf(items)[0], "Gib deinen Namen ein:");
}

TEST(AccessibleNames, ALabelNamesOneBoxOnlyAndTheOtherKeepsItsOwnName) {
    const DialogItemTemplate items[] = {
        {"STATIC", "Wort", -1, 0, 10, 30, 10, kChild | SS_RIGHT},
        {"EDIT", "", 1020, 32, 9, 22, 12, kChild | WS_BORDER},
        {"EDIT", "", 1021, 60, 9, 22, 12, kChild | WS_BORDER, 0, 0,
         framework::ForeignCharacters::Refuse, "Zweites"},
        {"LISTBOX", "", 1022, 0, 40, 80, 40, kChild | WS_BORDER, 0, 0,
         framework::ForeignCharacters::Refuse, "Bestenliste"},
    };
    const std::vector<std::string> names = namesOf(items);
    EXPECT_EQ(names[1], "Wort");
    EXPECT_EQ(names[2], "Zweites");
    EXPECT_EQ(names[3], "Bestenliste");
}

TEST(AccessibleNames, ALabelFarAboveOrBesideTheBoxNamesNothing) {
    const DialogItemTemplate items[] = {
        {"STATIC", "Weit oben", -1, 10, 0, 60, 8, kChild | SS_LEFT},
        {"STATIC", "Rechts", -1, 120, 30, 40, 10, kChild | SS_LEFT},
        {"EDIT", "", 1000, 10, 30, 100, 12, kChild | WS_BORDER},
    };
    EXPECT_EQ(namesOf(items)[2], "");
}

}  // namespace
