// A fresh application and screen, a fake clock, a scripted user and a
// private Windows directory, for the shared routines that work on forms,
// message boxes and ini files.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/clock.h"
#include "framework/forms/application.h"
#include "support/forms/scripted_ui.h"
#include "support/windows_dir.h"

namespace trx::test {

class FormRoutinesTest : public ::testing::Test {
protected:
    FormRoutinesTest() : clockOverride_(clock) {
        ResetApplication();
        ui = std::make_unique<TScriptedUi>();
        ui->OnFailure = [](const std::string& m) { ADD_FAILURE() << "scripted user: " << m; };
    }
    ~FormRoutinesTest() override {
        ui.reset();
        ResetApplication();
    }

    TFakeClock clock;
    std::unique_ptr<TScriptedUi> ui;
    TWindowsDirOverride windowsDir;

private:
    TClockOverride clockOverride_;
};

} // namespace trx::test
