// The error texts of the Windows runtime's strerror. The game shows the text
// of a failed help start inside its own Windows-1252 message, so the text
// must not depend on the locale: the C library's strerror speaks the
// locale's language in the locale's encoding (UTF-8 under de_DE.UTF-8),
// which would come out garbled there.
#pragma once

#include <string>

namespace framework::runtime {

// The English text the Windows runtime's strerror gives for `error` (an
// errno value of this system, matched by name: ENOENT gives "No such file or
// directory", ENOMEM "Not enough space"). An errno the Windows runtime does
// not have gets the C library's English text instead ("Text file busy" for
// ETXTBSY), not its "Unknown error", so that the player learns what went
// wrong. Plain ASCII in every case, whatever the locale.
std::string ErrorText(int error);

}  // namespace framework::runtime
