#include "NumberFormat.h"
#include "../support/CommaCLocale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    static QString ru(const QString& pattern, double v) { return FormatFloat(pattern, v); }
};

TEST_F(NumberFormatTest, FixedPatternsRoundAndPadDecimals) {
    EXPECT_EQ(ru("0.0", 2000), "2000,0");
    EXPECT_EQ(ru("0.000", 0.05), "0,050");
    EXPECT_EQ(ru("0.00", 6.0), "6,00");
    EXPECT_EQ(ru("0.0", 6.666666), "6,7");
    EXPECT_EQ(ru("0.00", 0.004), "0,00");
    EXPECT_EQ(ru("0.0", 99.96), "100,0");
    EXPECT_EQ(ru("0.0", 0.0), "0,0");
}

TEST_F(NumberFormatTest, ExactTiesRoundAwayFromZero) {
    EXPECT_EQ(ru("0.0", 2.25), "2,3");
    EXPECT_EQ(ru("0.000", 0.0625), "0,063");
    EXPECT_EQ(ru("0.0", -2.25), "-2,3");
    EXPECT_EQ(ru("#,##0", 2.5), "3");
}

TEST_F(NumberFormatTest, NegativeValuesKeepTheSignUnlessTheyRoundToZero) {
    EXPECT_EQ(ru("0.00", -1.5), "-1,50");
    EXPECT_EQ(ru("0.0", -0.01), "0,0");
    EXPECT_EQ(ru("0.00000E+00", -0.01), "-1,00000E-02");
}

TEST_F(NumberFormatTest, GroupedPatternsUseTheLocaleSeparator) {
    const QString g = QLocale().groupSeparator();
    EXPECT_FALSE(g.isEmpty());
    EXPECT_EQ(ru("#,##0", 1234567), "1" + g + "234" + g + "567");
    EXPECT_EQ(ru("#,##0.0", 1234.56), "1" + g + "234,6");
    EXPECT_EQ(ru("#,##0.00", 999.999), "1" + g + "000,00");
    EXPECT_EQ(ru("#,##0", 999), "999");
    EXPECT_EQ(ru("#,##0", -12345), "-12" + g + "345");
    EXPECT_EQ(ru("#,##0", 0.2), "0");
}

TEST_F(NumberFormatTest, ScientificPatternHasFiveDecimalsAndSignedExponent) {
    EXPECT_EQ(ru("0.00000E+00", 2e-5), "2,00000E-05");
    EXPECT_EQ(ru("0.00000E+00", 16384), "1,63840E+04");
    EXPECT_EQ(ru("0.00000E+00", 0), "0,00000E+00");
    EXPECT_EQ(ru("0.00000E+00", 1), "1,00000E+00");
    EXPECT_EQ(ru("0.00000E+00", -0.75), "-7,50000E-01");
    EXPECT_EQ(ru("0.00000E+00", 9.999996e-5), "1,00000E-04");
    EXPECT_EQ(ru("0.00000E+00", 1.5e-300), "1,50000E-300");
}

TEST_F(NumberFormatTest, ExplicitLocaleOverridesTheDefault) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(FormatFloat("0.0", 2000, c), "2000.0");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, c), "1,234.50");
    EXPECT_EQ(FormatFloat("0.00000E+00", 2e-5, c), "2.00000E-05");
}

TEST_F(NumberFormatTest, NonFiniteValuesAreNamed) {
    EXPECT_EQ(ru("0.0", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(ru("0.0", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(ru("0.0", std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST_F(NumberFormatTest, ParameterDisplayFormats) {
    EXPECT_EQ(FreqToStr(1.0 / double(0.0001f)), "10000,0");
    EXPECT_EQ(FreqToStr(50000), "50000,0");
    EXPECT_EQ(SampleLenToStr(16384), "16384");
    EXPECT_EQ(SampleLenToStr(-3), "-3");
    EXPECT_EQ(VelocityToStr(4000), "4000,0");
    EXPECT_EQ(BaseLenToStr(12.5), "12,5");
    EXPECT_EQ(AmpToStr(0.05), "0,050");
    EXPECT_EQ(AmpToStr(1), "1,000");
}

} // namespace

// A GUI application adopts the desktop's C locale, where printf writes "0,1": the patterns must
// not depend on it.
TEST_F(NumberFormatTest, PatternsIgnoreTheCLibraryLocale) {
    ASSERT_TRUE(CommaCLocale::Enter()) << "localedef could not build ru_RU.UTF-8";
    const QString freq = FreqToStr(50000), amp = AmpToStr(0.05), grouped = FormatFloat("#,##0.00", 12345.678),
                  exp = FormatFloat("0.00000E+00", 2e-5);
    CommaCLocale::Leave();
    EXPECT_EQ(freq, QString("50000,0"));
    EXPECT_EQ(amp, QString("0,050"));
    EXPECT_EQ(grouped,
              QString::fromUtf8("12\u00a0345,68")); // Qt's Russian group separator is a no-break space
    EXPECT_EQ(exp, QString("2,00000E-05"));
}
