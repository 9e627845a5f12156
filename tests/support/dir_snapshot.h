// What a directory tree holds, for comparing it before and after a copy or
// a move: every file's bytes, permission bits and last write time.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>

namespace trx::test {

struct TFileState {
    std::string Bytes;
    mode_t Mode = 0;
    int64_t MTimeNs = 0;
    bool operator==(const TFileState&) const = default;
};

// Relative path -> state; a directory's path ends in '/' and has no state.
using TDirSnapshot = std::map<std::string, TFileState>;

// Empty for a missing directory.
TDirSnapshot Snapshot(const std::string& Root);

} // namespace trx::test
