#include "support/windows_dir.h"

#include <cstdlib>

namespace trx::test {

TWindowsDirOverride::TWindowsDirOverride() {
    if (const char* p = std::getenv("TRX_WINDOWS_DIR")) {
        previous_ = p;
        hadPrevious_ = true;
    }
    setenv("TRX_WINDOWS_DIR", dir_.Path().c_str(), 1);
}

TWindowsDirOverride::~TWindowsDirOverride() {
    if (hadPrevious_)
        setenv("TRX_WINDOWS_DIR", previous_.c_str(), 1);
    else
        unsetenv("TRX_WINDOWS_DIR");
}

} // namespace trx::test
