#include "invoices/rules/documenttotals.h"

#include "platform/core/errors.h"
#include "xml/amounttext.h"

namespace {

const QString amountPicture = QStringLiteral("######0.00");

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

bool isGift(const QVariant& tipoCessione) {
    const QString kind = text(tipoCessione);
    return kind == QLatin1String("SC") || kind == QLatin1String("AB") ||
           kind == QLatin1String("PR");
}

// Header values that are not numbers count 0, without a message. They are read
// as leniently as the line values.
float headerNumber(const QVariant& value) {
    if (value.isNull())
        return 0;
    try {
        return static_cast<float>(amount::lenientNumber(value));
    } catch (const ConversionError&) {
        return 0;
    }
}

// A sum held in single precision: the term is added at higher precision, the
// result rounded once when it is stored.
void accumulate(float& sum, double term) {
    sum = static_cast<float>(double(sum) + term);
}

QString formatted(double value) {
    return amount::formatPicture(value, amountPicture);
}

// Places the rate in the first empty slot unless an earlier slot already holds
// it; the comparison is on the exact text, and the empty text equals an empty slot.
void placeRate(std::array<QString, 4>& slots, const QString& rate) {
    if (slots[0].isEmpty()) {
        slots[0] = rate;
        return;
    }
    for (std::size_t k = 1; k < slots.size(); ++k) {
        if (!slots[k].isEmpty())
            continue;
        bool seenBefore = false;
        for (std::size_t j = 0; j < k; ++j)
            seenBefore = seenBefore || slots[j] == rate;
        if (!seenBefore) {
            slots[k] = rate;
            return;
        }
    }
}

} // namespace

TotalsResult computeDocumentTotals(const TotalsHeaderInput& header,
                                   const QVector<TotalsLine>& lines) {
    TotalsResult result;
    std::array<float, 4> taxable{};    // I1..I4
    std::array<float, 3> giftAmount{}; // GA1..GA3
    std::array<float, 3> giftVat{};    // GV1..GV3

    // Line values are read leniently: lines picked from the article window
    // carry grouping dots ("1.234,500").
    try {
        for (const TotalsLine& line : lines) {
            if (amount::lenientNumber(line.quantita) <= 0)
                continue;
            const QString rate = text(line.aliquota);
            placeRate(result.rateSlots, rate);
            const bool gift = isGift(line.tipoCessione);
            for (std::size_t k = 0; k < 4; ++k) {
                if (result.rateSlots[k] != rate)
                    continue;
                const double price = amount::lenientNumber(line.prezzoTot);
                if (k == 3) {
                    // The fourth bucket makes no difference for gift lines.
                    accumulate(taxable[k], price);
                } else if (gift) {
                    // A gift line adds only its VAT to the bucket's VAT.
                    accumulate(giftVat[k], price * amount::lenientNumber(line.aliquota) / 100);
                    accumulate(giftAmount[k], price);
                } else {
                    accumulate(taxable[k], price);
                }
            }
        }
    } catch (const ConversionError& error) {
        result.error = error.message();
        return result;
    }
    result.complete = true;

    std::array<float, 4> rates{};
    for (std::size_t k = 0; k < 4; ++k)
        rates[k] = headerNumber(result.rateSlots[k]);
    const float expenses1 = headerNumber(header.spese);
    const QString discountType = text(header.scTipo);
    const bool discount = discountType == QLatin1String("SC");
    const bool markup = discountType == QLatin1String("MG");
    const float percentage = discount || markup ? headerNumber(header.scPerc) : 0.0f;
    const float expenses2 = headerNumber(header.spese2);

    // Gift amounts and the fourth bucket get no discount.
    std::array<float, 3> discountAmount{};
    if (percentage > 0)
        for (std::size_t k = 0; k < 3; ++k)
            discountAmount[k] = static_cast<float>(double(taxable[k]) * percentage / 100);

    float totalVat = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        if (!(taxable[k] > 0 || giftAmount[k] > 0))
            continue;
        const double vat = double(taxable[k]) * rates[k] / 100 + giftVat[k];
        result.imponibile[k] = formatted(taxable[k]);
        result.imposta[k] = formatted(vat);
        result.totOmaggio[k] = formatted(giftAmount[k]);
        accumulate(totalVat, vat);
    }
    if (taxable[3] > 0) {
        const double vat = double(taxable[3]) * rates[3] / 100;
        result.imponibile[3] = formatted(taxable[3]);
        result.imposta[3] = formatted(vat);
        accumulate(totalVat, vat);
    }

    result.scImporto = formatted(double(discountAmount[0]) + discountAmount[1] + discountAmount[2]);

    // Each bucket's discount carries that bucket's VAT, as do the expenses.
    const double sign = discount ? -1.0 : 1.0;
    const double withVat = (1 + double(rates[0]) / 100) * discountAmount[0] +
                           (1 + double(rates[1]) / 100) * discountAmount[1] +
                           (1 + double(rates[2]) / 100) * discountAmount[2];
    const double total = double(taxable[0]) + taxable[1] + taxable[2] + taxable[3] + totalVat +
                         sign * withVat + (1 + double(rates[0]) / 100) * expenses1 +
                         (1 + double(rates[1]) / 100) * expenses2;
    result.totDoc = formatted(total);
    return result;
}
