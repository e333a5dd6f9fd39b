// libFuzzer target for the seconds field's conversion and the text the error
// display makes of its message.
//
// For every byte string taken as the field's text, FieldValue either returns
// the value that an independent reading below gives, or throws EConvertError
// whose message is "'" + text + "' は整数ではありません" byte for byte (NULs
// included); nothing else may escape. ErrorText of a message is the message
// with "." appended exactly when the message is not empty and its last byte
// sorts after "."; it is checked on the error's message and on the raw input.
// Any violation prints what went wrong and aborts, so libFuzzer keeps the
// input as a crash artifact.
#include "ErrorText.h"
#include "Errors.h"
#include "FieldValue.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using kestrova::EConvertError;

// The reading of a text as a signed 32-bit decimal integer, done apart from
// FieldValue: the shape is checked first, leading zeros are dropped, and
// the remaining digits (at most ten, so they fit a long long) are read by
// std::strtoll and compared with the 32-bit range.
std::optional<std::int32_t> referenceReading(std::string_view text)
{
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        start = 1;
    }
    if (start == text.size())
        return std::nullopt;
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;

    const std::size_t firstNonZero = text.find_first_not_of('0', start);
    const std::string_view digits =
        firstNonZero == std::string_view::npos ? std::string_view("0") : text.substr(firstNonZero);
    // 10^10 is already past 2^31, so more digits cannot be in range.
    if (digits.size() > 10)
        return std::nullopt;

    std::string copy = negative ? "-" : "";
    copy += digits;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || end != copy.c_str() + copy.size()) {
        std::fprintf(stderr, "reference reading could not read a validated text\n");
        std::abort();
    }
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The input shown on a violation: printable ASCII as is, the rest as \xNN.
std::string shown(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

[[noreturn]] void violation(const char* what, std::string_view input,
                            const std::string& detail = {})
{
    std::fprintf(stderr, "field_fuzzer: %s\n  input (%zu bytes): \"%s\"\n", what, input.size(),
                 shown(input).c_str());
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
    std::abort();
}

void checkErrorText(std::string_view message, std::string_view input)
{
    const std::string got = kestrova::ErrorText(message);
    // Whether the last character sorts after ".": compared as one-character
    // strings, which order their bytes as unsigned values.
    const bool wantsStop = !message.empty() && message.substr(message.size() - 1) > ".";
    const std::string want = wantsStop ? std::string(message) + "." : std::string(message);
    if (got != want)
        violation("ErrorText differs", input,
                  "message \"" + shown(message) + "\" gave \"" + shown(got) + "\", expected \""
                      + shown(want) + "\"");
}

void checkOne(std::string_view text)
{
    const std::optional<std::int32_t> expected = referenceReading(text);
    try {
        const std::int32_t got = kestrova::FieldValue(text);
        if (!expected)
            violation("accepted a text that is not an integer", text,
                      "returned " + std::to_string(got));
        if (got != *expected)
            violation("wrong value", text,
                      "returned " + std::to_string(got) + ", expected "
                          + std::to_string(*expected));
    } catch (const EConvertError& e) {
        if (expected)
            violation("refused an integer", text, "expected " + std::to_string(*expected));
        std::string want = "'";
        want += text;
        want += "' は整数ではありません";
        if (e.message() != want)
            violation("wrong message", text,
                      "got \"" + shown(e.message()) + "\", expected \"" + shown(want) + "\"");
        // what() is the same text, up to a NUL the field may hold.
        if (std::string_view(e.what()) != std::string_view(want).substr(0, want.find('\0')))
            violation("what() differs from the message", text,
                      "what() \"" + shown(e.what()) + "\"");
        checkErrorText(e.message(), text);
    } catch (const std::exception& e) {
        violation("threw something other than EConvertError", text, e.what());
    } catch (...) {
        violation("threw something that is not an exception", text);
    }
    checkErrorText(text, text);
}

} // namespace

// Checks the reference reading itself on known texts before any input, so
// that a slip in it is not taken for a fault of FieldValue.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    struct Known {
        std::string_view text;
        std::optional<std::int32_t> value;
    };
    const Known known[] = {
        {"0", 0},
        {"-0", 0},
        {"+0", 0},
        {"007", 7},
        {"30", 30},
        {"+1", 1},
        {"-1", -1},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"000000000000002147483647", INT32_MAX},
        {"-000000000000002147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"4294967296", std::nullopt},
        {"10000000000", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"0x1F", std::nullopt},
        {std::string_view("1\0" "2", 3), std::nullopt},
    };
    for (const Known& k : known) {
        if (referenceReading(k.text) != k.value)
            violation("reference reading is wrong on a known text", k.text);
        checkOne(k.text);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkOne(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
