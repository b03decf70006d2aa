// When the computer's candidate list cannot be allocated, the game says so
// and ends with exit code 1.
#include <cstdio>

#include "tests/game/GameFixture.h"
#include "tests/support/FaultInjection.h"

namespace game_test {
namespace {

class CandidateMemoryDeathTest : public Game {};

TEST_F(CandidateMemoryDeathTest, MissingMemoryForCandidatesEndsTheGame) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Play({":Baum", ":Bahn", ":Band"}, 1, [](CWordGameDlg&, CWordList&) {
                ui::WhenModal([] {
                    const ui::ActiveWindow active = ui::Active();
                    std::fprintf(stderr, "[%s|%s|%u]\n", active.title.c_str(), active.text.c_str(),
                                 active.icon);
                    ui::Click(IDOK);
                });
                test::FailNothrowArrayAllocation(1);
                Move("B");
                std::fprintf(stderr, "the game went on\n");
            });
        },
        testing::ExitedWithCode(1),
        "\\[Lexodrom Fehler\\|FEHLER: Nicht genügend Arbeitsspeicher\r\nfür die Kandidaten-Liste: "
        "24 bytes\\.\r\n\r\nLexodrom muss jetzt leider beendet werden!\\|16\\]");
}

}  // namespace
}  // namespace game_test
