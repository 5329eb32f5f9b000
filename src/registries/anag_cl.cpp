#include "registries/anag_cl.h"

#include "data/diz.h"

TAnag_Cl::TAnag_Cl(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TAnag_Cl"));
    setWindowTitle(QStringLiteral("ANAGRAFICA CLIENTI"));
    resize(900, 600);
}
