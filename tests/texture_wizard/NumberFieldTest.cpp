#include <gtest/gtest.h>

#include "NumberField.h"

#include <string>

namespace {

// Types keys into a field as the control would, keeping the text when a key is refused.
std::string TypeInt(const char* keys, int minimum, int maximum)
{
    std::string text;
    for (const char* k = keys; *k; ++k) {
        std::string next = text + *k;
        if (NumFieldAccepts(next.c_str(), static_cast<BYTE>(*k), minimum, maximum))
            text = next;
    }
    return text;
}

std::string TypeFloat(const char* keys, double minimum, double maximum)
{
    std::string text;
    for (const char* k = keys; *k; ++k) {
        std::string next = text + *k;
        if (FloatFieldAccepts(next.c_str(), static_cast<BYTE>(*k), minimum, maximum))
            text = next;
    }
    return text;
}

TEST(NumberField, IntegerTyping)
{
    struct Case {
        const char* keys;
        int minimum, maximum;
        const char* text;
    } cases[] = {
        {"129", 0, 128, "12"},
        {"0", 0, 128, "0"},
        {"05", 0, 128, "0"},
        {"-50", -128, 128, "-50"},
        {"-500", -128, 999, "-500"}, // the minimum is not enforced while typing
        {"-5", 0, 128, "5"},         // no minus sign without a negative minimum
        {"1a2.3", 0, 999, "123"},
        {"99999999999", 0, 2147483647, "999999999"},
        {"99999999999", 0, 999, "999"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypeInt(c.keys, c.minimum, c.maximum), c.text) << c.keys;
    // Eleven nines overflow 32 bits and must not pass a maximum of 2147483647.
    EXPECT_FALSE(NumFieldAccepts("99999999999", '9', 0, 2147483647));
    EXPECT_FALSE(NumFieldAccepts("99999999999999999999", '9', 0, 2147483647));
    EXPECT_TRUE(NumFieldAccepts("2147483647", '7', 0, 2147483647));
    EXPECT_FALSE(NumFieldAccepts("2147483648", '8', 0, 2147483647));
    EXPECT_TRUE(NumFieldAccepts("", '\b', 0, 128));
    EXPECT_FALSE(NumFieldAccepts("05", '\b', 0, 128)); // a backspace may not leave a leading zero
}

TEST(NumberField, DecimalTyping)
{
    struct Case {
        const char* keys;
        const char* text;
    } cases[] = {
        {"12.5", "12.5"},
        {"1.2.3", "1.23"},
        {"012", "0"},
        {"0.5", "0.5"},
        {"360", "36"},
        {"359.99", "359.99"},
        {"12.3.4", "12.3.4"},
        {".5", "."}, // a text may not start with its point
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypeFloat(c.keys, 0.0, 359.99), c.text) << c.keys;
    double value = 0;
    ASSERT_TRUE(ReadFieldDecimal("12.3.4", &value));
    EXPECT_DOUBLE_EQ(value, 12.3);
    EXPECT_FALSE(FloatFieldAccepts("-1", '-', 0.0, 359.99));
    EXPECT_TRUE(FloatFieldAccepts("-1", '1', -10.0, 359.99));
}

TEST(NumberField, SpinSteps)
{
    double next = 0;
    ASSERT_TRUE(FloatSpinStep(358.50, 1, 0.0, 359.99, &next));
    EXPECT_DOUBLE_EQ(next, 359.50);
    EXPECT_FALSE(FloatSpinStep(359.50, 1, 0.0, 359.99, &next));
    EXPECT_FALSE(FloatSpinStep(0.50, -1, 0.0, 359.99, &next));
    ASSERT_TRUE(FloatSpinStep(1.50, -1, 0.0, 359.99, &next));
    EXPECT_DOUBLE_EQ(next, 0.50);
}

} // namespace
