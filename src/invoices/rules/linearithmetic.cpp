#include "invoices/rules/linearithmetic.h"

#include "xml/amounttext.h"

#include <cmath>

namespace {

QString reformat(const QString& text, const QString& picture, const QString& fallback) {
    const auto number = amount::readStrict(text);
    return number ? amount::formatPicture(*number, picture) : fallback;
}

float strictOrZero(const QString& text) {
    return static_cast<float>(amount::readStrict(text).value_or(0.0));
}

} // namespace

QString reformatLineQuantity(const QString& text) {
    return reformat(text, QStringLiteral("#####0.00"), QStringLiteral("0,00"));
}

QString reformatLinePrice(const QString& text) {
    return reformat(text, QStringLiteral("#####0.000"), QStringLiteral("0,000"));
}

QString reformatLinePercentage(const QString& text) {
    return reformat(text, QStringLiteral("#####0.00"), QString());
}

LineRecalc recalcLine(const QString& quantityText, const QString& priceText,
                      const QString& discountType, const QString& percentageText) {
    LineRecalc result;
    result.percentage = percentageText;
    const float quantity = strictOrZero(quantityText);
    const float price = strictOrZero(priceText);
    const bool discount = discountType == QLatin1String("SC");
    const bool markup = discountType == QLatin1String("MG");
    if (!discount && !markup)
        result.percentage = QStringLiteral("0,00");
    const float percentage = strictOrZero(result.percentage);
    // A number beyond single precision overflows when it is stored.
    if (!std::isfinite(quantity) || !std::isfinite(price) || !std::isfinite(percentage)) {
        result.error = true;
        return result;
    }

    // The product of two floats is exact in double.
    const double amount = double(quantity) * price;
    const float discountAmount = static_cast<float>(amount * percentage / 100);
    if (!std::isfinite(discountAmount)) {
        result.error = true;
        return result;
    }
    result.discountAmount = amount::formatPicture(discountAmount, QStringLiteral("#####0.00"));

    const float total = static_cast<float>(discount ? amount - discountAmount
                                           : markup ? amount + discountAmount
                                                    : amount);
    // The total is stored before a line without discount loses its discount fields.
    if (!std::isfinite(total)) {
        result.error = true;
        return result;
    }
    if (!discount && !markup) {
        result.discountAmount = QString();
        result.percentage = QString();
    }
    result.total = amount::formatPicture(total, QStringLiteral("#####0.000"));
    return result;
}
