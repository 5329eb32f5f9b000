#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// Amount text: every amount, quantity, price, rate and percentage is stored as
// text with a comma as decimal separator ("1234,50"; the article window groups
// thousands with a dot: "1.234,50"). This module writes and reads that text.
namespace amount {

// Formats with a picture such as "######0.00" or "##,###0.000": "0" a digit always
// written, "#" a digit written when significant, "." the decimal position, a ","
// in the integer part asks for dot grouping. Rounds the exact binary value of the
// number to the picture's decimals, halves away from zero; "-" for negatives;
// comma decimal. A float is formatted from its exact single-precision value
// (1234567.875f with "######0.00" gives "1234567,88").
QString formatPicture(double value, const QString& picture);
inline QString formatPicture(float value, const QString& picture) {
    return formatPicture(static_cast<double>(value), picture);
}

// Strict reading: optional blanks, optional sign, digits with at most one decimal
// comma, an optional exponent ("E" and a signed integer), optional blanks, nothing
// else. A grouping dot, the empty text and a null make it fail. ",5" and "5,"
// read 0.5 and 5; a magnitude below the smallest double reads 0, one above the
// largest fails.
std::optional<double> readStrict(const QString& text);

// Locale reading: grouping dots accepted and skipped, comma decimal; when that
// fails the strict reading is tried. Dots count as grouping only among the
// integer digits: "1.234,5" reads 1234.5, "1,2.5" is not a number.
std::optional<double> readLocale(const QString& text);

// Lenient reading of the XML writers: every dot is skipped, comma decimal
// ("0.5" reads 5). Otherwise the grammar of the strict reading.
std::optional<double> readLenient(const QString& text);

// The lenient reading of a stored value; a value that already is a number is
// taken as it is. Throws ConversionError with the runtime's message: a null gives
// "Could not convert variant of type (Null) into type (Double)", text that is not
// a number "'abc' is not a valid floating point value".
double lenientNumber(const QVariant& value);

// "'abc' is not a valid floating point value".
QString notANumberMessage(const QString& text);

// The "general form" of a rate used by the import: at most 15 significant
// digits, trailing zeros dropped, comma decimal (22 -> "22", 5.5 -> "5,5").
QString generalForm(double value);

// Two-digit years fall in the hundred years starting 50 years before the current
// year (in 2026: 76..99 -> 1976..1999, 00..75 -> 2000..2075).
int expandTwoDigitYear(int twoDigitYear, int currentYear = QDate::currentDate().year());

// Reads day/month/year as the runtime's date conversion does: blanks allowed
// before each group and at the end, one or two digits for day and month, a year
// of one or two digits (placed by expandTwoDigitYear) or of four digits. Anything
// else, or a day that the month does not have, gives an invalid QDate.
QDate readDate(const QString& text, int currentYear = QDate::currentDate().year());

// Reads "dd/mm/yy" (blanks allowed before the digits of a group, as the masked
// edit leaves them); an invalid or incomplete date gives an invalid QDate.
// The same reading as readDate.
QDate readShortDate(const QString& text, int currentYear = QDate::currentDate().year());

} // namespace amount
