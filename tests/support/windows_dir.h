// Points the "Windows directory" (where bare ini file names land) at a
// temporary directory for the life of a test.
#pragma once

#include <string>

#include "support/temp_dir.h"

namespace trx::test {

class TWindowsDirOverride {
public:
    TWindowsDirOverride();
    ~TWindowsDirOverride();
    TWindowsDirOverride(const TWindowsDirOverride&) = delete;
    TWindowsDirOverride& operator=(const TWindowsDirOverride&) = delete;
    const std::string& Path() const { return dir_.Path(); }
    std::string File(const std::string& Name) const { return dir_.File(Name); }

private:
    TempDir dir_;
    std::string previous_;
    bool hadPrevious_ = false;
};

} // namespace trx::test
