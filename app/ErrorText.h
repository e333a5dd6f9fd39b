#pragma once
// The texts of the error displays, free of any toolkit.
#include <exception>
#include <string>
#include <string_view>

namespace kestrova {

// The text the error display shows for an error's message: a "." is
// appended when the message is not empty and its last character sorts after
// "." (any non-ASCII last character does).
std::string ErrorText(std::string_view message);

// The kind of an error and its whole message, as the displays show them.
struct DescribedError {
    std::string kind;
    std::string message;
    const void* address = nullptr;
};
DescribedError DescribeError(std::exception_ptr error);
bool IsAbort(std::exception_ptr error);

// The report of an error that ends the program at start-up: the error's
// kind, the program file, the code address and the message, with a "."
// unless the message already ends in one.
std::string StartupErrorText(std::exception_ptr error, std::string_view programFile);

} // namespace kestrova
