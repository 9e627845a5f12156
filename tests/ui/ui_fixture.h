// A fresh application and screen, a fake clock, a scripted user, a private
// Windows directory, the progress window installed for the runs and the
// run's global objects, for the tests of the component's windows.
#pragma once

#include <memory>

#include "engine/form_routines_fixture.h"
#include "engine/run_scope.h"
#include "ui/progress_window.h"

namespace trx::test {

class UiTest : public FormRoutinesTest {
protected:
    UiTest() { globals = std::make_unique<TRunScope>(); }
    ~UiTest() override {
        // The windows go before the run's objects they may read.
        ui.reset();
        ResetApplication();
        globals.reset();
    }

    TWindowProgress progressWindow;
    TRunProgressScope showProgress{progressWindow};
    std::unique_ptr<TRunScope> globals;
};

} // namespace trx::test
