// The font configuration, read ahead of the window system. Reading it (the
// configuration files and the font cache) is the largest part of showing the
// first window, and needs nothing of Qt, so it runs on a thread of its own
// while the program's static objects are built.
#pragma once

namespace framework::qt {

// Starts reading the configuration unless it has started or an application
// object exists (Qt reads it then itself).
void startReadingFontConfiguration();

// Returns once the configuration started above has been read.
void awaitFontConfiguration();

}  // namespace framework::qt
