#include <gtest/gtest.h>

#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include "tAppInt.h"
#include "tDDCES.h"

namespace {

void pressEnter(QLineEdit& edit) {
    QTest::keyClick(&edit, Qt::Key_Return);
}

void typeAndEnter(QLineEdit& edit, const QString& text) {
    edit.setText(text);
    pressEnter(edit);
}

class tDDCESTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        engine.AddVariable(&app.velocity);
        engine.AddEdit(&app.velocity, &v1);
        engine.AddEdit(&app.velocity, &v2);
        engine.AddEdit(&app.velocity, &v3);
        engine.AddSyn(&app.velocity, &seismo);
        engine.AddSyn(&app.velocity, &spectro);
        engine.AddVariable(&app.ku);
        engine.AddEdit(&app.ku, &k1);
        engine.AddEdit(&app.ku, &k2);
        engine.AddSyn(&app.ku, &seismo);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void resetMarkers() {
        seismo.ResetChanged();
        spectro.ResetChanged();
    }

    tAppInt app;
    tDDCES engine;
    QLineEdit v1, v2, v3, k1, k2;
    tSYN seismo, spectro;
};

TEST_F(tDDCESTest, AValueTheCheckRefusesIsNotTaken) {
    engine.AddCheck<double>(&app.velocity,
                            [](double v) { return v > 0 ? QString() : QString("больше нуля"); });
    typeAndEnter(v1, "3000");
    resetMarkers();
    QSignalSpy refused(&engine, &tDDCES::valueRefused);
    typeAndEnter(v2, "0");
    EXPECT_EQ(app.velocity, 3000.0);
    EXPECT_EQ(v2.text(), "3000"); // back to the value in force
    EXPECT_FALSE(seismo.changed());
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0][0].toString(), "больше нуля");
    typeAndEnter(v2, "3000"); // the value in force: no change to tell
    EXPECT_FALSE(seismo.changed());
}

TEST_F(tDDCESTest, BindingShowsTheCurrentValues) {
    EXPECT_EQ(engine.itemCount(), 2);
    EXPECT_EQ(v1.text(), "2000");
    EXPECT_EQ(v3.text(), "2000");
    EXPECT_EQ(k2.text(), "0");
    tDDCES other;
    QLineEdit b;
    b.setText("1.0");
    other.AddVariable(&app.base);
    other.AddEdit(&app.base, &b);
    EXPECT_EQ(b.text(), "1");
}

TEST_F(tDDCESTest, FirstEnterAlwaysTellsTheMarkers) {
    pressEnter(v2);
    EXPECT_EQ(app.velocity, 2000.0);
    EXPECT_TRUE(seismo.changed());
    EXPECT_TRUE(spectro.changed());
}

TEST_F(tDDCESTest, EnterWithUnchangedTextTellsNothingButRewritesTheOtherEdits) {
    pressEnter(v1);
    resetMarkers();
    v2.setText("scribble");
    v3.setText("");
    pressEnter(v1);
    EXPECT_FALSE(seismo.changed());
    EXPECT_FALSE(spectro.changed());
    EXPECT_EQ(v2.text(), "2000");
    EXPECT_EQ(v3.text(), "2000");
}

TEST_F(tDDCESTest, NewValueIsStoredToldAndShownInTheOtherEdits) {
    pressEnter(v1);
    resetMarkers();
    typeAndEnter(v2, "3500,5");
    EXPECT_EQ(app.velocity, 3500.5);
    EXPECT_TRUE(seismo.changed());
    EXPECT_TRUE(spectro.changed());
    EXPECT_EQ(v1.text(), "3500,5");
    EXPECT_EQ(v3.text(), "3500,5");
    EXPECT_EQ(k1.text(), "0"); // other variables' edits stay
}

TEST_F(tDDCESTest, KeysOtherThanEnterChangeNothing) {
    v1.clear();
    QTest::keyClicks(&v1, "4000");
    QTest::keyClick(&v1, Qt::Key_Tab);
    QTest::keyClick(&v1, Qt::Key_Escape);
    engine.OnEditKeyPress(&v1, 'x');
    EXPECT_EQ(v1.text(), "4000");
    EXPECT_EQ(app.velocity, 2000.0);
    EXPECT_FALSE(seismo.changed());
    EXPECT_EQ(v2.text(), "2000");
}

TEST_F(tDDCESTest, AnEditBelongsToOneVariableOnly) {
    engine.AddEdit(&app.ku, &v1); // already bound to the velocity
    typeAndEnter(v1, "5");
    EXPECT_EQ(app.velocity, 5.0);
    EXPECT_EQ(app.ku, 0.0);
    EXPECT_EQ(k1.text(), "0");
    engine.AddEdit(&app.velocity, &v1); // a second binding to the same variable too
    v2.setText("");
    pressEnter(v1);
    EXPECT_EQ(v2.text(), "5");
}

TEST_F(tDDCESTest, CommaLocaleGainTakesHalf) {
    typeAndEnter(k1, "0,5");
    EXPECT_EQ(app.ku, 0.5);
    EXPECT_EQ(k2.text(), "0,5");
    EXPECT_TRUE(seismo.changed());
    EXPECT_FALSE(spectro.changed());
}

TEST_F(tDDCESTest, ComparisonIsBytewise) {
    typeAndEnter(k1, "0");
    resetMarkers();
    typeAndEnter(k1, "-0");
    EXPECT_TRUE(std::signbit(app.ku));
    EXPECT_TRUE(seismo.changed());
}

TEST_F(tDDCESTest, TextThatIsNotANumberChangesNothing) {
    pressEnter(v1);
    resetMarkers();
    v2.setText("");
    v1.setText("быстро");
    EXPECT_THROW(engine.OnEditKeyPress(&v1, 13), tConvertError);
    EXPECT_EQ(app.velocity, 2000.0);
    EXPECT_FALSE(seismo.changed());
    EXPECT_EQ(v2.text(), "");
    EXPECT_EQ(v1.text(), "быстро");

    QSignalSpy errors(&engine, &tDDCES::errorRaised);
    pressEnter(v1); // through the key event the error goes to the window
    ASSERT_EQ(errors.count(), 1);
    EXPECT_TRUE(errors.at(0).at(0).toString().contains("быстро"));
    EXPECT_EQ(app.velocity, 2000.0);
    // the snapshot was not touched: the same value again tells nothing
    pressEnter(v2);
    EXPECT_FALSE(seismo.changed());
}

TEST_F(tDDCESTest, UnregisteredAddressesAndTypesAreIgnored) {
    int whole = 7;
    char letter = 'a';
    engine.AddVariable(&whole);
    engine.AddVariable(&letter);
    engine.AddVariable(&app.velocity); // registered once only
    EXPECT_EQ(engine.itemCount(), 2);
    QLineEdit e;
    e.setText("untouched");
    engine.AddEdit(&whole, &e);
    engine.AddSyn(&whole, &seismo);
    EXPECT_EQ(e.text(), "untouched");
    typeAndEnter(e, "9");
    EXPECT_EQ(whole, 7);
    EXPECT_FALSE(seismo.changed());
}

TEST(tDDCESTypes, CodesFollowTheCppTypes) {
    EXPECT_EQ(tDDCES::typeCodeOf<unsigned char>(), 1);
    EXPECT_EQ(tDDCES::typeCodeOf<signed char>(), 2);
    EXPECT_EQ(tDDCES::typeCodeOf<unsigned short>(), 3);
    EXPECT_EQ(tDDCES::typeCodeOf<short>(), 4);
    EXPECT_EQ(tDDCES::typeCodeOf<unsigned long>(), 5);
    EXPECT_EQ(tDDCES::typeCodeOf<long>(), 6);
    EXPECT_EQ(tDDCES::typeCodeOf<float>(), 7);
    EXPECT_EQ(tDDCES::typeCodeOf<double>(), 8);
    EXPECT_EQ(tDDCES::typeCodeOf<int>(), 0);
    EXPECT_EQ(tDDCES::typeCodeOf<char>(), 0);
    EXPECT_EQ(tDDCES::typeCodeOf<long long>(), 0);
}

TEST(tDDCESTypes, IntegersKeepTheLowBitsAndFloatsRound) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    tDDCES engine;
    unsigned char byte = 0;
    short word = 0;
    long wide = 0;
    float single = 0;
    QLineEdit b1, b2, w1, w2, l1, l2, f1, f2;
    engine.AddVariable(&byte);
    engine.AddEdit(&byte, &b1);
    engine.AddEdit(&byte, &b2);
    engine.AddVariable(&word);
    engine.AddEdit(&word, &w1);
    engine.AddEdit(&word, &w2);
    engine.AddVariable(&wide);
    engine.AddEdit(&wide, &l1);
    engine.AddEdit(&wide, &l2);
    engine.AddVariable(&single);
    engine.AddEdit(&single, &f1);
    engine.AddEdit(&single, &f2);
    typeAndEnter(b1, "300");
    EXPECT_EQ(byte, 44);
    EXPECT_EQ(b2.text(), "44");
    typeAndEnter(w1, "-40000");
    EXPECT_EQ(word, short(-40000));
    EXPECT_EQ(w2.text(), QString::number(short(-40000)));
    typeAndEnter(l1, "-123456789012");
    EXPECT_EQ(wide, long(-123456789012LL));
    EXPECT_EQ(l2.text(), QString::number(long(-123456789012LL)));
    typeAndEnter(f1, "0,1");
    EXPECT_EQ(single, 0.1f);
    EXPECT_EQ(f2.text(), "0,1");
    QLocale::setDefault(QLocale::c());
}

} // namespace
