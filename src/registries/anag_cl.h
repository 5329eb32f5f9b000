#pragma once

#include <QDialog>

class TDiz;

// The customer registry.
class TAnag_Cl : public QDialog {
    Q_OBJECT
public:
    explicit TAnag_Cl(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
