// The framework's exception classes.
#pragma once

#include <exception>
#include <string>

namespace trx {

// Root of every exception the framework and the component raise.
class Exception : public std::exception {
public:
    explicit Exception(std::string msg = {}) : Message(std::move(msg)) {}
    ~Exception() override = default;
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
    int HelpContext = 0;
};

// Silent exception: handlers that show messages stay quiet for it.
class EAbort : public Exception {
    using Exception::Exception;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EInvalidPointer : public Exception {
    using Exception::Exception;
};
class EIntError : public Exception {
    using Exception::Exception;
};
class EIntOverflow : public EIntError {
    using EIntError::EIntError;
};
class EDivByZero : public EIntError {
    using EIntError::EIntError;
};
class EMathError : public Exception {
    using Exception::Exception;
};
class EZeroDivide : public EMathError {
    using EMathError::EMathError;
};
class EOutOfMemory : public Exception {
    using Exception::Exception;
};
class EPrinter : public Exception {
    using Exception::Exception;
};
class EDatabaseError : public Exception {
    using Exception::Exception;
};

// File I/O error carrying the numeric I/O result code.
class EInOutError : public Exception {
public:
    explicit EInOutError(std::string msg = {}, int code = 0) : Exception(std::move(msg)), ErrorCode(code) {}
    int ErrorCode;
};

class EStreamError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

// Raises EAbort with the framework's message "Operation aborted".
[[noreturn]] void Abort();

// Base of objects stored in string lists and passed as event senders.
class TObject {
public:
    virtual ~TObject() = default;
};

// Runs clean-up steps that must all run whatever one of them raises: each
// failure is caught, and the first one is raised again by RaiseFirst.
class TCleanupSteps {
public:
    template <class F>
    void Run(F&& Step) noexcept {
        try {
            Step();
        } catch (...) {
            if (!first_) first_ = std::current_exception();
        }
    }
    void RaiseFirst() {
        if (!first_) return;
        std::exception_ptr e = first_;
        first_ = nullptr;
        std::rethrow_exception(e);
    }

private:
    std::exception_ptr first_;
};

} // namespace trx
