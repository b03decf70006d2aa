// The Qt application object, made on demand.
#pragma once

namespace framework::qt {

// Makes the QApplication if none exists yet, with the program's name and the
// arguments RunApplication was given (none before that).
void ensureApplication();

}  // namespace framework::qt
