#include "xml/amounttext.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

// A missing reading is written "fail"; a value as its shortest exact form.
static QString describe(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 17) : QStringLiteral("fail");
}

class TestAmountText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatPicture_data();
    void formatPicture();
    void formatFloat();
    void readStrict_data();
    void readStrict();
    void readLocale_data();
    void readLocale();
    void readLenient_data();
    void readLenient();
    void generalForm_data();
    void generalForm();
    void twoDigitYear_data();
    void twoDigitYear();
    void readDate_data();
    void readDate();
    void formatThenReadProperty();
    void arbitraryTextNeverCrashesTheReaders();
};

void TestAmountText::formatPicture_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");
    const QString two = QStringLiteral("######0.00");
    QTest::newRow("plain") << 1234.5 << two << "1234,50";
    QTest::newRow("zero") << 0.0 << two << "0,00";
    QTest::newRow("below one") << 0.5 << two << "0,50";
    QTest::newRow("exact half up") << 1.125 << two << "1,13";
    QTest::newRow("binary below half") << 2.675 << two << "2,67";
    QTest::newRow("1.005 lies below") << 1.005 << two << "1,00";
    QTest::newRow("negative half away") << -0.005 << two << "-0,01";
    QTest::newRow("negative exact half") << -1.125 << two << "-1,13";
    QTest::newRow("negative rounds to zero") << -0.001 << two << "0,00";
    QTest::newRow("negative zero") << -0.0 << two << "0,00";
    QTest::newRow("carry into integer") << 9.999 << two << "10,00";
    QTest::newRow("float sum") << double(1234567.875f) << two << "1234567,88";
    QTest::newRow("hashes do not limit")
        << 123456789012.0 << QStringLiteral("#####0.00") << "123456789012,00";
    QTest::newRow("huge") << 1e20 << two << "100000000000000000000,00";
    QTest::newRow("tiny") << 1e-300 << two << "0,00";
    QTest::newRow("eight hashes") << 7.5 << QStringLiteral("#######0.00") << "7,50";
    QTest::newRow("three decimals") << 12.5 << QStringLiteral("#####0.000") << "12,500";
    QTest::newRow("three decimals carry")
        << 999.9996 << QStringLiteral("######0.000") << "1000,000";
    QTest::newRow("four decimals") << 0.12345 << QStringLiteral("######0.0000") << "0,1235";
    QTest::newRow("grouping") << 1234.5 << QStringLiteral("##,###0.000") << "1.234,500";
    QTest::newRow("grouping millions")
        << 1234567.5 << QStringLiteral("##,###0.00") << "1.234.567,50";
    QTest::newRow("grouping below thousand") << 123.0 << QStringLiteral("##,###0.00") << "123,00";
    QTest::newRow("grouping negative") << -1234.5 << QStringLiteral("##,###0.00") << "-1.234,50";
    QTest::newRow("grouping carry") << 999.9996 << QStringLiteral("##,###0.000") << "1.000,000";
    QTest::newRow("grouping zero") << 0.0 << QStringLiteral("##,###0.000") << "0,000";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << two << "INF";
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << two << "-INF";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << two << "NAN";
}

void TestAmountText::formatPicture() {
    QFETCH(double, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(amount::formatPicture(value, picture), expected);
}

void TestAmountText::formatFloat() {
    // The float overload formats the single-precision value, not the decimal typed.
    QCOMPARE(amount::formatPicture(1234567.89f, QStringLiteral("#####0.000")), "1234567,875");
    QCOMPARE(amount::formatPicture(0.1f, QStringLiteral("######0.0000")), "0,1000");
    QCOMPARE(amount::formatPicture(16777217.0f, QStringLiteral("######0.00")), "16777216,00");
}

void TestAmountText::readStrict_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma decimal") << "1234,5"
                                   << "1234.5";
    QTest::newRow("blanks and sign") << "  -12,5  "
                                     << "-12.5";
    QTest::newRow("plus sign") << "+3"
                               << "3";
    QTest::newRow("no integer digits") << ",5"
                                       << "0.5";
    QTest::newRow("no decimal digits") << "5,"
                                       << "5";
    QTest::newRow("exponent") << "1E3"
                              << "1000";
    QTest::newRow("small exponent") << "1,5e-2"
                                    << "0.014999999999999999";
    QTest::newRow("signed exponent") << "2E+2"
                                     << "200";
    QTest::newRow("minus zero") << "-0"
                                << "0";
    QTest::newRow("underflow reads zero") << "1E-999"
                                          << "0";
    QTest::newRow("overflow") << "1E999"
                              << "fail";
    QTest::newRow("grouping dot") << "1.234,5"
                                  << "fail";
    QTest::newRow("decimal dot") << "1.5"
                                 << "fail";
    QTest::newRow("empty") << ""
                           << "fail";
    QTest::newRow("blanks only") << "   "
                                 << "fail";
    QTest::newRow("comma only") << ","
                                << "fail";
    QTest::newRow("sign only") << "-"
                               << "fail";
    QTest::newRow("two commas") << "1,2,3"
                                << "fail";
    QTest::newRow("letters after") << "12a"
                                   << "fail";
    QTest::newRow("exponent without digits") << "1E"
                                             << "fail";
    QTest::newRow("exponent without mantissa") << "E5"
                                               << "fail";
    QTest::newRow("blank after sign") << "- 5"
                                      << "fail";
    QTest::newRow("blank inside") << "1 2"
                                  << "fail";
    QTest::newRow("tab is not a blank") << "\t1"
                                        << "fail";
    QTest::newRow("letters") << "abc"
                             << "fail";
}

void TestAmountText::readStrict() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(amount::readStrict(text)), expected);
}

void TestAmountText::readLocale_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << "1.234,5"
                             << "1234.5";
    QTest::newRow("grouped millions") << "1.234.567,50"
                                      << "1234567.5";
    QTest::newRow("ungrouped") << "1234,5"
                               << "1234.5";
    QTest::newRow("grouped integer") << " 1.000 "
                                     << "1000";
    QTest::newRow("dot among decimals") << "1,2.5"
                                        << "fail";
    QTest::newRow("dot only") << "."
                              << "fail";
    QTest::newRow("exponent still read") << "1,5E3"
                                         << "1500";
    QTest::newRow("empty") << ""
                           << "fail";
}

void TestAmountText::readLocale() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(amount::readLocale(text)), expected);
}

void TestAmountText::readLenient_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << "1.234,50"
                             << "1234.5";
    QTest::newRow("dot among decimals skipped") << "1,2.5"
                                                << "1.25";
    QTest::newRow("decimal dot is grouping") << "0.5"
                                             << "5";
    QTest::newRow("dots only") << "..."
                               << "fail";
    QTest::newRow("empty") << ""
                           << "fail";
    QTest::newRow("letters") << "abc"
                             << "fail";
}

void TestAmountText::readLenient() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(amount::readLenient(text)), expected);
}

void TestAmountText::generalForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer rate") << 22.0 << "22";
    QTest::newRow("half rate") << 5.5 << "5,5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("ten keeps its zero") << 10.0 << "10";
    QTest::newRow("float rate") << double(5.5f) << "5,5";
    QTest::newRow("float tenth") << double(0.1f) << "0,100000001490116";
    QTest::newRow("sum noise dropped") << 0.1 + 0.2 << "0,3";
    QTest::newRow("third") << 1.0 / 3 << "0,333333333333333";
    QTest::newRow("two thirds rounds") << 2.0 / 3 << "0,666666666666667";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("sixteen digits") << 1e15 << "1E15";
    QTest::newRow("exponent form") << 123456789012345678.0 << "1,23456789012346E17";
    QTest::newRow("large power") << 1e20 << "1E20";
    QTest::newRow("rounds up to exponent") << 999999999999999.9 << "1E15";
    QTest::newRow("smallest fixed") << 0.00001 << "0,00001";
    QTest::newRow("below fixed") << 0.0000015 << "1,5E-6";
    QTest::newRow("negative") << -4.5 << "-4,5";
}

void TestAmountText::generalForm() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(amount::generalForm(value), expected);
}

void TestAmountText::twoDigitYear_data() {
    QTest::addColumn<int>("twoDigits");
    QTest::addColumn<int>("currentYear");
    QTest::addColumn<int>("expected");
    QTest::newRow("window start") << 76 << 2026 << 1976;
    QTest::newRow("window end") << 75 << 2026 << 2075;
    QTest::newRow("zero") << 0 << 2026 << 2000;
    QTest::newRow("ninety-nine") << 99 << 2026 << 1999;
    QTest::newRow("current") << 26 << 2026 << 2026;
    QTest::newRow("in 2000, 49") << 49 << 2000 << 2049;
    QTest::newRow("in 2000, 50") << 50 << 2000 << 1950;
}

void TestAmountText::twoDigitYear() {
    QFETCH(int, twoDigits);
    QFETCH(int, currentYear);
    QFETCH(int, expected);
    QCOMPARE(amount::expandTwoDigitYear(twoDigits, currentYear), expected);
}

void TestAmountText::readDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // ISO date, or "invalid"
    QTest::newRow("stored form") << "05/03/2024"
                                 << "2024-03-05";
    QTest::newRow("one-digit day and month") << "5/3/2024"
                                             << "2024-03-05";
    QTest::newRow("two-digit year") << "05/03/24"
                                    << "2024-03-05";
    QTest::newRow("two-digit year last century") << "05/03/76"
                                                 << "1976-03-05";
    QTest::newRow("masked blanks") << " 5/ 3/26"
                                   << "2026-03-05";
    QTest::newRow("trailing blank") << "05/03/2024 "
                                    << "2024-03-05";
    QTest::newRow("leap day") << "29/02/2024"
                              << "2024-02-29";
    QTest::newRow("no leap day") << "29/02/2023"
                                 << "invalid";
    QTest::newRow("no such day") << "31/02/2024"
                                 << "invalid";
    QTest::newRow("month thirteen") << "05/13/2024"
                                    << "invalid";
    QTest::newRow("day zero") << "00/01/2024"
                              << "invalid";
    QTest::newRow("empty mask") << "  /  /  "
                                << "invalid";
    QTest::newRow("unfilled mask") << "__/__/__"
                                   << "invalid";
    QTest::newRow("three-digit year") << "05/03/024"
                                      << "invalid";
    QTest::newRow("five-digit year") << "05/03/20245"
                                     << "invalid";
    QTest::newRow("three-digit day") << "005/03/2024"
                                     << "invalid";
    QTest::newRow("no year") << "05/03"
                             << "invalid";
    QTest::newRow("dashes") << "05-03-2024"
                            << "invalid";
    QTest::newRow("iso form") << "2024-03-05"
                              << "invalid";
    QTest::newRow("empty") << ""
                           << "invalid";
}

void TestAmountText::readDate() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QDate date = amount::readDate(text, 2026);
    QCOMPARE(date.isValid() ? date.toString(Qt::ISODate) : QStringLiteral("invalid"), expected);
    QCOMPARE(amount::readShortDate(text, 2026), date);
}

// Seeded texts in the strict grammar: formatting what was read with any picture
// and reading the text back gives the value rounded to the picture's decimals.
void TestAmountText::formatThenReadProperty() {
    struct Form {
        QString picture;
        int decimals;
        bool grouped;
    };
    const Form forms[] = {
        {QStringLiteral("######0.00"), 2, false},  {QStringLiteral("#######0.00"), 2, false},
        {QStringLiteral("#####0.00"), 2, false},   {QStringLiteral("#####0.000"), 3, false},
        {QStringLiteral("######0.000"), 3, false}, {QStringLiteral("######0.0000"), 4, false},
        {QStringLiteral("##,###0.00"), 2, true},   {QStringLiteral("##,###0.000"), 3, true},
    };
    QRandomGenerator random(20240305);
    auto digits = [&](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QLatin1Char(char('0' + random.bounded(10)));
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        QString text;
        if (random.bounded(2))
            text += random.bounded(2) ? QLatin1Char('-') : QLatin1Char('+');
        text += digits(random.bounded(13));
        if (random.bounded(3))
            text += QLatin1Char(',') + digits(random.bounded(7));
        if (random.bounded(6) == 0)
            text += QStringLiteral("E%1").arg(random.bounded(-4, 4));
        const auto value = amount::readStrict(text);
        if (!value)
            continue;
        for (const Form& form : forms) {
            const QString written = amount::formatPicture(*value, form.picture);
            const auto back =
                form.grouped ? amount::readLocale(written) : amount::readStrict(written);
            QVERIFY2(back, qPrintable(text + QStringLiteral(" -> ") + written));
            if (form.grouped && written.contains(QLatin1Char('.')))
                QVERIFY2(!amount::readStrict(written), qPrintable(written));
            // Within half a unit of the last decimal, allowing the double's own error.
            const double half = 0.5 * std::pow(10.0, -form.decimals);
            const double slack = std::fabs(*value) * 1e-15 + 1e-12;
            QVERIFY2(std::fabs(*back - *value) <= half + slack,
                     qPrintable(text + QStringLiteral(" -> ") + written));
            // Already rounded: writing it again changes nothing.
            QCOMPARE(amount::formatPicture(*back, form.picture), written);
        }
    }
}

// Any text at all, including huge exponents and stray separators: every reader
// answers (a value or no value), and a value it gives is a finite number.
void TestAmountText::arbitraryTextNeverCrashesTheReaders() {
    const QString alphabet = QStringLiteral("0123456789,.,.-+eE \t x\u00e0\u20ac'");
    QRandomGenerator random(77);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(24);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(random.bounded(alphabet.size()));
        if (random.bounded(10) == 0)
            text += QStringLiteral("E%1").arg(random.bounded(-400, 400));
        for (const auto& value : {amount::readStrict(text), amount::readLocale(text), amount::readLenient(text)})
            if (value)
                QVERIFY2(std::isfinite(*value), qPrintable(text));
        amount::readDate(text, 2026);
        amount::readShortDate(text, 2026);
        if (const auto value = amount::readLenient(text))
            QVERIFY(!amount::formatPicture(*value, QStringLiteral("##,###0.000")).isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestAmountText)
#include "test_amounttext.moc"
