// A fresh application and screen, a fake clock and a scripted user for
// every test of the form layer.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/clock.h"
#include "framework/forms/application.h"
#include "support/forms/scripted_ui.h"

namespace trx::testing {

class FormsTest : public ::testing::Test {
protected:
    FormsTest() : clockOverride_(clock) {
        ResetApplication();
        ui = std::make_unique<TScriptedUi>();
        ui->OnFailure = [](const std::string& m) { ADD_FAILURE() << "scripted user: " << m; };
    }
    ~FormsTest() override {
        ui.reset();
        ResetApplication();
    }

    // Records the events of handlers in order.
    std::vector<std::string> log;
    auto Logger(const std::string& What) {
        return [this, What](TObject*) { log.push_back(What); };
    }

    TFakeClock clock;
    std::unique_ptr<TScriptedUi> ui;

private:
    TClockOverride clockOverride_;
};

} // namespace trx::testing
