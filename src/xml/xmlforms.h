#pragma once

#include "platform/core/errors.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

class QIODevice;

// The value forms of the FatturaPA files, from stored text to file text.
namespace xmlforms {

// Replaces, in this order: & ! " / - ° @ + and then < >, each by its numeric
// character reference ("&#38;" ... "&#43;", "&#60;", "&#62;"). Not idempotent.
QString EscapeXmlText(const QString& text);

// Escapes only "&", "<" and ">" ("&#38;", "&#60;", "&#62;"): the plain values,
// which are otherwise written as stored, so that no value breaks the file.
QString escapePlain(const QString& text);

// Amount text read leniently (dots skipped, comma decimal) into a double, rounded
// on its exact binary value to `decimals` places, halves away from zero, written
// with a dot, no grouping: '1,125' -> '1.13', '2,675' -> '2.67', '-0,005' -> '-0.01'.
// Throws ConversionError "'abc' is not a valid floating point value".
QString FormatXmlDecimal(const QString& text, int decimals);
// The same for a field value: a null throws the conversion error.
QString FormatXmlDecimal(const QVariant& value, int decimals);

// The stored text with every comma replaced by a dot; nothing else changes.
QString dottedRawText(const QString& text);

// "dd/mm/yyyy" -> "yyyy-mm-dd". Throws ConversionError "'31/02/2024' is not a valid date".
QString FormatXmlDate(const QString& text);
QString FormatXmlDate(const QVariant& value);

// Writes the file's lines: each line's bytes as UTF-8 followed by CR LF, no
// indentation, no byte-order mark.
class LineWriter {
public:
    explicit LineWriter(QIODevice* device) : m_device(device) {}
    void line(const QString& text);
    // "<tag>value</tag>" on one line.
    void element(const QString& tag, const QString& value);

private:
    QIODevice* m_device;
};

} // namespace xmlforms
