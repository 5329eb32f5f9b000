#include "registries/anag_az.h"

#include "data/diz.h"

Tanag_az::Tanag_az(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("Tanag_az"));
    setWindowTitle(QStringLiteral("Dati Azienda"));
    resize(900, 600);
}
