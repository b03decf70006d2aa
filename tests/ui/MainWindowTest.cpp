// The main window as the player first meets it, its display operations and
// the ways it ends, run through the real framework on the offscreen platform.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "res/resource.h"
#include "tests/harness/DialogHarness.h"
#include "ui/CWordGameDlg.h"

namespace {

namespace ui = automation;

const std::string kWords = std::string(":Abend") + '\0' + "Bahn" + '\0' + ".";

class MainWindow : public testing::Test {
protected:
    void SetUp() override { ui::StartHeadless(); }
    CWordList words_{std::span<const char>(kWords.data(), kWords.size())};
};

constexpr int kButtons[] = {IDOK,    IDC_ENTER, IDC_ABOUT,           IDC_HELP_BUTTON,
                            IDC_NEW, IDC_HINT,  IDC_COMPUTER_STARTS, IDC_SHOW_SCORES};

TEST_F(MainWindow, StartsInTheDocumentedState) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        EXPECT_EQ(ui::Active().templateId, IDD_MAIN);
        EXPECT_EQ(ui::Active().title, "Lexodrom");
        for (int id : kButtons) {
            EXPECT_TRUE(ui::IsEnabled(id)) << id;
            EXPECT_EQ(ui::IsDefault(id), id == IDC_ENTER) << id;
        }
        EXPECT_TRUE(ui::IsChecked(IDC_BEGINNER));
        EXPECT_FALSE(ui::IsChecked(IDC_PRO));
        EXPECT_EQ(ui::Text(IDC_SCORE), "0");
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "");
        EXPECT_EQ(ui::Text(IDC_TRANSCRIPT), "");
        EXPECT_EQ(ui::Text(IDC_LETTER), "");
        EXPECT_TRUE(ui::HasFocus(IDC_LETTER));
        EXPECT_FALSE(ui::ClockRunning());
        EXPECT_EQ(dialog.m_fragment[0], '\0');
        EXPECT_EQ(dialog.m_score, 0);
        EXPECT_EQ(dialog.m_seconds, 0);
        EXPECT_EQ(dialog.m_wordCount, 0);
        EXPECT_EQ(dialog.m_timerId, 0u);
        EXPECT_NE(dialog.m_hIcon, nullptr);
        ui::Click(IDOK);
    });
}

// Every control keeps the template's texts, and the layout keeps its
// proportions: positions scale by one base unit pair for the whole dialog.
TEST_F(MainWindow, ControlsFollowTheTemplate) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        const framework::DialogTemplate* t = framework::FindDialogTemplate(IDD_MAIN);
        ASSERT_NE(t, nullptr);
        const ui::Geometry window = ui::DialogGeometry();
        const double unitX = window.width / static_cast<double>(t->cx);
        const double unitY = window.height / static_cast<double>(t->cy);
        EXPECT_GT(unitX, 1.5);
        EXPECT_GT(unitY, 1.5);
        for (const framework::DialogItemTemplate& item : t->items) {
            if (item.id == IDC_STATIC) {
                continue;
            }
            const ui::Geometry g = ui::ControlGeometry(item.id);
            EXPECT_NEAR(g.x, item.x * unitX, 1.5) << item.id;
            EXPECT_NEAR(g.y, item.y * unitY, 1.5) << item.id;
            EXPECT_NEAR(g.width, item.cx * unitX, 1.5) << item.id;
            EXPECT_NEAR(g.height, item.cy * unitY, 1.5) << item.id;
        }
        EXPECT_EQ(ui::TextUtf8(IDC_ENTER), "&Enter");
        EXPECT_EQ(ui::TextUtf8(IDC_ABOUT), "&Über");
        EXPECT_EQ(ui::TextUtf8(IDC_BEGINNER), "Anfänger");
        EXPECT_EQ(ui::TextUtf8(IDC_HINT), "T&ipp");
        EXPECT_EQ(ui::TextUtf8(IDC_SCORE_LABEL), "Punkte");
        EXPECT_EQ(ui::FontFamily(IDC_ENTER), "Liberation Sans");
        ui::Click(IDOK);
    });
}

// Screen readers name edit boxes by their labels, the rest by their text.
TEST_F(MainWindow, ControlsHaveAccessibleNames) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        EXPECT_EQ(ui::AccessibleName(IDC_LETTER),
                  "Schreibe einen Buchstaben, dann drücke oder klicke <Enter>:");
        EXPECT_EQ(ui::AccessibleName(IDC_SCORE), "Punkte");
        EXPECT_EQ(ui::AccessibleName(IDC_WORD_NUMBER), "Wort");
        EXPECT_EQ(ui::AccessibleName(IDC_TRANSCRIPT), "Spielverlauf");
        EXPECT_EQ(ui::AccessibleName(IDC_NEW), "Neu");
        EXPECT_EQ(ui::AccessibleName(IDC_ABOUT), "Über");
        ui::Click(IDOK);
    });
}

TEST_F(MainWindow, DisplayOperationsRewriteTheirBoxes) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        dialog.AppendTranscriptLine("Bisher: 'Ab'");
        dialog.AppendTranscriptLine("");
        dialog.AppendTranscriptLine(
            "M\xFC"
            "he");
        EXPECT_EQ(ui::Text(IDC_TRANSCRIPT), "Bisher: 'Ab'\r\n\r\nM\xFChe\r\n");
        EXPECT_EQ(dialog.m_transcript, "Bisher: 'Ab'\r\n\r\nM\xFChe\r\n");
        EXPECT_EQ(ui::TextUtf8(IDC_TRANSCRIPT), "Bisher: 'Ab'\n\nMühe\n");

        dialog.ClearTranscript();
        EXPECT_EQ(ui::Text(IDC_TRANSCRIPT), "");
        EXPECT_TRUE(dialog.m_transcript.IsEmpty());

        dialog.m_score = -17;
        dialog.ShowScore();
        EXPECT_EQ(ui::Text(IDC_SCORE), "-17");
        dialog.m_wordCount = 19;
        dialog.ShowWordNumber();
        EXPECT_EQ(ui::Text(IDC_WORD_NUMBER), "20");

        // The next letter typed after FocusLetterBox replaces the last one.
        ui::SetText(IDC_LETTER, "x");
        ui::PressKey("Tab");  // the focus leaves the letter box
        EXPECT_FALSE(ui::HasFocus(IDC_LETTER));
        dialog.FocusLetterBox();
        EXPECT_TRUE(ui::HasFocus(IDC_LETTER));
        EXPECT_TRUE(ui::HasSelectedAll(IDC_LETTER));
        EXPECT_EQ(ui::Text(IDC_LETTER), "x");
        ui::Click(IDOK);
    });
}

TEST_F(MainWindow, EndsWithBeendenEscapeOrTheCloseButton) {
    {
        CWordGameDlg dialog(words_);
        EXPECT_EQ(harness::Run(dialog, [] { ui::Click(IDOK); }), IDOK);
    }
    {
        CWordGameDlg dialog(words_);
        EXPECT_EQ(harness::Run(dialog, [] { ui::PressKey("Alt+B"); }), IDOK);
    }
    {
        CWordGameDlg dialog(words_);
        EXPECT_EQ(harness::Run(dialog, [] { ui::PressKey("Escape"); }), IDCANCEL);
    }
    {
        CWordGameDlg dialog(words_);
        EXPECT_EQ(harness::Run(dialog, [] { ui::CloseWindow(); }), IDCANCEL);
    }
    {
        CWordGameDlg dialog(words_);
        EXPECT_EQ(harness::Run(dialog, [] { ui::SystemCommand(SC_CLOSE); }), IDCANCEL);
    }
}

TEST_F(MainWindow, BeendenStopsTheClock) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        dialog.m_timerId = dialog.SetTimer(1, 1000, nullptr);
        ASSERT_TRUE(ui::ClockRunning());
        ui::Click(IDOK);
        EXPECT_FALSE(ui::ClockRunning());
        EXPECT_EQ(dialog.m_timerId, 1u) << "the id is kept";
    });
}

TEST_F(MainWindow, SystemMenuOffersAboutButNoMaximize) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        const auto entries = ui::SystemMenuEntries();
        ASSERT_GE(entries.size(), 3u);
        EXPECT_EQ(entries[entries.size() - 2].first, "-");
        EXPECT_EQ(entries.back().first, "&Über Lexodrom...");
        EXPECT_TRUE(entries.back().second);
        const auto maximize = std::find_if(entries.begin(), entries.end(),
                                           [](const auto& e) { return e.first == "Ma&ximieren"; });
        ASSERT_NE(maximize, entries.end());
        EXPECT_FALSE(maximize->second) << "Maximize is grey";
        ui::Click(IDOK);
    });
}

// Puts a changed resource table in force for its lifetime, so that a failed
// assertion cannot leave it behind for the tests that run after.
class ScopedResources {
public:
    explicit ScopedResources(const framework::ResourceTable& table) {
        framework::OverrideResources(&table);
    }
    ~ScopedResources() { framework::OverrideResources(nullptr); }
    ScopedResources(const ScopedResources&) = delete;
    ScopedResources& operator=(const ScopedResources&) = delete;
};

TEST_F(MainWindow, SystemMenuHasNoAboutEntryWhenItsStringIsEmpty) {
    const framework::ResourceTable& own = framework::ProgramResources();
    const framework::StringResource empty[] = {{IDS_ABOUTBOX, ""}};
    framework::ResourceTable changed = own;
    changed.strings = empty;
    const ScopedResources withoutAboutString(changed);
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        const auto entries = ui::SystemMenuEntries();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.back().first, "&Schließen\tAlt+F4");
        ui::Click(IDOK);
    });
}

// The system menu opens with Alt+Space and with a right click on the window's
// own surface, and its About entry sends command 16.
TEST_F(MainWindow, SystemMenuOpensFromTheKeyboardAndTheMouse) {
    for (bool keyboard : {true, false}) {
        CWordGameDlg dialog(words_);
        bool aboutOpened = false;
        harness::Run(dialog, [&] {
            ui::WhenModal([&] {
                const ui::ActiveWindow menu = ui::Active();
                EXPECT_EQ(menu.kind, ui::ActiveWindow::Menu);
                EXPECT_EQ(menu.items,
                          (std::vector<std::string>{
                              "&Wiederherstellen", "&Verschieben", "&Größe ändern", "Mi&nimieren",
                              "Ma&ximieren", "-", "&Schließen\tAlt+F4", "-", "&Über Lexodrom..."}));
                harness::ExpectDialog(IDD_ABOUTBOX, [&] {
                    aboutOpened = true;
                    ui::Click(IDOK);
                });
                EXPECT_TRUE(ui::ChooseMenuEntry("Über Lexodrom..."));
            });
            if (keyboard) {
                ui::PressKey("Alt+Space");
            } else {
                ui::RightClickEmptyArea();
            }
            ui::Click(IDOK);
        });
        EXPECT_TRUE(aboutOpened) << (keyboard ? "Alt+Space" : "right click");
    }
}

// Ids 16 to 31 are the About entry; everything else is the platform's.
TEST_F(MainWindow, SystemCommandsSixteenToThirtyOneOpenAbout) {
    for (UINT id : {16u, 17u, 31u}) {
        CWordGameDlg dialog(words_);
        bool opened = false;
        harness::Run(dialog, [&] {
            harness::ExpectDialog(IDD_ABOUTBOX, [&] {
                opened = true;
                EXPECT_TRUE(ui::HasFocus(IDOK));
                ui::Click(IDOK);
            });
            ui::SystemCommand(id);
            ui::Click(IDOK);
        });
        EXPECT_TRUE(opened) << id;
    }
    for (UINT id : {15u, 32u, SC_MAXIMIZE, SC_MOVE}) {
        CWordGameDlg dialog(words_);
        harness::Run(dialog, [&] {
            ui::SystemCommand(id);  // an unexpected About box fails the test
            EXPECT_EQ(ui::Active().templateId, IDD_MAIN) << id;
            if (id == SC_MOVE) {
                ui::PressKey("Enter");  // leaves the window where Move put it
            }
            ui::Click(IDOK);
        });
    }
}

TEST_F(MainWindow, AboutButtonReturnsTheFocusToTheLetterBox) {
    CWordGameDlg dialog(words_);
    harness::Run(dialog, [&] {
        ui::SetText(IDC_LETTER, "q");
        harness::ExpectDialog(IDD_ABOUTBOX, [] {
            EXPECT_EQ(ui::TextUtf8(IDOK), "OK");
            ui::PressKey("Enter");
        });
        ui::Click(IDC_ABOUT);
        EXPECT_EQ(ui::Active().templateId, IDD_MAIN);
        EXPECT_TRUE(ui::HasFocus(IDC_LETTER));
        EXPECT_TRUE(ui::HasSelectedAll(IDC_LETTER));
        ui::Click(IDOK);
    });
}

}  // namespace
