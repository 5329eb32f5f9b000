#include "invoices/gui/dispatch.h"

#include "data/diz.h"
#include "platform/core/errors.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/urlopener.h"

namespace {
const QString kPrivatePage = QStringLiteral("http://localhost/Fatt_Ven/mail_sdi.php?nome_file=");
const QString kPublicPage = QStringLiteral("http://localhost/Fatt_Ven/mail_sdi_pa.php?nome_file=");

// The file name goes into the address as stored, with no encoding. An invoice
// whose file was never written has no name to hand over.
QString address(const QString& page, const Dataset& header) {
    const QString name = header.text(QStringLiteral("nome_file"));
    if (name.isEmpty())
        throw AppError(QStringLiteral("La fattura %1 non ha ancora il file XML: crearlo prima dell'invio.")
                           .arg(header.text(QStringLiteral("id_invio"))));
    return page + name + QStringLiteral("&n_invio=") + QString::number(header.value(QStringLiteral("id_invio")).toLongLong());
}

void showEveryHeader(Dataset& header) {
    header.close();
    header.setSql(QStringLiteral("select * from testata"));
    header.open();
}
} // namespace

void dispatch::sendCurrent(TDiz& diz, QWidget* owner, bool publicAdministration) {
    Dataset& header = diz.Testata;
    if (header.isEmpty())
        throw AppError(QStringLiteral("Nessuna fattura selezionata"));
    if (header.value(QStringLiteral("inviata")).toBool()) {
        dialogs().message(owner, QStringLiteral("Fattura gia inviata"));
        return;
    }
    if (!dialogs().confirm(owner, QStringLiteral("Confermi invio a SDI ?")))
        return;
    urlOpener().open(address(publicAdministration ? kPublicPage : kPrivatePage, header));
}

void dispatch::sendUnsent(TDiz& diz, QWidget* owner) {
    if (!dialogs().confirm(owner, QStringLiteral("Confermi invio Fatture al SDI: ?")))
        return;
    Dataset& header = diz.Testata;
    header.close();
    header.setSql(QStringLiteral("select * from testata where inviata=0"));
    try {
        header.open();
        for (header.first(); !header.eof(); header.next())
            urlOpener().open(address(kPrivatePage, header));
    } catch (...) {
        // The full list comes back whatever stopped the batch.
        showEveryHeader(header);
        throw;
    }
    showEveryHeader(header);
}
