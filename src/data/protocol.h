#pragma once

#include <QString>
#include <QVariant>

// The protocol number the invoice list shows: the id itself up to 9999, above it
// the five characters of the file name's progressive (from the 15th character).
// Empty when the row has no id yet.
QString protocolNumber(const QVariant& idInvio, const QString& nomeFile);
