#pragma once

#include <QDialog>

class TDiz;

// The received invoices.
class TElenco_Carico : public QDialog {
    Q_OBJECT
public:
    explicit TElenco_Carico(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
