#include "xml/xmlforms.h"

#include "xml/amounttext.h"

#include <QDate>
#include <QIODevice>

namespace xmlforms {

namespace {

QString decimalPicture(int decimals) {
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0'))
                        : QStringLiteral("0");
}

// The amount pictures write a comma and, without grouping, nothing else to swap.
QString formatDotted(double value, int decimals) {
    return amount::formatPicture(value, decimalPicture(decimals))
        .replace(QLatin1Char(','), QLatin1Char('.'));
}

QString formatDate(const QDate& date) {
    return QStringLiteral("%1-%2-%3")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

} // namespace

QString EscapeXmlText(const QString& text) {
    // The ampersand first, so the references that follow are not escaped again.
    static const std::pair<QChar, QLatin1StringView> replacements[] = {
        {QLatin1Char('&'), QLatin1StringView("&#38;")},
        {QLatin1Char('!'), QLatin1StringView("&#33;")},
        {QLatin1Char('"'), QLatin1StringView("&#34;")},
        {QLatin1Char('/'), QLatin1StringView("&#47;")},
        {QLatin1Char('-'), QLatin1StringView("&#45;")},
        {QChar(0x00B0), QLatin1StringView("&#176;")},
        {QLatin1Char('@'), QLatin1StringView("&#64;")},
        {QLatin1Char('+'), QLatin1StringView("&#43;")},
        // Not among the historical eight: a name such as "A<B" would break the file.
        {QLatin1Char('<'), QLatin1StringView("&#60;")},
        {QLatin1Char('>'), QLatin1StringView("&#62;")},
    };
    QString result = text;
    for (const auto& [character, reference] : replacements)
        result.replace(character, reference);
    return result;
}

QString escapePlain(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char('&'), QLatin1StringView("&#38;"));
    result.replace(QLatin1Char('<'), QLatin1StringView("&#60;"));
    result.replace(QLatin1Char('>'), QLatin1StringView("&#62;"));
    return result;
}

QString FormatXmlDecimal(const QString& text, int decimals) {
    const auto number = amount::readLenient(text);
    if (!number)
        throw ConversionError(amount::notANumberMessage(text));
    return formatDotted(*number, decimals);
}

QString FormatXmlDecimal(const QVariant& value, int decimals) {
    return formatDotted(amount::lenientNumber(value), decimals);
}

QString dottedRawText(const QString& text) {
    QString result = text;
    return result.replace(QLatin1Char(','), QLatin1Char('.'));
}

QString FormatXmlDate(const QString& text) {
    const QDate date = amount::readDate(text);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
    return formatDate(date);
}

QString FormatXmlDate(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        throw ConversionError(
            QStringLiteral("Could not convert variant of type (Null) into type (Date)"));
    if (value.metaType().id() == QMetaType::QDate)
        return formatDate(value.toDate());
    return FormatXmlDate(value.toString());
}

void LineWriter::line(const QString& text) {
    const QByteArray bytes = text.toUtf8() + "\r\n";
    if (m_device->write(bytes) != bytes.size())
        throw FileError(m_device->errorString());
}

void LineWriter::element(const QString& tag, const QString& value) {
    line(QLatin1Char('<') + tag + QLatin1Char('>') + value + QStringLiteral("</") + tag +
         QLatin1Char('>'));
}

} // namespace xmlforms
