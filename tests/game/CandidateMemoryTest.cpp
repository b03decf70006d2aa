// When the computer's candidate list cannot be allocated, the game says so
// and ends with exit code 1. The allocation is made to fail by replacing the
// non-throwing array new of this test program.
#include <cstdio>
#include <new>

#include "tests/game/GameFixture.h"

namespace {

bool g_failArrays = false;

}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (g_failArrays) {
        return nullptr;
    }
    try {
        return ::operator new[](size);  // pairs with the ordinary delete[]
    } catch (...) {
        return nullptr;
    }
}

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
                g_failArrays = true;
                Move("B");
                g_failArrays = false;
                std::fprintf(stderr, "the game went on\n");
            });
        },
        testing::ExitedWithCode(1),
        "\\[Lexodrom Fehler\\|FEHLER: Nicht genügend Arbeitsspeicher\r\nfür die Kandidaten-Liste: "
        "24 bytes\\.\r\n\r\nLexodrom muss jetzt leider beendet werden!\\|16\\]");
}

}  // namespace
}  // namespace game_test
