#pragma once

#include <QString>
#include <QVariant>
#include <QVector>
#include <array>

// The arithmetic of ComputeDocumentTotals: the VAT summary of an invoice header
// (four VAT buckets, gift totals, document discount and total) rebuilt from its
// lines. Glossary: aliquota = VAT rate, imponibile = taxable amount, imposta =
// VAT, tot_omaggio = gift total, spese = expenses, sc_tipo/sc_perc/sc_importo =
// discount type/percentage/amount, tot_doc = document total.

// One line's stored values; any of them may be null.
struct TotalsLine {
    QVariant quantita, aliquota, tipoCessione, prezzoTot;
};

// The header values the totals read.
struct TotalsHeaderInput {
    QVariant spese, spese2, scTipo, scPerc;
};

struct TotalsResult {
    std::array<QString, 4> rateSlots; // slot texts after placement (at the stop, when stopped)
    bool complete = false;            // false when a line stopped the computation
    QString error;                    // the conversion error's message when !complete
    // Set only when complete; an empty text means the field stays empty.
    std::array<QString, 4> imponibile, imposta;
    std::array<QString, 3> totOmaggio;
    QString scImporto, totDoc;
};

// Walks the lines in the order given. Working values are single precision; a
// line that cannot be read stops the walk with the rates placed so far.
TotalsResult computeDocumentTotals(const TotalsHeaderInput& header,
                                   const QVector<TotalsLine>& lines);
