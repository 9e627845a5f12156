#include "framework/qt/qt_application.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdlib>

#include "framework/core/exceptions.h"

namespace trx {

namespace {

bool HasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

void EnsureQtApplication() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (!qobject_cast<QGuiApplication*>(app))
            throw EInvalidOperation("Printing needs a graphical Qt application object, not a QCoreApplication");
        return;
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((!platform || !*platform) && !HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt keeps references to argc and argv for the application's life.
    static int argc = 1;
    static char name[] = "tabrix";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: taking it down while statics that hold
    // fonts or painters are still alive is not safe.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

} // namespace trx
