#include "invoices/rules/linearithmetic.h"

#include <QtTest>

// A control that keeps its text is shown as "(kept)".
static QString shown(const std::optional<QString>& text) {
    return text ? *text : QStringLiteral("(kept)");
}

class TestLineArithmetic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reformat_data();
    void reformat();
    void recalcLine_data();
    void recalcLine();
};

void TestLineArithmetic::reformat_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quantity") << "quantity"
                              << "3"
                              << "3,00";
    QTest::newRow("quantity negative") << "quantity"
                                       << "-1,5"
                                       << "-1,50";
    QTest::newRow("quantity binary rounding") << "quantity"
                                              << "2,675"
                                              << "2,67";
    QTest::newRow("quantity exponent") << "quantity"
                                       << "1E2"
                                       << "100,00";
    QTest::newRow("quantity blanks") << "quantity"
                                     << " 7 "
                                     << "7,00";
    QTest::newRow("quantity letters") << "quantity"
                                      << "abc"
                                      << "0,00";
    QTest::newRow("quantity empty") << "quantity"
                                    << ""
                                    << "0,00";
    QTest::newRow("quantity grouping refused") << "quantity"
                                               << "1.234"
                                               << "0,00";
    QTest::newRow("price") << "price"
                           << "10"
                           << "10,000";
    QTest::newRow("price keeps the double") << "price"
                                            << "1234567,89"
                                            << "1234567,890";
    QTest::newRow("price half up") << "price"
                                   << "0,0625"
                                   << "0,063";
    QTest::newRow("price letters") << "price"
                                   << "x"
                                   << "0,000";
    QTest::newRow("percentage") << "percentage"
                                << "10"
                                << "10,00";
    QTest::newRow("percentage letters") << "percentage"
                                        << "abc"
                                        << "";
    QTest::newRow("percentage empty") << "percentage"
                                      << ""
                                      << "";
}

void TestLineArithmetic::reformat() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString result = field == QLatin1String("quantity") ? reformatLineQuantity(text)
                           : field == QLatin1String("price")  ? reformatLinePrice(text)
                                                              : reformatLinePercentage(text);
    QCOMPARE(result, expected);
}

void TestLineArithmetic::recalcLine_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("percentage");
    QTest::addColumn<QString>("expected"); // percentage | amount | total | error
    QTest::newRow("discount SC") << "3,00"
                                 << "10,000"
                                 << "SC"
                                 << "10,00"
                                 << "10,00|3,00|27,000|ok";
    QTest::newRow("markup MG") << "3,00"
                               << "10,000"
                               << "MG"
                               << "10,00"
                               << "10,00|3,00|33,000|ok";
    QTest::newRow("no type empties discount") << "3,00"
                                              << "10,000"
                                              << ""
                                              << "10,00"
                                              << "||30,000|ok";
    QTest::newRow("type is exact text") << "3"
                                        << "10"
                                        << "sc"
                                        << "10"
                                        << "||30,000|ok";
    QTest::newRow("percentage kept as typed") << "3"
                                              << "10"
                                              << "SC"
                                              << "10"
                                              << "10|3,00|27,000|ok";
    QTest::newRow("quantity not a number") << "abc"
                                           << "10"
                                           << "SC"
                                           << "10"
                                           << "10|0,00|0,000|ok";
    QTest::newRow("empty percentage with SC") << "3"
                                              << "10"
                                              << "SC"
                                              << ""
                                              << "|0,00|30,000|ok";
    QTest::newRow("price held in single precision") << "1"
                                                    << "1234567,89"
                                                    << ""
                                                    << ""
                                                    << "||1234567,875|ok";
    QTest::newRow("quantity held in single precision") << "0,1"
                                                       << "3"
                                                       << ""
                                                       << ""
                                                       << "||0,300|ok";
    QTest::newRow("grouped price counts 0") << "2"
                                            << "1.234,5"
                                            << "MG"
                                            << "10"
                                            << "10|0,00|0,000|ok";
    QTest::newRow("overflow of the discount") << "1E30"
                                              << "1E30"
                                              << "SC"
                                              << "10"
                                              << "10|(kept)|(kept)|error";
    QTest::newRow("overflow keeps the cleared percentage") << "1E30"
                                                           << "1E30"
                                                           << ""
                                                           << "10"
                                                           << "0,00|0,00|(kept)|error";
    QTest::newRow("quantity beyond single precision") << "1E39"
                                                      << "1"
                                                      << "SC"
                                                      << "10"
                                                      << "10|(kept)|(kept)|error";
}

void TestLineArithmetic::recalcLine() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, type);
    QFETCH(QString, percentage);
    QFETCH(QString, expected);
    const LineRecalc result = ::recalcLine(quantity, price, type, percentage);
    QCOMPARE(QStringList({result.percentage, shown(result.discountAmount), shown(result.total),
                          result.error ? QStringLiteral("error") : QStringLiteral("ok")})
                 .join(QLatin1Char('|')),
             expected);
}

QTEST_APPLESS_MAIN(TestLineArithmetic)
#include "test_linearithmetic.moc"
