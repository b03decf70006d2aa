// What one move costs: ProcessLetter on the pro list for the first letter
// that the most words begin with, so that the search, the shuffle and the
// parity rule work on the longest candidate range a move can have.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "automation/Automation.h"
#include "game/Random.h"
#include "res/resource.h"
#include "scores/RememberedName.h"
#include "ui/CWordGameDlg.h"

CString g_rememberedName;

namespace {

namespace ui = automation;

char firstLetterOfMostWords(const CWordList& words) {
    std::map<char, int> counts;
    for (int i = 0; i < words.ProCount(); ++i) {
        counts[words.ProEntry(i)[0]]++;
    }
    char best = 'A';
    for (const auto& [letter, count] : counts) {
        if (count > counts[best]) {
            best = letter;
        }
    }
    return best;
}

void ProcessLetterOnLongestRange(benchmark::State& state) {
    ui::StartHeadless();
    static CWordList words;
    const char letter[2] = {firstLetterOfMostWords(words), '\0'};
    CWordGameDlg dialog(words);
    SeedRandom(1);
    ui::Post([&] {
        dialog.CheckDlgButton(IDC_BEGINNER, BST_UNCHECKED);
        dialog.CheckDlgButton(IDC_PRO, BST_CHECKED);
        for (auto _ : state) {
            state.PauseTiming();
            dialog.OnNew();
            dialog.m_typed = letter;
            state.ResumeTiming();
            dialog.ProcessLetter();
        }
        words.SelectProList();
        words.Search(letter);
        state.counters["candidates"] = words.Count();
        dialog.EndDialog(IDOK);
    });
    dialog.DoModal();
}
BENCHMARK(ProcessLetterOnLongestRange)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
