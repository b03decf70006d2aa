// Text crosses between the program's Windows-1252 and the windows' UTF-16
// by code page 1252 itself, whatever ANSI code page the system has: the
// suite runs once more under a code page that is not 1252.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/CDialog.h"
#include "framework/ModalHooks.h"
#include "framework/win32/WindowImpl.h"
#include "game/Moves.h"
#include "res/resource.h"

namespace {

// Types `typed` into the control of a real dialog as the keyboard does, one
// WM_CHAR a UTF-16 unit, and returns what the program reads back from it.
std::string typedInto(UINT templateId, int controlId, const std::wstring& typed, int limit = 0) {
    CDialog dialog(templateId);
    std::string bytes = "(the dialog did not open)";
    framework::setModalHooks(
        [&] {
            CWnd* box = dialog.GetDlgItem(controlId);
            HWND hwnd = box->Impl()->hwnd;
            if (limit > 0) {
                box->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
            }
            SetFocus(hwnd);
            for (wchar_t unit : typed) {
                SendMessageW(hwnd, WM_CHAR, unit, 1);
            }
            CString text;
            box->GetWindowText(text);
            bytes = text.bytes();
            dialog.EndDialog(IDOK);
        },
        [] {});
    dialog.DoModal();
    framework::setModalHooks(nullptr, nullptr);
    return bytes;
}

// The character set test runs under both code pages; here it says which.
TEST(Windows1252Boundary, RunsUnderTheAnsiCodePageItWasGiven) {
    const char* expected = std::getenv("LEXODROM_EXPECTED_ACP");
    if (expected == nullptr) {
        GTEST_SKIP() << "no code page asked for";
    }
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(Windows1252Boundary, NameBoxTakesUmlautsAndSharpS) {
    EXPECT_EQ(typedInto(IDD_NAME, IDC_NAME, L"J\u00FCrgen Gr\u00F6\u00DFe-\u00DCberma\u00DF"),
              "J\xFCrgen Gr\xF6\xDF"
              "e-\xDC"
              "berma\xDF");
}

// "ő" and an emoji (a surrogate pair) have no byte in 1252; the euro sign
// has one outside Latin-1.
TEST(Windows1252Boundary, NameBoxRefusesWhat1252CannotHold) {
    EXPECT_EQ(typedInto(IDD_NAME, IDC_NAME, L"Ab\u0151c\U0001F600d\u20AC"), "Abcd\x80");
}

TEST(Windows1252Boundary, LetterBoxTakesAnUmlautAsItsByte) {
    EXPECT_EQ(typedInto(IDD_MAIN, IDC_LETTER, L"\u00E4", 1), "\xE4");
    EXPECT_EQ(typedInto(IDD_MAIN, IDC_LETTER, L"\u00DF", 1), "\xDF");
    EXPECT_EQ(ClassifyMove(0xDF), MoveKind::Letter);
}

TEST(Windows1252Boundary, LetterBoxHandsOnAForeignCharacterAsNotALetter) {
    const std::string typed = typedInto(IDD_MAIN, IDC_LETTER, L"\u0151", 1);
    ASSERT_EQ(typed, std::string(1, framework::kForeignByte));
    EXPECT_EQ(ClassifyMove(static_cast<unsigned char>(typed[0])), MoveKind::NotALetter);
}

TEST(Windows1252Boundary, ProgramTextIsShownThroughCodePage1252) {
    CDialog dialog(IDD_MAIN);
    std::wstring shown;
    framework::setModalHooks(
        [&] {
            CWnd* label = dialog.GetDlgItem(IDC_SCORE);
            label->SetWindowText("Anf\xE4nger \x80 \x9C");
            wchar_t text[64] = {};
            GetWindowTextW(label->Impl()->hwnd, text, 64);
            shown = text;
            dialog.EndDialog(IDOK);
        },
        [] {});
    dialog.DoModal();
    framework::setModalHooks(nullptr, nullptr);
    EXPECT_EQ(shown, L"Anf\u00E4nger \u20AC \u0153");
}

}  // namespace
