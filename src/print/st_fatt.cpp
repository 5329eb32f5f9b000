#include "print/st_fatt.h"

#include "data/diz.h"

TSt_Fatt::TSt_Fatt(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TSt_Fatt"));
    setWindowTitle(QStringLiteral(""));
    resize(900, 600);
}
