// Start-up of the program. The game window comes later; for now the program
// builds the dictionary exactly as the game will and tells what it holds.
#include <cstdio>

#include "dictionary/CWordList.h"

// Built during static initialisation; a dictionary that cannot be built ends
// the process with a message box and exit code 1 before main runs.
CWordList g_wordList;

int main() {
    std::printf("Lexodrom: %d W\xC3\xB6rter, davon %d f\xC3\xBCr Anf\xC3\xA4nger.\n",
                g_wordList.ProCount(), g_wordList.BeginnerCount());
    return 0;
}
