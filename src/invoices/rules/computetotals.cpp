#include "invoices/rules/computetotals.h"

#include "data/diz.h"
#include "invoices/rules/documenttotals.h"
#include "platform/core/errors.h"

namespace {

// An empty bucket is stored as the empty text, never as NULL.
QString emptyIfNull(const QString& text) {
    return text.isNull() ? QString(QLatin1String("")) : text;
}
// Bucket 1 uses the plain field names, buckets 2 to 4 add their number.
QString bucketField(const char* name, int bucket) {
    const QString base = QString::fromLatin1(name);
    return bucket == 0 ? base : base + QString::number(bucket + 1);
}
} // namespace

void ComputeDocumentTotals(TDiz& diz) {
    Dataset& header = diz.Testata;
    Dataset& lines = diz.Detta;

    // Clear the summary and save it: a stop on a bad line leaves it cleared.
    header.edit();
    for (int bucket = 0; bucket < 4; ++bucket) {
        header.setValue(bucketField("imponibile", bucket), QString(QLatin1String("")));
        header.setValue(bucketField("imposta", bucket), QString(QLatin1String("")));
        header.setValue(bucketField("aliquota", bucket), QString(QLatin1String("")));
    }
    for (int bucket = 0; bucket < 3; ++bucket)
        header.setValue(bucketField("tot_omaggio", bucket), QString(QLatin1String("")));
    header.post();

    QVector<TotalsLine> values;
    for (lines.first(); !lines.eof(); lines.next()) {
        const Record line = lines.currentRecord();
        values.append({line.value(QStringLiteral("quantita")),
                       line.value(QStringLiteral("aliquota")),
                       line.value(QStringLiteral("tipo_cessione")),
                       line.value(QStringLiteral("prezzo_tot"))});
    }

    const TotalsHeaderInput input{
        header.value(QStringLiteral("spese")), header.value(QStringLiteral("spese2")),
        header.value(QStringLiteral("sc_tipo")), header.value(QStringLiteral("sc_perc"))};
    const TotalsResult result = computeDocumentTotals(input, values);

    // The rates placed, saved together before anything else.
    bool anyRate = false;
    for (const QString& slot : result.rateSlots)
        anyRate = anyRate || !slot.isEmpty();
    if (anyRate) {
        header.edit();
        for (int bucket = 0; bucket < 4; ++bucket)
            header.setValue(bucketField("aliquota", bucket), emptyIfNull(result.rateSlots.at(bucket)));
        header.post();
    }
    if (!result.complete)
        throw ConversionError(result.error);

    header.edit();
    for (int bucket = 0; bucket < 4; ++bucket) {
        header.setValue(bucketField("imponibile", bucket), emptyIfNull(result.imponibile.at(bucket)));
        header.setValue(bucketField("imposta", bucket), emptyIfNull(result.imposta.at(bucket)));
    }
    for (int bucket = 0; bucket < 3; ++bucket)
        header.setValue(bucketField("tot_omaggio", bucket), emptyIfNull(result.totOmaggio.at(bucket)));
    header.setValue(QStringLiteral("sc_importo"), result.scImporto);
    header.setValue(QStringLiteral("tot_doc"), result.totDoc);
    header.post();
}
