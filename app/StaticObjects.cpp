// The program's static objects, in the order they must be built: objects of
// one translation unit are constructed in the order they are defined, and
// each one's destructor is registered for process exit right after it. The
// word list comes last, so that a dictionary that cannot be built ends the
// process after the others exist, and before any window does.
#include "app/CWordGameApp.h"
#include "dictionary/CWordList.h"
#include "ui/RememberedName.h"

CString g_rememberedName;
CWordGameApp theApp;
CWordList g_wordList;
