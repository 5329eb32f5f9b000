#include "xml/invoicewriter.h"

#include "data/diz.h"
#include "platform/core/errors.h"
#include "xml/invoicedocument.h"
#include "xml/xmlforms.h"

#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

namespace {
using fatturapa::Form;

fatturapa::InvoiceData collect(TDiz& diz, const QString& registerCode) {
    fatturapa::InvoiceData data;
    data.company = diz.AziendaT.currentRecord();
    data.header = diz.Testata.currentRecord();
    data.registerCode = registerCode;
    for (diz.Detta.first(); !diz.Detta.eof(); diz.Detta.next())
        data.lines.append(diz.Detta.currentRecord());
    // Each group sees every reference row of its kind through the detail link.
    for (diz.ContrattoT.first(); !diz.ContrattoT.eof(); diz.ContrattoT.next()) {
        fatturapa::ReferenceGroup group;
        group.group = diz.ContrattoT.currentRecord();
        for (diz.ContrattoD.first(); !diz.ContrattoD.eof(); diz.ContrattoD.next())
            group.rows.append(diz.ContrattoD.currentRecord());
        data.references.append(group);
    }
    return data;
}

// The name another invoice's file already bears, if any: ids past the progressive's
// range give the names of earlier invoices again.
QVariant otherOwner(TDiz& diz, const QString& name, int id) {
    QSqlQuery query(diz.xml_conn.qtDatabase());
    query.prepare(QStringLiteral("SELECT id_invio FROM testata WHERE nome_file = ? AND id_invio <> ? LIMIT 1"));
    query.addBindValue(name);
    query.addBindValue(id);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    return query.next() ? query.value(0) : QVariant();
}

void storeName(Dataset& header, const QVariant& name) {
    header.edit();
    header.setValue(QStringLiteral("nome_file"), name);
    header.post();
}

// After a failure the header gets its earlier name back. Should the server refuse
// that too, the earlier name stays in the edit buffer, so that the next post
// cannot store the name of a file that was never written.
void restoreName(Dataset& header, const QVariant& previous) {
    try {
        storeName(header, previous);
    } catch (...) {
        if (header.isEditing())
            header.setValue(QStringLiteral("nome_file"), previous);
    }
}

void writeInvoice(TDiz& diz, Form form, const QString& registerCode) {
    Dataset& header = diz.Testata;
    if (!header.isActive() || header.isEmpty())
        throw AppError(QStringLiteral("Nessuna fattura selezionata"));
    if (!diz.AziendaT.isActive() || diz.AziendaT.isEmpty())
        throw AppError(QStringLiteral("Mancano i dati dell'azienda"));
    if (header.isNull(QStringLiteral("id_invio")))
        throw ConversionError(QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
    const int id = header.value(QStringLiteral("id_invio")).toInt();

    // The whole document is built before anything is stored or created.
    const fatturapa::InvoiceData data = collect(diz, registerCode);
    const QStringList lines = fatturapa::buildDocument(form, data);
    const QString name = fatturapa::fileName(form, data.company, id, registerCode);
    const QVariant owner = otherOwner(diz, name, id);
    if (owner.isValid())
        throw AppError(QStringLiteral("Il file %1 appartiene gia alla fattura %2: non viene sovrascritto.")
                           .arg(name, owner.toString()));

    const QString path = data.company.text(QStringLiteral("path")).trimmed() + name;
    const QVariant previous = header.value(QStringLiteral("nome_file"));
    try {
        storeName(header, name);
        // Written beside its final name and moved over it only when complete.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw FileError(QStringLiteral("Impossibile creare il file %1: %2").arg(path, file.errorString()));
        xmlforms::LineWriter writer(&file);
        for (const QString& line : lines)
            writer.line(line);
        if (!file.commit())
            throw FileError(QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString()));
    } catch (...) {
        restoreName(header, previous);
        throw;
    }
}
} // namespace

void WriteInvoiceXmlFPR12(TDiz& diz, const QString& registerCode) {
    writeInvoice(diz, Form::FPR12, registerCode);
}

void WriteInvoiceXmlFPA12(TDiz& diz, const QString& registerCode) {
    writeInvoice(diz, Form::FPA12, registerCode);
}
