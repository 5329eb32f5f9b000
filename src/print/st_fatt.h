#pragma once

#include <QDialog>

class TDiz;

// Holds the printed layouts of issued and purchase invoices.
class TSt_Fatt : public QDialog {
    Q_OBJECT
public:
    explicit TSt_Fatt(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
