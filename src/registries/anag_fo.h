#pragma once

#include <QDialog>

class TDiz;

// The supplier registry.
class TAnag_Fo : public QDialog {
    Q_OBJECT
public:
    explicit TAnag_Fo(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
