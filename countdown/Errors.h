#pragma once
// The error kinds the program raises inside its handlers. Every handler lets
// them run to its boundary, where the general error display shows the
// message; nothing is rolled back.
#include <stdexcept>
#include <string>

namespace kestrova {

// Base of every error the program raises. Messages are UTF-8.
class Error : public std::runtime_error {
public:
    // Not inlined, so that the address it records lies in the code that
    // raised the error.
    [[gnu::noinline]] explicit Error(const std::string& message)
        : std::runtime_error(message), message_(message), address_(__builtin_return_address(0))
    {
    }
    // The whole message; what() stops at a NUL that pasted text may hold.
    const std::string& message() const noexcept { return message_; }
    // The kind's name as the start-up error report shows it.
    virtual const char* kind() const noexcept { return "Exception"; }
    // The code address the error was raised from.
    const void* address() const noexcept { return address_; }

private:
    std::string message_;
    const void* address_;
};

// A silent error: the error display ends it without a message.
class EAbort : public Error {
public:
    EAbort() : Error("Operation aborted") {}
    const char* kind() const noexcept override { return "EAbort"; }
};

// A text that is not a number.
class EConvertError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "EConvertError"; }
};

// A property set to a value outside its range.
class EInvalidOperation : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "EInvalidOperation"; }
};

// The notification-area icon could not be registered.
class ENotifyIconError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "ENotifyIconError"; }
};

} // namespace kestrova
