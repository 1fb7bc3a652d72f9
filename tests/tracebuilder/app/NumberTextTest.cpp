#include <gtest/gtest.h>

#include <cmath>

#include <QLocale>

#include "NumberText.h"

namespace {

class NumberText : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(NumberText, WholeNumbersHaveNoSeparator) {
    EXPECT_EQ(generalFloatText(2000.0), "2000");
    EXPECT_EQ(generalFloatText(0.0), "0");
    EXPECT_EQ(generalFloatText(-0.0), "0");
    EXPECT_EQ(generalFloatText(-32768.0), "-32768");
    EXPECT_EQ(generalFloatText(123456789012345.0), "123456789012345");
}

TEST_F(NumberText, FractionsUseTheLocaleSeparatorAndFifteenDigits) {
    EXPECT_EQ(generalFloatText(0.5), "0,5");
    EXPECT_EQ(generalFloatText(-2.25), "-2,25");
    EXPECT_EQ(generalFloatText(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(generalFloatText(0.1 + 0.2), "0,3");
    EXPECT_EQ(generalFloatText(0.0001), "0,0001");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(generalFloatText(0.5), "0.5");
}

TEST_F(NumberText, ExtremeMagnitudesUseTheExponentForm) {
    EXPECT_EQ(generalFloatText(0.00001), "1E-5");
    EXPECT_EQ(generalFloatText(1.5e-6), "1,5E-6");
    EXPECT_EQ(generalFloatText(2e-5), "2E-5");
    EXPECT_EQ(generalFloatText(1e15), "1E15");
    EXPECT_EQ(generalFloatText(-1.25e20), "-1,25E20");
    EXPECT_EQ(generalFloatText(999999999999999.9), "1E15"); // rounding carries into the exponent
}

TEST_F(NumberText, FloatsPrintTheirShortestText) {
    EXPECT_EQ(generalFloatText(0.1f), "0,1");
    EXPECT_EQ(generalFloatText(2e-5f), "2E-5");
    const float third = 1.0f / 3.0f;
    EXPECT_EQ(float(parseFloatText(generalFloatText(third))), third);
}

TEST_F(NumberText, TextReadsBackWithinFifteenDigits) {
    for (double v : {0.1, 1234.5678, 2e-5, 3.25e18, -7.0, 1.0 / 7.0})
        EXPECT_NEAR(parseFloatText(generalFloatText(v)), v, std::fabs(v) * 1e-14) << v;
}

TEST_F(NumberText, ParsingAcceptsTheLocaleSeparatorAndThePoint) {
    EXPECT_EQ(parseFloatText("0,5"), 0.5);
    EXPECT_EQ(parseFloatText("0.5"), 0.5);
    EXPECT_EQ(parseFloatText(" 2000 "), 2000.0);
    EXPECT_EQ(parseFloatText("1,5E-6"), 1.5e-6);
}

TEST_F(NumberText, ParsingRefusesWhatIsNotAFiniteNumber) {
    for (const char* bad : {"", "abc", "1 000", "1,2,3", "inf", "nan", "1e999", "-"})
        EXPECT_THROW(parseFloatText(bad), tConvertError) << bad;
    EXPECT_THROW(parseIntegerText("1,5"), tConvertError);
    EXPECT_THROW(parseIntegerText("x"), tConvertError);
    EXPECT_EQ(parseIntegerText(" -12 "), -12);
    try {
        parseFloatText("abc");
    } catch (const tConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("'abc'"), std::string::npos);
    }
}

} // namespace
