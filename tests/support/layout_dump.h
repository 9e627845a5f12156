// A window's layout as text, compared whole with a golden file kept next to
// its test, so that a change to a window shows as a diff of that file.
//
// To rewrite the golden files after a deliberate change to a window, run
// the layout tests with TRX_UPDATE_GOLDEN=1 in the environment, e.g.
//     TRX_UPDATE_GOLDEN=1 ctest --test-dir build -R GoldenFile
// and read the diff before committing it.
#pragma once

#include <filesystem>
#include <string>

#include "framework/forms/form_layout.h"

namespace trx::test {

// One line for the form, then one for each control in creation order: its
// kind and name, "in" its parent, "at" its left, top, width and height
// ("default" keeps the class's size), its caption, hint and items, then its
// further properties and its handlers as Name=Value, as the layout writes
// them. Texts are quoted.
std::string DumpLayout(const TFormDesc& Desc);

// Text equals the content of Golden; with TRX_UPDATE_GOLDEN=1 Golden is
// written with Text instead.
void ExpectGolden(const std::filesystem::path& Golden, const std::string& Text);

} // namespace trx::test
