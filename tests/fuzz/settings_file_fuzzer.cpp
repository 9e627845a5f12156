// libFuzzer entry for the settings-file reader, the memo-block reader and
// the section operations; the checks are in tests/storage/settings_fuzz_input.h.
#include <cstdio>
#include <cstdlib>

#include "../storage/settings_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string failure = trx::test::SettingsFileFuzzOne(Data, Size);
    if (!failure.empty()) {
        std::fprintf(stderr, "settings file rule broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
