#include "registries/anag_fo.h"

#include "data/diz.h"

TAnag_Fo::TAnag_Fo(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TAnag_Fo"));
    setWindowTitle(QStringLiteral("ANAGRAFICA FORNITORI"));
    resize(900, 600);
}
