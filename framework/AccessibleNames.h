// The names assistive technology reads for a template's controls, the same
// on every back end: a button, radio button or label by its text without the
// mnemonic; an edit box or list box by the label left of it on its line,
// else by one just above it (a label names one control); a box that no
// label names by the name the template gives it.
#pragma once

#include <string>
#include <vector>

#include "framework/Resources.h"

namespace framework {

// One name per control, in template order, Windows-1252; empty for a
// control without text (an icon, a group box without caption).
std::vector<std::string> AccessibleNames(const DialogTemplate& dialog);

}  // namespace framework
