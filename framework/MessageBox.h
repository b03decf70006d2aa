// Message boxes, as Win32 offers them to the game.
#pragma once

#include "framework/Win32Types.h"

// Shows a modal box with `text` under the title `caption` (both Windows-1252)
// and an OK button, and returns IDOK once the player has closed it. Only the
// icon bits of `type` are honoured; MB_TASKMODAL is what every box of the game
// asks for anyway. Safe to call before the application object exists: with a
// display the box is shown, without one (or on Qt's offscreen platform) the
// title and text go to standard error and the call returns at once, so that a
// headless start never hangs on a box nobody can see.
#ifdef _WIN32
// On Windows too the game's boxes go through the framework, which shows the
// Windows-1252 texts with MessageBoxW: MessageBoxA would read them in the
// system's ANSI code page, which need not be 1252.
#define MessageBoxA LexodromMessageBoxA
#endif
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
