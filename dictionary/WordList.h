// The program's one word list, built during static initialisation.
#pragma once

#include "dictionary/CWordList.h"

extern CWordList g_wordList;
