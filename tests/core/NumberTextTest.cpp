// Typed numbers are read like C's atoi/atof: the leading numeric prefix, 0 when none.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

TEST(NumberText, IntegerPrefixRule)
{
    EXPECT_EQ(NumberText::toInt(QStringLiteral("23")), 23);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("  17px")), 17);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("-4")), -4);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("12.9")), 12);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("abc")), 0);
    EXPECT_EQ(NumberText::toInt(QString()), 0);
    EXPECT_EQ(NumberText::toInt(QStringLiteral("二十")), 0);
    // Out of range saturates rather than wrapping round to a negative size.
    EXPECT_EQ(NumberText::toInt(QStringLiteral("99999999999999")), 2147483647);
}

TEST(NumberText, DecimalPrefixRule)
{
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral("12.50")), 12.5);
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral("3.5kg")), 3.5);
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QString()), 0.0);
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral("1e308")), 1e308);
    EXPECT_TRUE(std::signbit(NumberText::toDouble(QStringLiteral("-0"))));
    EXPECT_TRUE(std::isinf(NumberText::toDouble(QStringLiteral("1e999"))));
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma, when one is installed, must not change the reading.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(NumberText::toDouble(QStringLiteral("2.75")), 2.75);
    EXPECT_EQ(NumberText::money(2.75), QStringLiteral("2.75"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, PrintfFormats)
{
    EXPECT_EQ(NumberText::money(12.345), QStringLiteral("12.35"));
    EXPECT_EQ(NumberText::money(0), QStringLiteral("0.00"));
    EXPECT_EQ(NumberText::money(-3.5), QStringLiteral("-3.50"));
    EXPECT_EQ(NumberText::quantity(2), QStringLiteral("2"));
    EXPECT_EQ(NumberText::quantity(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(NumberText::quantity(1234567), QStringLiteral("1.23457e+06"));
}
