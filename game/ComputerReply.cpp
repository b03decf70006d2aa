#include "game/ComputerReply.h"

#include <array>
#include <cstring>
#include <utility>

#include "random/Random.h"

namespace {

// Whether fragment + c equals a candidate, for every byte c. A candidate is
// equal to the fragment extended by one letter exactly when it is one byte
// longer and begins with the fragment, so one pass over the candidates
// answers the question for every letter at once.
std::array<bool, 256> lettersThatCompleteACandidate(std::span<const char*> candidates,
                                                    const char* fragment, std::size_t length) {
    std::array<bool, 256> completes{};
    for (const char* word : candidates) {
        if (std::strlen(word) == length + 1 && std::strncmp(word, fragment, length) == 0) {
            completes[static_cast<unsigned char>(word[length])] = true;
        }
    }
    return completes;
}

}  // namespace

std::size_t CandidateCount(const CWordList& words) {
    return static_cast<std::size_t>(words.Last() - words.First() + 1);
}

char ChooseReplyLetter(const CWordList& words, const char* fragment,
                       std::span<const char*> candidates) {
    const int n = static_cast<int>(candidates.size());
    for (int i = 0; i < n; ++i) {
        candidates[static_cast<std::size_t>(i)] = words.Entry(words.First() + i);
    }
    for (int i = n - 1; i >= 0; --i) {
        std::swap(candidates[static_cast<std::size_t>(i)],
                  candidates[static_cast<std::size_t>(RandomInt(0, i))]);
    }

    const std::size_t position = std::strlen(fragment);
    const std::array<bool, 256> completes =
        lettersThatCompleteACandidate(candidates, fragment, position);
    const char* chosen = nullptr;
    for (const char* word : candidates) {
        // A word no longer than the fragment has no next letter; in a sorted
        // list the range never holds one.
        const std::size_t wordLength = std::strlen(word);
        if (wordLength % 2 == 1 && wordLength > position &&
            !completes[static_cast<unsigned char>(word[position])]) {
            chosen = word;
            break;
        }
    }
    if (chosen == nullptr) {
        chosen = candidates[static_cast<std::size_t>(RandomInt(0, n - 1))];
    }
    return std::strlen(chosen) > position ? chosen[position] : '\0';
}

char PlayReply(CWordList& words, char* fragment, std::span<const char*> candidates) {
    const char letter = ChooseReplyLetter(words, fragment, candidates);
    const std::size_t position = std::strlen(fragment);
    fragment[position] = letter;
    fragment[position + 1] = '\0';
    words.Search(fragment);
    return letter;
}
