// Runs every input of the settings-file fuzzer's corpus, and a few made
// here, through the fuzzer's checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings_fuzz_input.h"

namespace trx::test {
namespace {

std::string CorpusDir() {
    const char* src = std::getenv("TRX_SOURCE_DIR");
    const std::filesystem::path root = src && *src
                                           ? std::filesystem::path(src)
                                           : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    return (root / "tests" / "fuzz" / "corpus" / "settings_file").string();
}

std::string Check(const std::string& Bytes) {
    return SettingsFileFuzzOne(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
}

TEST(SettingsFileCorpus, EveryInputKeepsTheRules) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_EQ(Check(bytes.str()), "") << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 5);
}

TEST(SettingsFileCorpus, InputsThatEndInsideAMemoOrALine) {
    EXPECT_EQ(Check("[A (001.001)]\r\nMemo,RptTi=START"), "");
    EXPECT_EQ(Check("[A (001.001)]\r\nMemo,RptTi=START\r\nMemo,RptTi=E"), "");
    EXPECT_EQ(Check("[A (001.001)]\r\nMemo,RptTi=START\r\nMemo,RptTi=END\r\nMemo,RptTi=END\r\n[B (002.002)]"), "");
    EXPECT_EQ(Check("[A (001.001)"), "");
    static const char withNul[] = "[A (001.001)]\r\nReportDesc=a\0b\r\nMemo,PgTi=START\r\nx\0y\r\nMemo,PgTi=END\r\n";
    EXPECT_EQ(Check(std::string(withNul, sizeof withNul - 1)), "");
}

} // namespace
} // namespace trx::test
