// A dialog template of res/ as the extended in-memory template
// (DLGTEMPLATEEX) that DialogBoxIndirectParamW and CreateDialogIndirectParamW
// take, so that Windows lays the dialog out itself, by its dialog-unit rule
// and with the font the template names.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Resources.h"

namespace framework::win32 {

// The template's bytes, aligned as Windows reads them when the vector's data
// is (a vector's allocation is). Texts are converted from Windows-1252; an
// icon static names its icon resource by number.
std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialog);

}  // namespace framework::win32
