// The shared library as an application links it: loading it installs the
// component's own set-up, so a missing data directory opens the wizard.
// Linked to nothing but the library (a static helper library would bring a
// second copy of the framework's globals).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "support/forms/scripted_ui.h"

namespace trx::test {
namespace {

TEST(LibrarySetup, AMissingDataDirectoryOfAProgramOpensTheWizard) {
    const char* base = std::getenv("TMPDIR");
    std::string root = std::string(base && *base ? base : "/tmp") + "/trx-library-XXXXXX";
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    setenv("TRX_WINDOWS_DIR", root.c_str(), 1);
    std::ofstream(root + "/Payroll") << "program";
    SetExeFileName(root + "/Payroll");

    TScriptedUi ui;
    ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << "scripted user: " << m; };
    bool shown = false;
    ui.OnModal("fmTBXDir", [&](TCustomForm& f) {
        shown = true;
        UserClick(RequireComponent<TButton>(f, "buCancel"));
    });
    EXPECT_THROW(GetTBXDataDir(), ETrxSUError);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(DirectoryExists(root + "/Payroll.TRX"));

    SetExeFileName("");
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace trx::test
