// A fresh application and screen, a fake clock, a scripted user and the
// run's global objects, for the tests of the component's windows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/clock.h"
#include "framework/forms/application.h"
#include "framework/forms/scripted_ui.h"
#include "support/engine/run_globals.h"

namespace trx::test {

class UiTest : public ::testing::Test {
protected:
    UiTest() : clockOverride_(clock) {
        ResetApplication();
        ui = std::make_unique<TScriptedUi>();
        ui->OnFailure = [](const std::string& m) { ADD_FAILURE() << "scripted user: " << m; };
        globals = std::make_unique<TRunGlobals>();
    }
    ~UiTest() override {
        ui.reset();
        ResetApplication();
        globals.reset();
    }

    TFakeClock clock;
    std::unique_ptr<TScriptedUi> ui;
    std::unique_ptr<TRunGlobals> globals;

private:
    TClockOverride clockOverride_;
};

} // namespace trx::test
