// The dialog keyboard and the text boundary, on the real templates: which
// button Enter presses, mnemonics, Escape, the one-character letter box, and
// what crosses between the screen's Unicode and the program's Windows-1252.
#include <gtest/gtest.h>

#include <vector>

#include "framework/CDialog.h"
#include "res/resource.h"
#include "tests/harness/DialogHarness.h"

namespace {

namespace ui = automation;

// The main window's template with a handler that records every click.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(UINT templateId = IDD_MAIN) : CDialog(templateId) {}
    std::vector<int> clicks;
    CString letter;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (TemplateId() == IDD_MAIN) {
            DDX_Text(pDX, IDC_LETTER, letter);
            DDV_MaxChars(pDX, letter, 1);
        } else if (TemplateId() == IDD_NAME) {
            DDX_Text(pDX, IDC_NAME, letter);
            DDV_MaxChars(pDX, letter, 23);
        }
    }
    void OnEnterButton() { clicks.push_back(IDC_ENTER); }
    void OnNewButton() { clicks.push_back(IDC_NEW); }
    void OnAboutButton() { clicks.push_back(IDC_ABOUT); }
    void OnHintButton() { clicks.push_back(IDC_HINT); }
    void OnProButton() { clicks.push_back(IDC_PRO); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingDialog, CDialog)
ON_BN_CLICKED(IDC_ENTER, &RecordingDialog::OnEnterButton)
ON_BN_CLICKED(IDC_NEW, &RecordingDialog::OnNewButton)
ON_BN_CLICKED(IDC_ABOUT, &RecordingDialog::OnAboutButton)
ON_BN_CLICKED(IDC_HINT, &RecordingDialog::OnHintButton)
ON_BN_CLICKED(IDC_PRO, &RecordingDialog::OnProButton)
END_MESSAGE_MAP()

using Clicks = std::vector<int>;

TEST(DialogKeyboard, EnterPressesTheFocusedButtonElseTheTemplateDefault) {
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        dialog.GetDlgItem(IDC_LETTER)->SetFocus();
        ui::PressKey("Enter");
        EXPECT_EQ(dialog.clicks, Clicks{IDC_ENTER});

        dialog.GetDlgItem(IDC_NEW)->SetFocus();
        ui::PressKey("Enter");
        EXPECT_EQ(dialog.clicks, (Clicks{IDC_ENTER, IDC_NEW}));

        // The style bit moves the look, not the Enter key.
        dialog.GetDlgItem(IDC_ENTER)->ModifyStyle(BS_DEFPUSHBUTTON, 0);
        dialog.GetDlgItem(IDC_NEW)->ModifyStyle(0, BS_DEFPUSHBUTTON);
        EXPECT_FALSE(ui::IsDefault(IDC_ENTER));
        EXPECT_TRUE(ui::IsDefault(IDC_NEW));
        dialog.GetDlgItem(IDC_LETTER)->SetFocus();
        ui::PressKey("Enter");
        EXPECT_EQ(dialog.clicks, (Clicks{IDC_ENTER, IDC_NEW, IDC_ENTER}));

        // A disabled default button is not pressed.
        dialog.GetDlgItem(IDC_ENTER)->EnableWindow(FALSE);
        ui::PressKey("Enter");
        EXPECT_EQ(dialog.clicks.size(), 3u);
        ui::Click(IDOK);
    });
}

TEST(DialogKeyboard, MnemonicsClickTheirButtons) {
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        ui::PressKey("Alt+N");
        ui::PressKey("Alt+i");  // T&ipp, either case
        ui::PressKey("Alt+Ü");
        EXPECT_EQ(dialog.clicks, (Clicks{IDC_NEW, IDC_HINT, IDC_ABOUT}));
        dialog.GetDlgItem(IDC_NEW)->EnableWindow(FALSE);
        ui::PressKey("Alt+N");
        EXPECT_EQ(dialog.clicks.size(), 3u) << "a disabled button ignores its mnemonic";
        ui::Click(IDOK);
    });
}

// With the focus on a button a mnemonic letter works without Alt; in an edit
// box the letter is the box's.
TEST(DialogKeyboard, MnemonicLettersAloneWorkWhenAButtonHasTheFocus) {
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        dialog.GetDlgItem(IDC_ENTER)->SetFocus();
        ui::PressKey("n");
        EXPECT_EQ(dialog.clicks, Clicks{IDC_NEW});
        EXPECT_TRUE(ui::HasFocus(IDC_NEW));
        ui::PressKey("I");
        EXPECT_EQ(dialog.clicks, (Clicks{IDC_NEW, IDC_HINT}));
        ui::PressKey("q");  // no control's mnemonic
        EXPECT_EQ(dialog.clicks.size(), 2u);

        dialog.GetDlgItem(IDC_LETTER)->SetFocus();
        ui::PressKey("n");
        EXPECT_EQ(dialog.clicks.size(), 2u) << "the letter box takes the letter";
        EXPECT_EQ(ui::Text(IDC_LETTER), "n");
        ui::Click(IDOK);
    });
}

TEST(DialogKeyboard, ClicksReachOnlyEnabledControls) {
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        dialog.GetDlgItem(IDC_HINT)->EnableWindow(FALSE);
        EXPECT_FALSE(ui::Click(IDC_HINT));
        EXPECT_TRUE(ui::Click(IDC_NEW));
        EXPECT_TRUE(ui::HasFocus(IDC_NEW)) << "a mouse click focuses the button";
        // Radio buttons: the platform moves the check before the handler runs.
        EXPECT_TRUE(ui::Click(IDC_PRO));
        EXPECT_TRUE(ui::IsChecked(IDC_PRO));
        EXPECT_FALSE(ui::IsChecked(IDC_BEGINNER));
        ui::Click(IDC_PRO);  // the checked one again still notifies
        EXPECT_EQ(dialog.clicks, (Clicks{IDC_NEW, IDC_PRO, IDC_PRO}));
        ui::Click(IDOK);
    });
}

TEST(DialogKeyboard, EscapeAndCloseCancel) {
    RecordingDialog escape;
    EXPECT_EQ(harness::Run(escape, [] { ui::PressKey("Escape"); }), IDCANCEL);
    RecordingDialog ok;
    EXPECT_EQ(harness::Run(ok, [] { ui::PressKey("Alt+B"); }), IDOK);
}

TEST(LetterBox, HoldsOneCharacterThatTheNextKeyReplaces) {
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        ui::SetText(IDC_LETTER, "ab");
        EXPECT_EQ(ui::Text(IDC_LETTER), "a");
        ui::SetText(IDC_LETTER, "z");
        EXPECT_EQ(ui::Text(IDC_LETTER), "z");
        ui::SetText(IDC_LETTER, "");
        EXPECT_EQ(ui::Text(IDC_LETTER), "");
        ui::Click(IDOK);
    });
    EXPECT_EQ(dialog.letter, "") << "OK reads the box back";
}

// What the game reads from the letter box: Windows-1252 bytes, and for a
// character Windows-1252 lacks a byte that is no letter and no punctuation.
TEST(TextBoundary, LetterBoxHandsOverWindows1252Bytes) {
    const struct {
        const char* typed;
        const char* bytes;
    } cases[] = {
        {"ä", "\xE4"}, {"Ö", "\xD6"}, {"ß", "\xDF"}, {"€", "\x80"},
        {"?", "?"},    {"ж", "\x1A"}, {"😀", "\x1A"}, {"ł", "\x1A"},
    };
    RecordingDialog dialog;
    harness::Run(dialog, [&] {
        for (const auto& c : cases) {
            ui::SetText(IDC_LETTER, c.typed);
            EXPECT_EQ(ui::Text(IDC_LETTER), c.bytes) << c.typed;
        }
        ui::Click(IDOK);
    });
    EXPECT_EQ(dialog.letter, "\x1A");
}

TEST(TextBoundary, NameBoxRefusesWhatWindows1252CannotHold) {
    RecordingDialog dialog(IDD_NAME);
    harness::Run(dialog, [&] {
        ui::SetText(IDC_NAME, "Jürgen Groß");
        EXPECT_EQ(ui::Text(IDC_NAME), "J\xFCrgen Gro\xDF");
        ui::SetText(IDC_NAME, "Łukasz 😀Zoë");
        EXPECT_EQ(ui::Text(IDC_NAME), "ukasz Zo\xEB");
        ui::SetText(IDC_NAME, "abcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ(ui::Text(IDC_NAME), "abcdefghijklmnopqrstuvw") << "23 characters at most";
        dialog.GetDlgItem(IDC_NAME)->SetWindowText("M\xFCller");
        EXPECT_EQ(ui::TextUtf8(IDC_NAME), "Müller");
        ui::Click(IDOK);
    });
    EXPECT_EQ(dialog.letter, "M\xFCller");
}

TEST(ScoreDialog, ListsInAFixedPitchFont) {
    RecordingDialog dialog(IDD_SCORES);
    harness::Run(dialog, [&] {
        EXPECT_TRUE(ui::FontIsFixedPitch(IDC_SCORE_LIST));
        EXPECT_EQ(ui::FontFamily(IDC_SCORE_LIST), "Liberation Mono");
        EXPECT_TRUE(ui::HasFocus(IDOK));
        ui::PressKey("Enter");
    });
}

}  // namespace
