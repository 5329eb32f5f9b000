#include "invoices/rules/documenttotals.h"

#include <QtTest>

Q_DECLARE_METATYPE(TotalsLine)
Q_DECLARE_METATYPE(TotalsHeaderInput)

namespace {

// A line of stored texts; "null" stands for a missing value.
TotalsLine line(const char* quantita, const char* aliquota, const char* prezzoTot,
                const char* tipoCessione = "AC") {
    auto value = [](const char* text) {
        return qstrcmp(text, "null") == 0 ? QVariant() : QVariant(QString::fromUtf8(text));
    };
    return {value(quantita), value(aliquota), value(tipoCessione), value(prezzoTot)};
}

TotalsHeaderInput header(const char* scTipo = "", const char* scPerc = "0",
                         const char* spese = "0,00", const char* spese2 = "0,00") {
    return {QString::fromUtf8(spese), QString::fromUtf8(spese2), QString::fromUtf8(scTipo),
            QString::fromUtf8(scPerc)};
}

QString join(const auto& texts) {
    QStringList list(texts.begin(), texts.end());
    return list.join(QLatin1Char('|'));
}

// One line per result: the slots, then either the stop or every written field.
QString describe(const TotalsResult& result) {
    QString text = QStringLiteral("slots ") + join(result.rateSlots);
    if (!result.complete)
        return text + QStringLiteral("; stop ") + result.error;
    return text + QStringLiteral("; imp ") + join(result.imponibile) + QStringLiteral("; iva ") +
           join(result.imposta) + QStringLiteral("; om ") + join(result.totOmaggio) +
           QStringLiteral("; sc ") + result.scImporto + QStringLiteral("; tot ") + result.totDoc;
}

} // namespace

class TestDocumentTotals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void totals_data();
    void totals();
};

void TestDocumentTotals::totals_data() {
    QTest::addColumn<TotalsHeaderInput>("head");
    QTest::addColumn<QVector<TotalsLine>>("lines");
    QTest::addColumn<QString>("expected");

    const QVector<TotalsLine> twoRates = {line("1", "22", "100,000"), line("2", "22", "50,000"),
                                          line("1", "10", "20,000")};
    QTest::newRow("two rates") << header() << twoRates
                               << "slots 22|10||; imp 150,00|20,00||; iva 33,00|2,00||; "
                                  "om 0,00|0,00|; sc 0,00; tot 205,00";
    QTest::newRow("line order decides the slots")
        << header() << QVector<TotalsLine>{twoRates[2], twoRates[0], twoRates[1]}
        << "slots 10|22||; imp 20,00|150,00||; iva 2,00|33,00||; om 0,00|0,00|; sc 0,00; "
           "tot 205,00";
    QTest::newRow("22 and 22,00 are two rates")
        << header() << QVector<TotalsLine>{line("1", "22", "100,000"), line("1", "22,00", "50,000")}
        << "slots 22|22,00||; imp 100,00|50,00||; iva 22,00|11,00||; om 0,00|0,00|; sc 0,00; "
           "tot 183,00";
    QTest::newRow("fifth rate counted nowhere")
        << header()
        << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "100"),
                               line("1", "4", "100"), line("1", "5", "100"), line("1", "8", "1000")}
        << "slots 22|10|4|5; imp 100,00|100,00|100,00|100,00; iva 22,00|10,00|4,00|5,00; "
           "om 0,00|0,00|0,00; sc 0,00; tot 441,00";
    QTest::newRow("fifth rate total is not read")
        << header()
        << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "100"),
                               line("1", "4", "100"), line("1", "5", "100"), line("1", "8", "abc")}
        << "slots 22|10|4|5; imp 100,00|100,00|100,00|100,00; iva 22,00|10,00|4,00|5,00; "
           "om 0,00|0,00|0,00; sc 0,00; tot 441,00";
    QTest::newRow("zero and negative quantities skipped")
        << header()
        << QVector<TotalsLine>{line("0,00", "22", "100"), line("-1", "10", "50"),
                               line("1", "4", "10")}
        << "slots 4|||; imp 10,00|||; iva 0,40|||; om 0,00||; sc 0,00; tot 10,40";
    QTest::newRow("gift line adds only its VAT")
        << header()
        << QVector<TotalsLine>{line("1", "22", "100,000"), line("1", "22", "10,000", "PR")}
        << "slots 22|||; imp 100,00|||; iva 24,20|||; om 10,00||; sc 0,00; tot 124,20";
    QTest::newRow("bucket of gift lines only")
        << header() << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "10", "SC")}
        << "slots 22|10||; imp 100,00|0,00||; iva 22,00|1,00||; om 0,00|10,00|; sc 0,00; "
           "tot 123,00";
    QTest::newRow("gift kind is exact text")
        << header() << QVector<TotalsLine>{line("1", "22", "100"), line("1", "22", "10", "pr")}
        << "slots 22|||; imp 110,00|||; iva 24,20|||; om 0,00||; sc 0,00; tot 134,20";
    const QVector<TotalsLine> hundred = {line("1", "22", "100,000")};
    QTest::newRow("discount SC") << header("SC", "10") << hundred
                                 << "slots 22|||; imp 100,00|||; iva 22,00|||; om 0,00||; "
                                    "sc 10,00; tot 109,80";
    QTest::newRow("markup MG") << header("MG", "10") << hundred
                               << "slots 22|||; imp 100,00|||; iva 22,00|||; om 0,00||; "
                                  "sc 10,00; tot 134,20";
    QTest::newRow("no type ignores the percentage")
        << header("", "10") << hundred
        << "slots 22|||; imp 100,00|||; iva 22,00|||; om 0,00||; sc 0,00; tot 122,00";
    QTest::newRow("type is exact text")
        << header("sc", "10") << hundred
        << "slots 22|||; imp 100,00|||; iva 22,00|||; om 0,00||; sc 0,00; tot 122,00";
    QTest::newRow("expenses with bucket VAT")
        << header("", "0", "5,00", "5,00")
        << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "100")}
        << "slots 22|10||; imp 100,00|100,00||; iva 22,00|10,00||; om 0,00|0,00|; sc 0,00; "
           "tot 243,60";
    QTest::newRow("header text not a number counts 0")
        << header("SC", "abc", "abc", "") << hundred
        << "slots 22|||; imp 100,00|||; iva 22,00|||; om 0,00||; sc 0,00; tot 122,00";
    QTest::newRow("fourth bucket: gift counts, no discount")
        << header("SC", "10")
        << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "100"),
                               line("1", "4", "100"), line("1", "5", "10", "PR")}
        << "slots 22|10|4|5; imp 100,00|100,00|100,00|10,00; iva 22,00|10,00|4,00|0,50; "
           "om 0,00|0,00|0,00; sc 30,00; tot 312,90";
    QTest::newRow("single precision sum")
        << header() << QVector<TotalsLine>{line("1", "22", "1234567,890")}
        << "slots 22|||; imp 1234567,88|||; iva 271604,93|||; om 0,00||; sc 0,00; "
           "tot 1506172,81";
    QTest::newRow("each term rounded to single precision")
        << header()
        << QVector<TotalsLine>{line("1", "0", "16777216"), line("1", "0", "1"), line("1", "0", "1")}
        << "slots 0|||; imp 16777216,00|||; iva 0,00|||; om 0,00||; sc 0,00; tot 16777216,00";
    QTest::newRow("grouping dots of article lines")
        << header() << QVector<TotalsLine>{line("1.000,00", "22", "1.234,500")}
        << "slots 22|||; imp 1234,50|||; iva 271,59|||; om 0,00||; sc 0,00; tot 1506,09";
    QTest::newRow("empty rate matches every empty slot")
        << header() << QVector<TotalsLine>{line("1", "22", "100"), line("1", "", "10")}
        << "slots 22|||; imp 100,00|10,00|10,00|10,00; iva 22,00|0,00|0,00|0,00; "
           "om 0,00|0,00|0,00; sc 0,00; tot 152,00";
    QTest::newRow("no lines") << header() << QVector<TotalsLine>{}
                              << "slots |||; imp |||; iva |||; om ||; sc 0,00; tot 0,00";
    QTest::newRow("empty quantity stops, slots kept")
        << header()
        << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "20"), line("", "4", "5"),
                               line("1", "5", "5")}
        << "slots 22|10||; stop '' is not a valid floating point value";
    QTest::newRow("null quantity stops")
        << header() << QVector<TotalsLine>{line("1", "22", "100"), line("null", "10", "20")}
        << "slots 22|||; stop Could not convert variant of type (Null) into type (Double)";
    QTest::newRow("skipped line still needs a number")
        << header() << QVector<TotalsLine>{line("abc", "22", "0")}
        << "slots |||; stop 'abc' is not a valid floating point value";
    QTest::newRow("bad total of a counted line stops after placing")
        << header() << QVector<TotalsLine>{line("1", "22", "100"), line("1", "10", "1,2,3")}
        << "slots 22|10||; stop '1,2,3' is not a valid floating point value";
    QTest::newRow("bad rate of a gift line stops")
        << header() << QVector<TotalsLine>{line("1", "iva", "10", "AB")}
        << "slots iva|||; stop 'iva' is not a valid floating point value";
    QTest::newRow("bad rate of an ordinary line counts 0")
        << header() << QVector<TotalsLine>{line("1", "iva", "10")}
        << "slots iva|||; imp 10,00|||; iva 0,00|||; om 0,00||; sc 0,00; tot 10,00";
}

void TestDocumentTotals::totals() {
    QFETCH(TotalsHeaderInput, head);
    QFETCH(QVector<TotalsLine>, lines);
    QFETCH(QString, expected);
    QCOMPARE(describe(computeDocumentTotals(head, lines)), expected);
}

QTEST_APPLESS_MAIN(TestDocumentTotals)
#include "test_documenttotals.moc"
