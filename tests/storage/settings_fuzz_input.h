// One input of the settings-file fuzzer, shared by the libFuzzer target
// (tests/fuzz) and the test that runs its corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace trx::test {

// Takes Data as a settings file and a memo block and works them through the
// reader, the memo-block reader and the section operations. Returns what
// went wrong (a crash aside), empty when every rule held:
// - every section loads without an error;
// - saving, renaming and deleting one section leaves every other section
//   loading as before;
// - a saved section loads back to what was saved, and saving it again
//   gives the same file;
// - a memo text read from a block, written as a block, reads back the same.
std::string SettingsFileFuzzOne(const uint8_t* Data, std::size_t Size);

} // namespace trx::test
