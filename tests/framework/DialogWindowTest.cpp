// What the real templates look like on screen and what the window around
// them offers: labels that fit their room, the score list's lines and scroll
// bar, the names assistive technology reads, the system menu and its Move.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "res/resource.h"
#include "tests/harness/DialogHarness.h"

namespace {

namespace ui = automation;

// System commands go to the application's main window, which the first
// dialog of each test becomes.
CWinApp application;

bool overlap(const ui::Geometry& a, const ui::Geometry& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// A label's whole text fits its own rectangle, and the rectangle touches no
// other control, so a visible gap stays between a label and its box.
TEST(DialogLayout, EveryLabelFitsItsRoomBesideItsNeighbours) {
    for (UINT templateId : {IDD_MAIN, IDD_ABOUTBOX, IDD_NAME, IDD_SCORES}) {
        CDialog dialog(templateId);
        harness::Run(dialog, [&] {
            const ui::DialogSnapshot shown = ui::OpenDialogs().back();
            for (const ui::ControlSnapshot& label : shown.controls) {
                if (label.kind != framework::ControlKind::Static || label.text.empty()) {
                    continue;
                }
                EXPECT_LE(label.textWidth, label.geometry.width) << label.text;
                for (const ui::ControlSnapshot& other : shown.controls) {
                    if (&other != &label && other.kind != framework::ControlKind::GroupBox) {
                        EXPECT_FALSE(overlap(label.geometry, other.geometry))
                            << label.text << " touches control " << other.id;
                    }
                }
            }
            ui::PressKey("Escape");
        });
    }
}

// Painting the main window, level box and all, loads no image format
// plugin: the program reads no image in a format a plugin would add.
TEST(DialogPainting, MainWindowLoadsNoImageFormatPlugin) {
    CDialog dialog(IDD_MAIN);
    harness::Run(dialog, [&] {
        // The picture paints the whole window; saving it, which would ask
        // the plugins for a PNG writer, fails before that for want of a
        // directory.
        EXPECT_FALSE(ui::SaveScreenshot("/nonexistent/lexodrom/main.png"));
        std::ifstream maps("/proc/self/maps");
        ASSERT_TRUE(maps.is_open());
        std::string line;
        std::string plugins;
        while (std::getline(maps, line)) {
            if (line.find("/imageformats/") != std::string::npos) {
                plugins += line + '\n';
            }
        }
        EXPECT_EQ(plugins, "");
        ui::PressKey("Escape");
    });
}

// The longest line the table can hold: a six-digit score, a name of 23
// characters, date and time.
const char kLongestLine[] =
    "-99999  Zacharias Th. \xDC"
    "belacker  31.12.2026  23:59:59";

TEST(ScoreList, TwentyLongestLinesShowWholeWithoutAScrollBar) {
    static_assert(sizeof kLongestLine - 1 == 53);
    CDialog dialog(IDD_SCORES);
    harness::Run(dialog, [&] {
        CWnd* list = dialog.GetDlgItem(IDC_SCORE_LIST);
        for (int i = 0; i < 20; ++i) {
            list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kLongestLine));
        }
        EXPECT_FALSE(ui::VerticalScrollBarShown(IDC_SCORE_LIST)) << "twenty lines fit";
        for (int i = 0; i < 20; ++i) {
            EXPECT_TRUE(ui::ListLineShownWhole(IDC_SCORE_LIST, i)) << "line " << i;
        }
        list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("21"));
        EXPECT_TRUE(ui::VerticalScrollBarShown(IDC_SCORE_LIST)) << "a 21st line does not fit";
        ui::PressKey("Enter");
    });
}

// The transcript and the score list show no text of their own; assistive
// technology knows them by the names the templates give them.
TEST(AccessibleNames, BoxesNoLabelNamesHaveNamesButNoText) {
    CDialog scores(IDD_SCORES);
    harness::Run(scores, [] {
        EXPECT_EQ(ui::TextUtf8(IDC_SCORE_LIST), "");
        EXPECT_EQ(ui::AccessibleName(IDC_SCORE_LIST), "Bestenliste");
        ui::PressKey("Enter");
    });
    CDialog main(IDD_MAIN);
    harness::Run(main, [] {
        EXPECT_EQ(ui::TextUtf8(IDC_TRANSCRIPT), "");
        EXPECT_EQ(ui::AccessibleName(IDC_TRANSCRIPT), "Spielverlauf");
        ui::PressKey("Escape");
    });
}

// The system menu of a fixed-size window with a minimise box, before the
// program adds to it.
TEST(SystemMenu, HoldsTheWindowCommandsOfAFixedSizeWindow) {
    CDialog dialog(IDD_MAIN);
    harness::Run(dialog, [] {
        using Entries = std::vector<std::pair<std::string, bool>>;
        EXPECT_EQ(ui::SystemMenuEntries(), (Entries{{"&Wiederherstellen", false},
                                                    {"&Verschieben", true},
                                                    {"&Größe ändern", false},
                                                    {"Mi&nimieren", true},
                                                    {"Ma&ximieren", false},
                                                    {"-", true},
                                                    {"&Schließen\tAlt+F4", true}}));
        ui::PressKey("Escape");
    });
    CDialog closedByAltF4(IDD_MAIN);
    EXPECT_EQ(harness::Run(closedByAltF4, [] { ui::PressKey("Alt+F4"); }), IDCANCEL);
}

// Minimised, a window has no control with the keyboard focus, and neither a
// click nor a mnemonic gives one the focus, as Windows' SetFocus refuses a
// minimised window; restored, the focus is where it was.
TEST(SystemMenu, AMinimisedWindowFocusesNoControl) {
    CDialog dialog(IDD_MAIN);
    harness::Run(dialog, [] {
        ASSERT_TRUE(ui::HasFocus(IDOK));
        ASSERT_TRUE(ui::SystemCommand(SC_MINIMIZE));
        EXPECT_FALSE(ui::HasFocus(IDOK));
        ui::Click(IDC_HINT);
        ui::PressKey("Alt+N");
        EXPECT_FALSE(ui::HasFocus(IDC_HINT));
        EXPECT_FALSE(ui::HasFocus(IDC_NEW));
        ASSERT_TRUE(ui::SystemCommand(SC_RESTORE));
        EXPECT_TRUE(ui::HasFocus(IDOK));
        ui::Click(IDC_HINT);
        EXPECT_TRUE(ui::HasFocus(IDC_HINT));
        ui::PressKey("Escape");
    });
}

// Move: the arrow keys move the window eight pixels a step until Enter keeps
// it there; Escape puts it back where it was.
TEST(SystemMenu, MoveFollowsTheArrowKeys) {
    CDialog dialog(IDD_MAIN);
    harness::Run(dialog, [] {
        const ui::Geometry start = ui::DialogGeometry();
        ASSERT_TRUE(ui::SystemCommand(SC_MOVE));
        ui::PressKey("Right");
        ui::PressKey("Right");
        ui::PressKey("Down");
        EXPECT_EQ(ui::DialogGeometry().x, start.x + 16);
        EXPECT_EQ(ui::DialogGeometry().y, start.y + 8);
        ui::PressKey("Enter");
        EXPECT_EQ(ui::Active().templateId, IDD_MAIN) << "Enter ends the move, not the dialog";
        ui::PressKey("Left");
        EXPECT_EQ(ui::DialogGeometry().x, start.x + 16) << "the move has ended";

        ui::SystemCommand(SC_MOVE);
        ui::PressKey("Up");
        ui::PressKey("Escape");
        EXPECT_EQ(ui::DialogGeometry().y, start.y + 8) << "Escape puts the window back";
        ui::PressKey("Escape");
    });
}

// Move with the mouse: the window follows the pointer until a click, which
// reaches no control.
TEST(SystemMenu, MoveFollowsThePointerUntilAClick) {
    CDialog dialog(IDD_MAIN);
    harness::Run(dialog, [] {
        const ui::Geometry start = ui::DialogGeometry();
        ASSERT_TRUE(ui::SystemCommand(SC_MOVE));
        ui::MovePointer(3, 3);  // where the pointer is when the move starts
        ui::MovePointer(20, -10);
        ui::MovePointer(5, 0);
        EXPECT_EQ(ui::DialogGeometry().x, start.x + 25);
        EXPECT_EQ(ui::DialogGeometry().y, start.y - 10);
        ui::Click(IDOK);
        EXPECT_EQ(ui::Active().templateId, IDD_MAIN) << "the click ends the move, not the dialog";
        ui::MovePointer(7, 7);
        EXPECT_EQ(ui::DialogGeometry().x, start.x + 25) << "the move has ended";
        ui::Click(IDOK);
    });
}

}  // namespace
