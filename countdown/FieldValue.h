#pragma once
#include <cstdint>
#include <string_view>

namespace kestrova {

// Reads the seconds field's text as a signed 32-bit decimal integer.
// Accepted: an optional '+' or '-' followed by one or more ASCII digits,
// nothing else (no blanks, no hexadecimal). Leading zeros are allowed, so
// "030" is 30. Anything else, or a value outside the 32-bit range, throws
// EConvertError with "'<text>' は整数ではありません".
std::int32_t FieldValue(std::string_view text);

} // namespace kestrova
