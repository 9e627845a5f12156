// The component's exception classes. The message prefix is part of each
// message as the raising code builds it.
#pragma once

#include "framework/core/exceptions.h"

namespace trx {

// Root of the component's exceptions; never raised itself.
class ETrxError : public Exception {
    using Exception::Exception;
};
// Setup errors: "Tabrix! Setup Error: ..."
class ETrxSUError : public ETrxError {
    using ETrxError::ETrxError;
};
// Printing errors: "Tabrix! Printing Error: ..."
class ETrxPrtError : public ETrxError {
    using ETrxError::ETrxError;
};
// Internal errors: "Tabrix! Internal Error: ..."
class eTrxIntError : public ETrxError {
    using ETrxError::ETrxError;
};

inline constexpr const char* SetupErrorPrefix = "Tabrix! Setup Error: ";
inline constexpr const char* PrintingErrorPrefix = "Tabrix! Printing Error: ";
inline constexpr const char* InternalErrorPrefix = "Tabrix! Internal Error: ";

} // namespace trx
