#include "FieldValue.h"

#include "Errors.h"

#include <string>

namespace kestrova {

namespace {
[[noreturn]] void notAnInteger(std::string_view text)
{
    std::string message;
    message.reserve(text.size() + 32);
    message += '\'';
    message += text;
    message += "' は整数ではありません";
    throw EConvertError(message);
}
} // namespace

std::int32_t FieldValue(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        notAnInteger(text);
    // Accumulate as a magnitude; the negative range reaches one further.
    const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
    std::uint32_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            notAnInteger(text);
        const auto digit = static_cast<std::uint32_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            notAnInteger(text);
        magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == 2147483648u ? INT32_MIN : -static_cast<std::int32_t>(magnitude);
    return static_cast<std::int32_t>(magnitude);
}

} // namespace kestrova
