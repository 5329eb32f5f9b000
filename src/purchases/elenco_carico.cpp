#include "purchases/elenco_carico.h"

#include "data/diz.h"

TElenco_Carico::TElenco_Carico(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TElenco_Carico"));
    setWindowTitle(QStringLiteral("Elenco Fatture Acquisto"));
    resize(900, 600);
}
