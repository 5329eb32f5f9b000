#include "articles/articoli.h"

#include "data/diz.h"

TArticoli::TArticoli(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TArticoli"));
    setWindowTitle(QStringLiteral("ARTICOLI MAGAZZINO"));
    resize(900, 600);
}
