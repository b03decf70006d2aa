// Window tests of the game: the real main dialog on a word list made for the
// test, driven through the harness.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "dictionary/CWordList.h"
#include "framework/CWinApp.h"
#include "random/Random.h"
#include "res/resource.h"
#include "tests/game/RulesFixture.h"
#include "tests/harness/DialogHarness.h"
#include "tests/wordlist/WordListText.h"
#include "ui/CWordGameDlg.h"

namespace game_test {

namespace ui = automation;

using test::dictionaryText;

class Game : public testing::Test {
protected:
    void SetUp() override { ui::StartHeadless(); }

    // Runs the main dialog on `words`, with the generator seeded by `seed`
    // when the window is open.
    void Play(std::initializer_list<std::string> words, std::uint32_t seed,
              const std::function<void(CWordGameDlg&, CWordList&)>& script) {
        text_ = dictionaryText(words);
        list_ = std::make_unique<CWordList>(std::span<const char>(text_.data(), text_.size()));
        CWordGameDlg dialog(*list_);
        harness::Run(dialog, [&] {
            SeedRandom(seed);
            script(dialog, *list_);
            ui::Click(IDOK);
        });
    }

    // Types `letter` (UTF-8) into the letter box and presses Enter.
    static void Move(const char* letter) {
        ui::SetText(IDC_LETTER, letter);
        ui::Click(IDC_ENTER);
    }

    static std::string Transcript() { return ui::Text(IDC_TRANSCRIPT); }

    std::string text_;
    std::unique_ptr<CWordList> list_;
};

using rules_test::valueAfterDraws;

}  // namespace game_test
