// The system's text (UTF-8) as Qt text.
#pragma once

#include <QString>

#include <string_view>

namespace trx {

// Text character by character: a byte that is no part of valid UTF-8 shows
// as U+FFFD, one for each such byte, as the character grid counts it; a
// control character (below 32, and 127) shows as a blank, so that the
// columns after it stay in place.
QString ToQString(std::string_view Text);

} // namespace trx
