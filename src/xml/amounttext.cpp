#include "xml/amounttext.h"

#include "platform/core/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace amount {

namespace {

// The exact decimal expansion of a finite double's magnitude, split at the point.
// A double m * 2^e (0.5 <= m < 1) has no binary digit below 2^(e-53), so its
// decimal expansion ends within 53 - e decimals (1074 at most); glibc prints it
// exactly at that precision.
struct Expansion {
    std::string integer;  // at least one digit
    std::string fraction; // at least `minDecimals` digits
};

Expansion exactExpansion(double magnitude, int minDecimals) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int precision = std::clamp(53 - exponent, minDecimals, 1074);
    // At most 309 integer digits, the point and 1074 decimals.
    char buffer[1400];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, magnitude);
    const std::string text(buffer);
    const auto point = text.find('.');
    if (point == std::string::npos) // no decimals asked for
        return {text, std::string()};
    return {text.substr(0, point), text.substr(point + 1)};
}

// Adds one unit to the last digit of a digit string; returns true when a new
// leading digit was needed ("99" -> "00", carry out).
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

bool allZeros(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

struct Picture {
    int minIntegerDigits = 0;
    int decimals = 0;
    bool grouping = false;
};

Picture parsePicture(const QString& picture) {
    Picture result;
    const qsizetype point = picture.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? picture : picture.left(point);
    result.minIntegerDigits = static_cast<int>(integerPart.count(QLatin1Char('0')));
    result.grouping = integerPart.contains(QLatin1Char(','));
    if (point >= 0) {
        const QString fractionPart = picture.mid(point + 1);
        result.decimals = static_cast<int>(fractionPart.count(QLatin1Char('0')) +
                                           fractionPart.count(QLatin1Char('#')));
    }
    return result;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The pieces of a number text once its grammar has been checked.
struct NumberParts {
    bool negative = false;
    std::string integer, fraction; // digits only
    long exponent = 0;             // clamped, far beyond any double's range
};

// Optional blanks, optional sign, digits with at most one decimal comma (at
// least one digit in all), optional exponent "E"/"e" with an optional sign and
// at least one digit, optional blanks. `skipDots` says where dots are skipped:
// 0 nowhere, 1 in the integer digits only, 2 everywhere.
std::optional<NumberParts> scanNumber(const QString& text, int skipDots) {
    NumberParts parts;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skippable = [&](qsizetype at, bool inInteger) {
        return text.at(at) == QLatin1Char('.') && (skipDots == 2 || (skipDots == 1 && inInteger));
    };
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        parts.negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    while (i < n && (isDigit(text.at(i)) || skippable(i, true))) {
        if (isDigit(text.at(i)))
            parts.integer.push_back(static_cast<char>(text.at(i).unicode()));
        ++i;
    }
    if (i < n && text.at(i) == QLatin1Char(',')) {
        ++i;
        while (i < n && (isDigit(text.at(i)) || skippable(i, false))) {
            if (isDigit(text.at(i)))
                parts.fraction.push_back(static_cast<char>(text.at(i).unicode()));
            ++i;
        }
    }
    if (parts.integer.empty() && parts.fraction.empty())
        return std::nullopt;
    if (i < n && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
            negativeExponent = text.at(i) == QLatin1Char('-');
            ++i;
        }
        const qsizetype first = i;
        while (i < n && isDigit(text.at(i))) {
            if (parts.exponent < 1000000)
                parts.exponent = parts.exponent * 10 + (text.at(i).unicode() - '0');
            ++i;
        }
        if (i == first)
            return std::nullopt;
        if (negativeExponent)
            parts.exponent = -parts.exponent;
    }
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i != n)
        return std::nullopt;
    return parts;
}

// The nearest double; a value too small for a double reads as 0, one too
// large is not a number.
std::optional<double> toDouble(const NumberParts& parts) {
    const auto firstInteger = parts.integer.find_first_not_of('0');
    const auto firstFraction = parts.fraction.find_first_not_of('0');
    if (firstInteger == std::string::npos && firstFraction == std::string::npos)
        return 0.0; // every zero reads as plain 0, "-0" included
    std::string canonical = parts.integer.empty() ? std::string("0") : parts.integer;
    if (!parts.fraction.empty())
        canonical += '.' + parts.fraction;
    canonical += 'e' + std::to_string(parts.exponent);
    double value = 0;
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Decimal position of the leading digit decides underflow or overflow.
        const long leading = firstInteger != std::string::npos
                                 ? static_cast<long>(parts.integer.size() - firstInteger) - 1
                                 : -static_cast<long>(firstFraction) - 1;
        if (leading + parts.exponent < 0)
            return 0.0;
        return std::nullopt;
    }
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return parts.negative ? -value : value;
}

std::optional<double> read(const QString& text, int skipDots) {
    const auto parts = scanNumber(text, skipDots);
    if (!parts)
        return std::nullopt;
    return toDouble(*parts);
}

} // namespace

QString formatPicture(double value, const QString& picture) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const Picture form = parsePicture(picture);
    Expansion digits = exactExpansion(std::fabs(value), form.decimals + 1);
    // Half away from zero on the magnitude: the first dropped digit decides,
    // since the expansion is exact.
    const bool roundUp = digits.fraction.at(static_cast<std::size_t>(form.decimals)) >= '5';
    std::string fraction = digits.fraction.substr(0, static_cast<std::size_t>(form.decimals));
    std::string integer = digits.integer;
    if (roundUp && incrementDigits(fraction) && incrementDigits(integer))
        integer.insert(integer.begin(), '1');
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (static_cast<int>(integer.size()) < form.minIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(form.minIntegerDigits) - integer.size(), '0');

    QString result;
    // A value that rounds to zero is written without its sign.
    if (value < 0 && !(allZeros(integer) && allZeros(fraction)))
        result += QLatin1Char('-');
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (form.grouping && i > 0 && (integer.size() - i) % 3 == 0)
            result += QLatin1Char('.');
        result += QLatin1Char(integer[i]);
    }
    if (form.decimals > 0) {
        result += QLatin1Char(',');
        result += QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    return result;
}

std::optional<double> readStrict(const QString& text) {
    return read(text, 0);
}

// A text the locale form refuses is never one the strict form accepts (the
// strict form is the locale form without dots), so one scan answers both.
std::optional<double> readLocale(const QString& text) {
    return read(text, 1);
}

std::optional<double> readLenient(const QString& text) {
    return read(text, 2);
}

double lenientNumber(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        throw ConversionError(
            QStringLiteral("Could not convert variant of type (Null) into type (Double)"));
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toDouble();
    default:
        break;
    }
    const QString text = value.toString();
    if (const auto number = readLenient(text))
        return *number;
    throw ConversionError(notANumberMessage(text));
}

QString notANumberMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

QString generalForm(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0)
        return QStringLiteral("0");
    constexpr int significant = 15;
    Expansion digits = exactExpansion(std::fabs(value), 0);
    // All digits in one string with the position of the decimal point.
    std::string all = digits.integer + digits.fraction;
    long point = static_cast<long>(digits.integer.size());
    const auto first = all.find_first_not_of('0');
    all.erase(0, first);
    point -= static_cast<long>(first);
    const bool roundUp = all.size() > significant && all[significant] >= '5';
    all.resize(std::min<std::size_t>(all.size(), significant));
    if (roundUp && incrementDigits(all)) {
        all.insert(all.begin(), '1');
        all.pop_back();
        ++point;
    }
    all.erase(all.find_last_not_of('0') + 1);
    // `point` digits before the decimal point; the leading digit's exponent is point - 1.
    const long exponent = point - 1;
    QString result = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= significant || exponent < -5) {
        result += QLatin1Char(all[0]);
        if (all.size() > 1) {
            result += QLatin1Char(',');
            result += QString::fromLatin1(all.data() + 1, static_cast<qsizetype>(all.size() - 1));
        }
        result += QLatin1Char('E') + QString::number(exponent);
        return result;
    }
    if (point <= 0) {
        result += QStringLiteral("0,") + QString(static_cast<qsizetype>(-point), QLatin1Char('0')) +
                  QString::fromLatin1(all.data(), static_cast<qsizetype>(all.size()));
        return result;
    }
    if (static_cast<long>(all.size()) <= point) {
        result += QString::fromLatin1(all.data(), static_cast<qsizetype>(all.size())) +
                  QString(static_cast<qsizetype>(point - static_cast<long>(all.size())),
                          QLatin1Char('0'));
        return result;
    }
    result += QString::fromLatin1(all.data(), point) + QLatin1Char(',') +
              QString::fromLatin1(all.data() + point, static_cast<qsizetype>(all.size()) - point);
    return result;
}

int expandTwoDigitYear(int twoDigitYear, int currentYear) {
    const int windowStart = currentYear - 50;
    int year = windowStart - windowStart % 100 + twoDigitYear;
    if (year < windowStart)
        year += 100;
    return year;
}

QDate readDate(const QString& text, int currentYear) {
    int numbers[3] = {0, 0, 0};
    int yearDigits = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (int group = 0; group < 3; ++group) {
        if (group > 0) {
            if (i >= n || text.at(i) != QLatin1Char('/'))
                return {};
            ++i;
        }
        while (i < n && text.at(i) == QLatin1Char(' '))
            ++i;
        int digits = 0;
        while (i < n && isDigit(text.at(i)) && digits < 5) {
            numbers[group] = numbers[group] * 10 + (text.at(i).unicode() - '0');
            ++digits;
            ++i;
        }
        const int maxDigits = group == 2 ? 4 : 2;
        if (digits == 0 || digits > maxDigits)
            return {};
        if (group == 2)
            yearDigits = digits;
    }
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i != n || yearDigits == 3)
        return {};
    const int year = yearDigits <= 2 ? expandTwoDigitYear(numbers[2], currentYear) : numbers[2];
    return QDate(year, numbers[1], numbers[0]);
}

QDate readShortDate(const QString& text, int currentYear) {
    return readDate(text, currentYear);
}

} // namespace amount
