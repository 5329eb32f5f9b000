#pragma once

#include <QString>
#include <optional>

// The arithmetic of the line editor: the reformatting of its number fields on
// leaving them and RecalcLineEditor. The editor reads numbers strictly (comma
// decimal, no grouping) and computes in single precision.

// Quantity on leaving its field: "#####0.00", "0,00" when it is not a number.
QString reformatLineQuantity(const QString& text);
// Gross unit price: "#####0.000", "0,000" when it is not a number.
QString reformatLinePrice(const QString& text);
// Discount percentage: "#####0.00", empty when it is not a number.
QString reformatLinePercentage(const QString& text);

// What RecalcLineEditor leaves in the percentage, discount amount and line total
// controls.
struct LineRecalc {
    QString percentage;                    // the percentage control's text afterwards
    std::optional<QString> discountAmount; // no value: the control keeps its text
    std::optional<QString> total;          // no value: the control keeps its text
    bool error = false;                    // the arithmetic failed: show "Errore"
};

// Discount type "SC" subtracts, "MG" adds the percentage of quantity x price;
// any other type empties the percentage and the discount amount. A value that
// does not fit single precision is the arithmetic's failure; the controls set
// before it keep their new text.
LineRecalc recalcLine(const QString& quantityText, const QString& priceText,
                      const QString& discountType, const QString& percentageText);
