#include <gtest/gtest.h>

#include "options_dialog_fixture.h"

namespace trx::test {
namespace {

TEST_F(OptionsDialogTest, Builds) { EXPECT_EQ(dlg->nbOptions->PageCount(), 5); }

} // namespace
} // namespace trx::test
