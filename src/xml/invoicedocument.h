#pragma once

#include "platform/core/record.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The FatturaPA document of one issued invoice, built from plain values.
namespace fatturapa {

enum class Form { FPR12, FPA12 };

// One reference group (a test_dati row) with the dati_acquisto rows of its kind.
struct ReferenceGroup {
    Record group;
    QVector<Record> rows;
};

struct InvoiceData {
    Record company;                    // the azienda row
    Record header;                     // the testata row, pending changes included
    QVector<Record> lines;             // dettaglio rows, in dataset order
    QVector<ReferenceGroup> references; // test_dati rows in dataset order
    QString registerCode;              // the workbench caption; "A" is the main register
};

// The transmission progressive: "0" or "P"/"A" prefix and at least four digits.
QString progressive(Form form, int idInvio, const QString& registerCode);

// "IT" + company p_iva + "_" + progressive + ".xml".
QString fileName(Form form, const Record& company, int idInvio, const QString& registerCode);

// Every line of the file, in order, without line ends. Throws ConversionError at
// the first value that cannot be converted; nothing is half-built.
QStringList buildDocument(Form form, const InvoiceData& data);

} // namespace fatturapa
