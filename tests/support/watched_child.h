// Runs a piece of a test in a child process that a watchdog ends, so that a
// call that would wait for ever (an open of a FIFO, a read of a device)
// fails the test instead of hanging it.
#pragma once

#include <functional>
#include <string>

namespace trx::test {

// Body runs in a forked child and returns what went wrong, or an empty text
// when all went as expected. The result is that text, or a note that the
// child was ended (by the watchdog after Seconds, or by another signal).
std::string InWatchedChild(const std::function<std::string()>& Body, unsigned Seconds = 10);

} // namespace trx::test
