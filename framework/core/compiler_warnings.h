// Silencing one compiler warning around one statement or definition.
#pragma once

// GCC 12 at -O3 reports -Wrestrict on ordinary std::string code that assigns
// or prepends a short literal ("?", "'" + s): after inlining it sees a
// memcpy of more than PTRDIFF_MAX bytes and an overlap at a negative offset,
// neither of which can happen (GCC bug 105329). Wrap only the statement or
// definition it names; the warning stays on everywhere else.
#if defined(__GNUC__) && !defined(__clang__)
#define TRX_GCC_BOGUS_RESTRICT_BEGIN _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define TRX_GCC_BOGUS_RESTRICT_END _Pragma("GCC diagnostic pop")
#else
#define TRX_GCC_BOGUS_RESTRICT_BEGIN
#define TRX_GCC_BOGUS_RESTRICT_END
#endif
