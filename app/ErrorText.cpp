#include "ErrorText.h"

#include "Errors.h"

#include <cstdint>
#include <cstdio>

namespace kestrova {

DescribedError DescribeError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return {e.kind(), e.message(), e.address()};
    } catch (const std::exception& e) {
        return {"Exception", e.what()};
    } catch (...) {
        return {"Exception", "Unknown error"};
    }
}

bool IsAbort(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}

std::string ErrorText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

std::string StartupErrorText(std::exception_ptr error, std::string_view programFile)
{
    const DescribedError d = DescribeError(error);
    char addressText[32];
    std::snprintf(addressText, sizeof addressText, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(d.address)));
    std::string text = d.kind;
    text += " がモジュール ";
    text += programFile;
    text += " の ";
    text += addressText;
    text += " で発生しました。\n";
    text += d.message;
    if (!d.message.empty() && d.message.back() != '.')
        text += '.';
    text += '\n';
    return text;
}

} // namespace kestrova
