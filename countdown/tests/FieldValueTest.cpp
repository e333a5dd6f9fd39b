#include "Errors.h"
#include "FieldValue.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kestrova {
namespace {

TEST(FieldValue, ReadsDecimalIntegersAcrossThe32BitRange)
{
    const std::vector<std::pair<std::string, std::int32_t>> cases{
        {"0", 0},
        {"30", 30},
        {"030", 30},
        {"007", 7},
        {"+5", 5},
        {"-5", -5},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0000000000002147483647", 2147483647},
        {std::string(20000, '0') + "7", 7},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(FieldValue(text), value) << text.substr(0, 30);
}

TEST(FieldValue, RefusesEverythingElseWithTheTextInTheMessage)
{
    const std::vector<std::string> cases{
        "", " ", "abc", "1a", "a1", " 1", "1 ", "1\n", "+", "-", "+-1", "--1", "1-", "0x10",
        "$10", "1.5", "1e3", "2147483648", "-2147483649", "4294967296", "99999999999",
        std::string(20000, '9'), "\xEF\xBC\x91", std::string("1\0" "2", 3)};
    for (const std::string& text : cases) {
        try {
            FieldValue(text);
            ADD_FAILURE() << "accepted " << text.substr(0, 30);
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), "'" + text + "' は整数ではありません");
        }
    }
}

TEST(FieldValue, EveryPowerOfTenBoundaryReadsBack)
{
    // Values at the edges where a digit is added, with and without leading
    // zeros, and their neighbours.
    for (std::int64_t p = 1; p <= 1000000000; p *= 10) {
        for (std::int64_t v : {p - 1, p, p + 1, 2 * p, 2147483647 / p}) {
            if (v > INT32_MAX)
                continue;
            const std::string text = std::to_string(v);
            EXPECT_EQ(FieldValue(text), v);
            EXPECT_EQ(FieldValue("000" + text), v);
            EXPECT_EQ(FieldValue("-" + text), -v);
        }
    }
}

} // namespace
} // namespace kestrova
