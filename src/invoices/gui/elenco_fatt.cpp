#include "invoices/gui/elenco_fatt.h"

#include "data/diz.h"

TElenco_Fatt::TElenco_Fatt(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TElenco_Fatt"));
    setWindowTitle(QStringLiteral(""));
    resize(900, 600);
}
