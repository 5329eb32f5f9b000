#include "xml/xmlforms.h"

#include "xml/amounttext.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

// The text of a form, or the message of the conversion error it throws.
template <typename Form> static QString outcome(Form form) {
    try {
        return form();
    } catch (const ConversionError& error) {
        return QStringLiteral("error: ") + error.message();
    }
}

class TestXmlForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escapeXmlText_data();
    void escapeXmlText();
    void escapePlain_data();
    void escapePlain();
    void formatXmlDecimal_data();
    void formatXmlDecimal();
    void formatXmlDecimalValue_data();
    void formatXmlDecimalValue();
    void dottedRawText_data();
    void dottedRawText();
    void formatXmlDate_data();
    void formatXmlDate();
    void formatXmlDateValue_data();
    void formatXmlDateValue();
    void lineWriter();
    void lineWriterFailure();
    void randomTextProperty();
};

void TestXmlForms::escapeXmlText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ampersand") << "A&B"
                               << "A&#38;B";
    QTest::newRow("dash and slash") << "a-b/c"
                                    << "a&#45;b&#47;c";
    QTest::newRow("degree and plus") << QString::fromUtf8("5°C +1") << "5&#176;C &#43;1";
    QTest::newRow("not idempotent") << "&#38;"
                                    << "&#38;#38;";
    QTest::newRow("quote and bang") << "Say \"hi\"!"
                                    << "Say &#34;hi&#34;&#33;";
    QTest::newRow("at sign") << "info@x.it"
                             << "info&#64;x.it";
    QTest::newRow("angle brackets") << "A<B>C"
                                    << "A&#60;B&#62;C";
    QTest::newRow("untouched") << QString::fromUtf8("L'àccento; è #1")
                               << QString::fromUtf8("L'àccento; è #1");
    QTest::newRow("every character") << QString::fromUtf8("&!\"/-°@+<>")
                                     << "&#38;&#33;&#34;&#47;&#45;&#176;&#64;&#43;&#60;&#62;";
    QTest::newRow("empty") << ""
                           << "";
}

void TestXmlForms::escapeXmlText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(xmlforms::EscapeXmlText(text), expected);
}

void TestXmlForms::escapePlain_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("three characters") << "A&B<C>"
                                      << "A&#38;B&#60;C&#62;";
    QTest::newRow("others pass") << "a-b/c +1 @!\""
                                 << "a-b/c +1 @!\"";
}

void TestXmlForms::escapePlain() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(xmlforms::escapePlain(text), expected);
}

void TestXmlForms::formatXmlDecimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << "1234,5" << 2 << "1234.50";
    QTest::newRow("four decimals") << "12,5" << 4 << "12.5000";
    QTest::newRow("exact half up") << "1,125" << 2 << "1.13";
    QTest::newRow("binary below half") << "2,675" << 2 << "2.67";
    QTest::newRow("small half") << "0,005" << 2 << "0.01";
    QTest::newRow("negative half") << "-0,005" << 2 << "-0.01";
    QTest::newRow("negative rounds to zero") << "-0,004" << 2 << "0.00";
    QTest::newRow("minus zero") << "-0" << 2 << "0.00";
    QTest::newRow("grouping dot skipped") << "1.234,50" << 2 << "1234.50";
    QTest::newRow("integer") << "12" << 2 << "12.00";
    QTest::newRow("three decimals cut") << "1234567,891" << 2 << "1234567.89";
    QTest::newRow("unit price") << "0,1235" << 4 << "0.1235";
    QTest::newRow("integer four decimals") << "3" << 4 << "3.0000";
    QTest::newRow("picture does not matter") << "5,000" << 2 << "5.00";
    QTest::newRow("blanks") << " 7,5 " << 2 << "7.50";
    QTest::newRow("exponent") << "1,5E2" << 2 << "150.00";
    QTest::newRow("dot is grouping") << "0.5" << 2 << "5.00";
    QTest::newRow("letters") << "abc" << 2 << "error: 'abc' is not a valid floating point value";
    QTest::newRow("empty") << "" << 2 << "error: '' is not a valid floating point value";
    QTest::newRow("two commas") << "1,2,3" << 2
                                << "error: '1,2,3' is not a valid floating point value";
}

void TestXmlForms::formatXmlDecimal() {
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return xmlforms::FormatXmlDecimal(text, decimals); }), expected);
}

void TestXmlForms::formatXmlDecimalValue_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant()
                          << "error: Could not convert variant of type (Null) into type (Double)";
    QTest::newRow("typed null")
        << QVariant(QMetaType::fromType<QString>())
        << "error: Could not convert variant of type (Null) into type (Double)";
    QTest::newRow("text") << QVariant(QStringLiteral("1.234,5")) << "1234.50";
    QTest::newRow("bad text") << QVariant(QStringLiteral("abc"))
                              << "error: 'abc' is not a valid floating point value";
    QTest::newRow("empty text") << QVariant(QString(""))
                                << "error: '' is not a valid floating point value";
    QTest::newRow("double") << QVariant(2.675) << "2.67";
    QTest::newRow("integer") << QVariant(12) << "12.00";
}

void TestXmlForms::formatXmlDecimalValue() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return xmlforms::FormatXmlDecimal(value, 2); }), expected);
}

void TestXmlForms::dottedRawText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals") << "15,00"
                                  << "15.00";
    QTest::newRow("not padded") << "15"
                                << "15";
    QTest::newRow("one decimal") << "7,5"
                                 << "7.5";
    QTest::newRow("grouping kept") << "1.234,50"
                                   << "1.234.50";
    QTest::newRow("empty") << ""
                           << "";
}

void TestXmlForms::dottedRawText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(xmlforms::dottedRawText(text), expected);
}

void TestXmlForms::formatXmlDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("stored form") << "05/03/2024"
                                 << "2024-03-05";
    QTest::newRow("new year") << "01/01/2024"
                              << "2024-01-01";
    QTest::newRow("year end") << "31/12/2023"
                              << "2023-12-31";
    QTest::newRow("one-digit day and month") << "5/3/2024"
                                             << "2024-03-05";
    QTest::newRow("two-digit year windowed") << "05/03/24"
                                             << "2024-03-05";
    QTest::newRow("leap day") << "29/02/2024"
                              << "2024-02-29";
    QTest::newRow("year as plain number") << "05/03/0999"
                                          << "999-03-05";
    QTest::newRow("no such day") << "31/02/2024"
                                 << "error: '31/02/2024' is not a valid date";
    QTest::newRow("empty") << ""
                           << "error: '' is not a valid date";
    QTest::newRow("already iso") << "2024-03-05"
                                 << "error: '2024-03-05' is not a valid date";
    QTest::newRow("three-digit year") << "05/03/024"
                                      << "error: '05/03/024' is not a valid date";
}

void TestXmlForms::formatXmlDate() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return xmlforms::FormatXmlDate(text); }), expected);
}

void TestXmlForms::formatXmlDateValue_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant()
                          << "error: Could not convert variant of type (Null) into type (Date)";
    QTest::newRow("text") << QVariant(QStringLiteral("05/03/2024")) << "2024-03-05";
    QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "2024-03-05";
}

void TestXmlForms::formatXmlDateValue() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(outcome([&] { return xmlforms::FormatXmlDate(value); }), expected);
}

void TestXmlForms::lineWriter() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    xmlforms::LineWriter writer(&buffer);
    writer.line(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    writer.line(QStringLiteral("<Sede>"));
    writer.element(QStringLiteral("Comune"), QString::fromUtf8("Cantù"));
    writer.element(QStringLiteral("Vuoto"), QString());
    writer.line(QStringLiteral("</Sede>"));
    QCOMPARE(buffer.data(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                       "<Sede>\r\n"
                                       "<Comune>Cant\xc3\xb9</Comune>\r\n"
                                       "<Vuoto></Vuoto>\r\n"
                                       "</Sede>\r\n"));
}

void TestXmlForms::lineWriterFailure() {
    QBuffer closed;
    xmlforms::LineWriter writer(&closed);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): device not open");
    QVERIFY_THROWS_EXCEPTION(FileError, writer.line(QStringLiteral("<a>")));
}

// Seeded random texts, from number-like pieces and from arbitrary code points:
// every reader and form either answers or throws ConversionError, and what the
// forms write has the shape of its form.
void TestXmlForms::randomTextProperty() {
    static const QString pieces[] = {QStringLiteral("0"),
                                     QStringLiteral("9"),
                                     QStringLiteral("5"),
                                     QStringLiteral(","),
                                     QStringLiteral("."),
                                     QStringLiteral("-"),
                                     QStringLiteral("+"),
                                     QStringLiteral("E"),
                                     QStringLiteral("e"),
                                     QStringLiteral(" "),
                                     QStringLiteral("/"),
                                     QStringLiteral("a"),
                                     QStringLiteral("99999999999999999999"),
                                     QStringLiteral("E999"),
                                     QStringLiteral("E-999"),
                                     QStringLiteral("31/"),
                                     QStringLiteral("12/"),
                                     QStringLiteral("2024")};
    const QRegularExpression decimalShape(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    const QRegularExpression dateShape(QStringLiteral("^[1-9][0-9]{0,3}-[0-9]{2}-[0-9]{2}$"));
    QRandomGenerator random(4102024);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i) {
            if (round % 2)
                text += pieces[random.bounded(int(std::size(pieces)))];
            else
                text += QChar(char16_t(random.bounded(1, 0x3000)));
        }
        amount::readStrict(text);
        amount::readLocale(text);
        amount::generalForm(amount::readLenient(text).value_or(0));
        amount::readShortDate(text);
        try {
            const QString decimal = xmlforms::FormatXmlDecimal(text, 2);
            QVERIFY2(amount::readLenient(text), qPrintable(text));
            QVERIFY2(decimalShape.match(decimal).hasMatch(), qPrintable(text + " -> " + decimal));
        } catch (const ConversionError&) {
            QVERIFY2(!amount::readLenient(text), qPrintable(text));
        }
        try {
            const QString date = xmlforms::FormatXmlDate(text);
            QVERIFY2(dateShape.match(date).hasMatch(), qPrintable(text + " -> " + date));
        } catch (const ConversionError&) {
        }
        xmlforms::EscapeXmlText(text);
    }
}

QTEST_APPLESS_MAIN(TestXmlForms)
#include "test_xmlforms.moc"
