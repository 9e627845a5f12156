#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

#include "framework/qt/qt_application.h"

namespace trx {
namespace {

// Printing must work on a machine without a display and without any Qt
// platform chosen: the application object then runs offscreen. The check
// runs in a fresh process, where no application object exists yet.
TEST(QtApplicationTest, WithoutADisplayQtRunsOffscreen) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("QT_QPA_PLATFORM");
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            EnsureQtApplication();
            std::exit(QGuiApplication::platformName() == QStringLiteral("offscreen") ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace trx
