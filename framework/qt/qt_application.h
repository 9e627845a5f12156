// The Qt application object that painting, fonts and printing need.
#pragma once

namespace trx {

// Makes sure a Qt application object exists: the application's own when it
// made one, else one created here and kept for the life of the process (an
// application that wants its own must make it before anything prints).
// Without a display (no DISPLAY or WAYLAND_DISPLAY, and no QT_QPA_PLATFORM
// given) Qt runs on its offscreen platform. Raises EInvalidOperation when
// the application made only a non-graphical QCoreApplication.
void EnsureQtApplication();

} // namespace trx
