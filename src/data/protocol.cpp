#include "data/protocol.h"

QString protocolNumber(const QVariant& idInvio, const QString& nomeFile) {
    if (!idInvio.isValid() || idInvio.isNull())
        return QString(QLatin1String(""));
    bool ok = false;
    const qlonglong id = idInvio.toLongLong(&ok);
    if (!ok)
        return QString(QLatin1String(""));
    if (id <= 9999)
        return QString::number(id);
    return nomeFile.mid(14, 5);
}
