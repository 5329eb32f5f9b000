#pragma once

#include <QDialog>

class TDiz;

// The invoice workbench.
class TElenco_Fatt : public QDialog {
    Q_OBJECT
public:
    explicit TElenco_Fatt(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
