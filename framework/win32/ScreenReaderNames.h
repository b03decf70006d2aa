// The names screen readers read for a dialog's controls on Windows. Active
// Accessibility names a button or a label by its text without the mnemonic,
// which is the program's naming rule too (framework/AccessibleNames). An
// edit or list box it names by a label it looks for before the box in the
// tab order, and what it finds depends on the windows between them (Wine
// takes the nearest label before, over buttons and other boxes); the rule
// finds a box's label by where it stands. So every box, and the icon, whose
// window text is a resource number, gets the rule's name through the
// accessibility property service.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Resources.h"

namespace framework::win32 {

class DialogWindow;

// The name Active Accessibility gives control `index` of the dialog by
// itself, Windows-1252; nothing for a box or an icon, whose names the
// program always sets.
std::optional<std::string> DefaultAccessibleName(const DialogTemplate& dialog, std::size_t index);

// The controls, by template index, that need the rule's name set, with it.
std::vector<std::pair<std::size_t, std::string>> AccessibleNamesToSet(const DialogTemplate& dialog);

// Gives the dialog's controls their names: each control's WindowImpl keeps
// the name the rule gives it, and those the default gets wrong are handed to
// the property service.
void NameControls(DialogWindow& dialog);

// Takes back the names handed over for the dialog's controls.
void ForgetControlNames(DialogWindow& dialog);

}  // namespace framework::win32
