#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "framework/forms/form_layout.h"
#include "support/layout_dump.h"
#include "ui/data_dir_wizard.h"
#include "ui/options_dialog.h"
#include "ui/password_prompt.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"

namespace trx::test {
namespace {

// Every control of every window, with its texts, place and handlers, is
// what the window's golden file next to this test says (support/layout_dump.h
// tells how to rewrite them after a deliberate change).
TEST(WindowLayouts, EveryWindowIsLaidOutAsItsGoldenFileSays) {
    struct TWindow {
        const char* File;
        const TFormDesc& Layout;
    };
    const TWindow windows[] = {
        {"options_dialog.layout", OptionsLayout()},   {"preview_window.layout", PreviewLayout()},
        {"progress_window.layout", ProgressLayout()}, {"password_prompt.layout", PasswordLayout()},
        {"data_dir_wizard.layout", WizardLayout()},
    };
    const char* src = std::getenv("TRX_SOURCE_DIR");
    const std::filesystem::path golden = std::filesystem::path(src ? src : ".") / "tests" / "ui" / "golden";
    for (const TWindow& w : windows) {
        SCOPED_TRACE(w.File);
        ExpectGolden(golden / w.File, DumpLayout(w.Layout));
    }
}

} // namespace
} // namespace trx::test
